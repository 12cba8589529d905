#include "form_window.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QRegion>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

#include "command_button.h"
#include "cursor_file.h"
#include "form_menus.h"
#include "look.h"
#include "real_clock.h"
#include "surface.h"
#include "taskbar.h"

namespace forms {
namespace {

constexpr Long mousePointerCustom = 99;
constexpr Long startUpCentreScreen = 2;

bool fixedBorder(Long borderStyle) {
    // 1 fixed single, 3 fixed dialog, 4 fixed tool window
    return borderStyle == 1 || borderStyle == 3 || borderStyle == 4;
}

// A client area wider or taller than any screen could not be seen whole, and its backing store
// would run to gigabytes.
constexpr int largestClientSide = 8192;

int clientSide(Long twips) {
    return std::clamp(pixels(Single(twips)), 0, largestClientSide);
}

// In 64 bits, as a place may reach a million pixels either way.
qint64 area(const QRect& rect) {
    return qint64(rect.width()) * rect.height();
}

}  // namespace

FormWindow::FormWindow(Runtime& runtime, RealClock* clock)
    : runtime_(runtime), clock_(clock), pictures_(runtime) {
    const Control& form = runtime_.form().window();
    setObjectName(qtext(form.name()));
    setFont(defaultFont());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar_ = new QMenuBar(this);
    // Kept in the window, so that the client area sits at the same place on every desktop.
    menuBar_->setNativeMenuBar(false);
    menus_ = std::make_unique<FormMenus>(runtime_.form(), *menuBar_,
                                         [this](const std::string& name) { click(name); });
    if (menus_->empty()) {
        delete menuBar_;
        menuBar_ = nullptr;
    } else {
        layout->setMenuBar(menuBar_);
        for (QMenu* menu : menuBar_->findChildren<QMenu*>()) menu->setFont(defaultFont());
    }

    client_ = new Surface(form, pictures_, this);
    // A window manager may force the window larger than the fixed size it asks for (a kiosk
    // compositor sizes every window to the screen): the client area then grows, as the form's
    // would, and every control keeps its place from its top left.
    client_->setMinimumSize(clientSide(form.values().clientWidth),
                            clientSide(form.values().clientHeight));
    // Grows without asking to: a window that asks for room to spare opens larger than its form.
    client_->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    layout->addWidget(client_);
    surfaces_[&form] = client_;
    addWidgets(form, *client_);
    orderTabs();

    for (const auto& control : runtime_.form().controls()) apply(*control);
    dirty_.clear();  // showing the window paints all of it
    setUpWindow();

    runtime_.form().addObserver(this);
    runtime_.setAfterEvent([this] {
        sync();
        if (clock_ != nullptr) clock_->rearm();
    });
}

FormWindow::~FormWindow() {
    runtime_.setAfterEvent(nullptr);
    runtime_.form().removeObserver(this);
}

void FormWindow::setUpWindow() {
    const Control::Values& v = runtime_.form().window().values();
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (v.minButton != False) flags |= Qt::WindowMinimizeButtonHint;
    if (v.maxButton != False && !fixedBorder(v.borderStyle)) flags |= Qt::WindowMaximizeButtonHint;
    if (v.borderStyle == 0) flags = Qt::Window | Qt::FramelessWindowHint;
    setWindowFlags(flags);
    layout()->setSizeConstraint(fixedBorder(v.borderStyle) ? QLayout::SetFixedSize
                                                           : QLayout::SetMinimumSize);

    if (!v.icon.empty()) {
        const QImage icon = pictures_.image(v.icon);
        if (!icon.isNull()) setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    }
    if (v.mousePointer == mousePointerCustom && !v.mouseIcon.empty()) {
        if (const auto cursor = cursorFrom(runtime_.picture(v.mouseIcon)))
            client_->setCursor(*cursor);
    }
    // Otherwise the window system places the window.
    if (v.startUpPosition == startUpCentreScreen) {
        adjustSize();
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
    }
    // The window's state must carry this before it is mapped, so the native window is made now.
    if (v.showInTaskbar == False) skipTaskbar(*this);
}

// Recursive, as the reader takes no control nested deeper than DefinitionReader::maxDepth.
void FormWindow::addWidgets(const Control& container, Surface& surface) {
    std::vector<QWidget*> widgets;
    for (const Control* control : container.children()) {
        if (control->controlClass() == ControlClass::CommandButton) {
            auto* button = new CommandButton(&surface);
            button->setObjectName(qtext(control->name()));
            button->setFont(fontOf(control->values()));
            connect(button, &QPushButton::clicked, this,
                    [this, control] { click(control->name()); });
            buttons_[control] = button;
            tabOrder_.push_back(control);
            widgets.push_back(button);
        } else if (control->controlClass() == ControlClass::Frame) {
            auto* frame = new Surface(*control, pictures_, &surface);
            surfaces_[control] = frame;
            addWidgets(*control, *frame);
            widgets.push_back(frame);
        }
    }
    // Front first: raising them back to front leaves the first in front. Reverse iterators, as
    // clang 14 cannot take libstdc++ 12's views::reverse.
    std::for_each(widgets.rbegin(), widgets.rend(), [](QWidget* widget) { widget->raise(); });
}

void FormWindow::orderTabs() {
    std::ranges::stable_sort(tabOrder_, {}, [](const Control* c) { return c->values().tabIndex; });
    for (std::size_t i = 1; i < tabOrder_.size(); ++i) {
        setTabOrder(buttons_.at(tabOrder_[i - 1]), buttons_.at(tabOrder_[i]));
    }
}

void FormWindow::click(const std::string& name) {
    if (clock_ != nullptr) clock_->catchUp();
    runtime_.click(name);
}

void FormWindow::propertyWritten(const Control& control, Property) {
    changed_.insert(&control);
}

void FormWindow::sync() {
    const std::set<const Control*> changed = std::move(changed_);
    changed_.clear();
    for (const Control* control : changed) apply(*control);
    // One repaint a surface, since Qt does work for each call and a game step moves a dozen
    // pictures; and at once, as a posted update would take another turn of the event loop.
    for (auto& [surface, rects] : dirty_) {
        QRegion region;
        for (const QRect& rect : rects) {
            if (!rect.isEmpty()) region += rect;
        }
        if (!region.isEmpty()) surface->repaint(region);
    }
    dirty_.clear();
}

void FormWindow::apply(const Control& control) {
    const Control::Values& v = control.values();
    switch (control.controlClass()) {
        case ControlClass::Form:
            setWindowTitle(qtext(v.caption));
            break;
        case ControlClass::Label:
        case ControlClass::Image:
        case ControlClass::Line: {
            std::vector<QRect>& dirty = dirty_[surfaces_.at(control.container())];
            QRect& painted = painted_[&control];
            const QRect now = paintedPlace(control);
            // A picture stepping one cell on leaves a rectangle that touches the new one, and
            // the two together are one rectangle: Qt then has half as many to unite and clip.
            const QRect both = painted.united(now);
            if (!painted.isEmpty() && !now.isEmpty() && area(both) <= area(painted) + area(now)) {
                dirty.push_back(both);
            } else {
                dirty.push_back(painted);
                dirty.push_back(now);
            }
            painted = now;
            break;
        }
        case ControlClass::CommandButton: {
            CommandButton* button = buttons_.at(&control);
            button->setGeometry(placeOf(control));
            button->setCaption(qtext(v.caption));
            button->setEnabled(v.enabled != False);
            button->setVisible(v.visible != False);
            break;
        }
        case ControlClass::Frame: {
            Surface* frame = surfaces_.at(&control);
            frame->setGeometry(placeOf(control));
            frame->setEnabled(v.enabled != False);
            frame->setVisible(v.visible != False);
            frame->update();
            break;
        }
        case ControlClass::Menu:
            menus_->sync(control);
            break;
        case ControlClass::Timer:
            break;
    }
}

void FormWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Qt's first focus follows the order the buttons were made in; the form's follows TabIndex.
    if (!focused_) {
        focused_ = true;
        focusFirstButton();
    }
}

void FormWindow::focusFirstButton() {
    const auto first = std::ranges::find_if(tabOrder_, [](const Control* c) {
        return c->shownWithContainers() && c->enabledWithContainers();
    });
    if (first != tabOrder_.end()) buttons_.at(*first)->setFocus(Qt::OtherFocusReason);
}

}  // namespace forms
