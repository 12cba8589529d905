// The top-level window that shows a form.
//
// It holds the menu bar and, below it, the client area of exactly the form's ClientWidth and
// ClientHeight. Labels, pictures and lines are painted on their container's surface; buttons
// and frames are child widgets. After every event the runtime delivers, the window brings its
// widgets up to date and schedules repaints of just the rectangles that changed.
#pragma once

#include <QRect>
#include <QWidget>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "picture_cache.h"
#include "runtime.h"

class QMenuBar;

namespace forms {

class CommandButton;
class FormMenus;
class RealClock;
class Surface;

class FormWindow : public QWidget, private AccessObserver {
public:
    // Builds the window for the runtime's form. Without a clock the caller drives the timers,
    // as tests do with Runtime::advance.
    explicit FormWindow(Runtime& runtime, RealClock* clock = nullptr);
    ~FormWindow() override;

    // The form's client area, below the menu bar.
    Surface& clientArea() const { return *client_; }
    QMenuBar* menuBar() const { return menuBar_; }

    // Delivers a click on the named control, with the runtime's clock brought up to date.
    void click(const std::string& name);

    // Applies every property written since the last call; the runtime calls it after each event.
    void sync();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void propertyWritten(const Control& control, Property property) override;

    void setUpWindow();
    void addWidgets(const Control& container, Surface& surface);
    void orderTabs();
    void apply(const Control& control);
    void focusFirstButton();

    Runtime& runtime_;
    RealClock* clock_;
    PictureCache pictures_;
    QMenuBar* menuBar_ = nullptr;
    Surface* client_ = nullptr;
    std::unique_ptr<FormMenus> menus_;
    std::map<const Control*, Surface*> surfaces_;  // containers and their surfaces
    std::map<const Control*, CommandButton*> buttons_;
    std::map<const Control*, QRect> painted_;       // where each painted control was last drawn
    std::map<Surface*, std::vector<QRect>> dirty_;  // what sync is to repaint
    std::vector<const Control*> tabOrder_;
    std::set<const Control*> changed_;
    bool focused_ = false;
};

}  // namespace forms
