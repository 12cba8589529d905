// The form's menus on the window's menu bar.
//
// A Menu in the form is a menu on the bar, its Menu controls are its items, and an item with
// items of its own opens a submenu. Captions show as written: no access keys, no shortcuts.
#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <string>

#include "form.h"

class QAction;
class QMenu;
class QMenuBar;

namespace forms {

class FormMenus {
public:
    using Picked = std::function<void(const std::string& name)>;

    // Fills the bar with the form's menus; picking an item calls picked with its name.
    FormMenus(const Form& form, QMenuBar& bar, Picked picked);

    // Whether the form has any menu at all.
    bool empty() const { return actions_.empty(); }

    // Brings a menu control's caption, Enabled, Visible and Checked to its action.
    void sync(const Control& menu);

    QAction* action(const Control& menu) const;

private:
    void addItems(const Control& container, QMenu& menu);
    void connectPick(QAction* action, const Control& item);

    Picked picked_;
    std::map<const Control*, QAction*> actions_;
};

// The caption with every "&" doubled, so Qt takes none of them as an access key.
QString plainMenuText(const std::string& caption);

}  // namespace forms
