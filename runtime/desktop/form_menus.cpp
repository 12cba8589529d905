#include "form_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "look.h"

namespace forms {
namespace {

bool hasItems(const Control& menu) {
    return !menu.children().empty();
}

// A caption of a single hyphen marks a separator line, not an item.
bool isSeparator(const Control& menu) {
    return menu.values().caption == "-";
}

}  // namespace

QString plainMenuText(const std::string& caption) {
    QString text = qtext(caption);
    text.replace(u'&', QStringLiteral("&&"));
    // A tab would show the rest as a shortcut's name.
    text.replace(u'\t', u' ');
    return text;
}

FormMenus::FormMenus(const Form& form, QMenuBar& bar, Picked picked) : picked_(std::move(picked)) {
    for (const Control* control : form.window().children()) {
        if (control->controlClass() != ControlClass::Menu) continue;
        QAction* action = nullptr;
        if (hasItems(*control)) {
            QMenu* menu = bar.addMenu(QString());
            addItems(*control, *menu);
            action = menu->menuAction();
        } else {
            action = bar.addAction(QString());
            connectPick(action, *control);
        }
        actions_[control] = action;
        sync(*control);
    }
}

// Recursive, as the reader takes no menu nested deeper than DefinitionReader::maxDepth.
void FormMenus::addItems(const Control& container, QMenu& menu) {
    for (const Control* item : container.children()) {
        QAction* action = nullptr;
        if (isSeparator(*item)) {
            action = menu.addSeparator();
        } else if (hasItems(*item)) {
            QMenu* submenu = menu.addMenu(QString());
            addItems(*item, *submenu);
            action = submenu->menuAction();
        } else {
            action = menu.addAction(QString());
            connectPick(action, *item);
        }
        actions_[item] = action;
        sync(*item);
    }
}

void FormMenus::connectPick(QAction* action, const Control& item) {
    QObject::connect(action, &QAction::triggered, action, [this, &item] {
        picked_(item.name());
        // Qt toggled a checked item's mark; the control's Checked still holds.
        sync(item);
    });
}

void FormMenus::sync(const Control& menu) {
    QAction* action = this->action(menu);
    if (action == nullptr) return;
    const Control::Values& v = menu.values();
    if (!action->isSeparator()) action->setText(plainMenuText(v.caption));
    action->setEnabled(v.enabled != False);
    action->setVisible(v.visible != False);
    action->setCheckable(v.checked != False);
    action->setChecked(v.checked != False);
}

QAction* FormMenus::action(const Control& menu) const {
    const auto found = actions_.find(&menu);
    return found == actions_.end() ? nullptr : found->second;
}

}  // namespace forms
