#include "control.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

#include "runtime_error.h"

namespace forms {
namespace {

using enum Property;

struct PropertyInfo {
    Property property;
    std::string_view name;
    ValueType type;
};

constexpr std::array propertyTable{
    PropertyInfo{Left, "Left", ValueType::Single},
    PropertyInfo{Top, "Top", ValueType::Single},
    PropertyInfo{Width, "Width", ValueType::Single},
    PropertyInfo{Height, "Height", ValueType::Single},
    PropertyInfo{X1, "X1", ValueType::Single},
    PropertyInfo{Y1, "Y1", ValueType::Single},
    PropertyInfo{X2, "X2", ValueType::Single},
    PropertyInfo{Y2, "Y2", ValueType::Single},
    PropertyInfo{Visible, "Visible", ValueType::Boolean},
    PropertyInfo{Enabled, "Enabled", ValueType::Boolean},
    PropertyInfo{Caption, "Caption", ValueType::Text},
    PropertyInfo{Interval, "Interval", ValueType::Long},
    PropertyInfo{Checked, "Checked", ValueType::Boolean},
    PropertyInfo{BackColor, "BackColor", ValueType::Colour},
    PropertyInfo{ForeColor, "ForeColor", ValueType::Colour},
    PropertyInfo{BorderColor, "BorderColor", ValueType::Colour},
    PropertyInfo{FontName, "FontName", ValueType::Text},
    PropertyInfo{FontSize, "FontSize", ValueType::Single},
    PropertyInfo{FontBold, "FontBold", ValueType::Boolean},
    PropertyInfo{FontCharset, "FontCharset", ValueType::Long},
    PropertyInfo{Picture, "Picture", ValueType::Picture},
    PropertyInfo{Stretch, "Stretch", ValueType::Boolean},
    PropertyInfo{Alignment, "Alignment", ValueType::Long},
    PropertyInfo{TabIndex, "TabIndex", ValueType::Long},
    PropertyInfo{ClientWidth, "ClientWidth", ValueType::Long},
    PropertyInfo{ClientHeight, "ClientHeight", ValueType::Long},
    PropertyInfo{BorderStyle, "BorderStyle", ValueType::Long},
    PropertyInfo{MinButton, "MinButton", ValueType::Boolean},
    PropertyInfo{MaxButton, "MaxButton", ValueType::Boolean},
    PropertyInfo{ShowInTaskbar, "ShowInTaskbar", ValueType::Boolean},
    PropertyInfo{StartUpPosition, "StartUpPosition", ValueType::Long},
    PropertyInfo{Icon, "Icon", ValueType::Picture},
    PropertyInfo{MouseIcon, "MouseIcon", ValueType::Picture},
    PropertyInfo{MousePointer, "MousePointer", ValueType::Long},
    PropertyInfo{LinkTopic, "LinkTopic", ValueType::Text},
};

constexpr std::array<std::pair<ControlClass, std::string_view>, 8> classNames{{
    {ControlClass::Form, "Form"},
    {ControlClass::Image, "Image"},
    {ControlClass::Label, "Label"},
    {ControlClass::CommandButton, "CommandButton"},
    {ControlClass::Timer, "Timer"},
    {ControlClass::Frame, "Frame"},
    {ControlClass::Line, "Line"},
    {ControlClass::Menu, "Menu"},
}};

const PropertyInfo& info(Property property) {
    return *std::find_if(propertyTable.begin(), propertyTable.end(),
                         [property](const PropertyInfo& i) { return i.property == property; });
}

bool among(Property property, std::initializer_list<Property> list) {
    return std::find(list.begin(), list.end(), property) != list.end();
}

}  // namespace

std::string_view className(ControlClass cls) {
    for (const auto& [c, name] : classNames) {
        if (c == cls) return name;
    }
    return {};
}

std::optional<ControlClass> classByName(std::string_view name) {
    for (const auto& [c, n] : classNames) {
        if (n == name) return c;
    }
    return std::nullopt;
}

std::string_view propertyName(Property property) {
    return info(property).name;
}

std::optional<Property> propertyByName(std::string_view name) {
    for (const auto& i : propertyTable) {
        if (i.name == name) return i.property;
    }
    return std::nullopt;
}

ValueType valueType(Property property) {
    return info(property).type;
}

bool hasProperty(ControlClass cls, Property p) {
    const bool isFont = among(p, {FontName, FontSize, FontBold, FontCharset});
    switch (cls) {
        case ControlClass::Form:
            return isFont || among(p, {Caption, BackColor, ForeColor, ClientWidth, ClientHeight,
                                       BorderStyle, MinButton, MaxButton, ShowInTaskbar,
                                       StartUpPosition, Icon, MouseIcon, MousePointer, LinkTopic});
        case ControlClass::Image:
            return among(p, {Left, Top, Width, Height, Visible, Picture, Stretch});
        case ControlClass::Label:
            return isFont || among(p, {Left, Top, Width, Height, Visible, Caption, BackColor,
                                       ForeColor, Alignment, TabIndex});
        case ControlClass::CommandButton:
            return isFont || among(p, {Left, Top, Width, Height, Visible, Enabled, Caption,
                                       BackColor, Picture, TabIndex});
        case ControlClass::Timer:
            return among(p, {Enabled, Interval});
        case ControlClass::Frame:
            return isFont || among(p, {Left, Top, Width, Height, Visible, Enabled, Caption,
                                       BackColor, ForeColor, TabIndex});
        case ControlClass::Line:
            return among(p, {X1, Y1, X2, Y2, Visible, BorderColor});
        case ControlClass::Menu:
            return among(p, {Caption, Enabled, Visible, Checked});
    }
    return false;
}

bool isContainer(ControlClass cls) {
    return cls == ControlClass::Form || cls == ControlClass::Frame || cls == ControlClass::Menu;
}

Control::Control(ControlClass cls, std::string name, Control* container)
    : class_(cls), name_(std::move(name)), container_(container) {}

bool Control::shownWithContainers() const {
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (c->class_ != ControlClass::Form && c->values_.visible == False) return false;
    }
    return true;
}

bool Control::enabledWithContainers() const {
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (hasProperty(c->class_, Enabled) && c->values_.enabled == False) return false;
    }
    return true;
}

void Control::check(Property property) const {
    if (!hasProperty(class_, property))
        vbaHresultCheckObj(name_, std::string(propertyName(property)));
}

void Control::read(Property property) const {
    check(property);
    if (observer_ != nullptr) observer_->propertyRead(*this, property);
}

void Control::written(Property property) {
    if (observer_ != nullptr) observer_->propertyWritten(*this, property);
}

Single Control::left() const {
    read(Left);
    return values_.left;
}

Single Control::top() const {
    read(Top);
    return values_.top;
}

Single Control::width() const {
    read(Width);
    return values_.width;
}

Single Control::height() const {
    read(Height);
    return values_.height;
}

Boolean Control::visible() const {
    read(Visible);
    return values_.visible;
}

Boolean Control::enabled() const {
    read(Enabled);
    return values_.enabled;
}

Long Control::interval() const {
    read(Interval);
    return values_.interval;
}

std::string Control::caption() const {
    read(Caption);
    return values_.caption;
}

void Control::setLeft(Single value) {
    check(Left);
    values_.left = value;
    written(Left);
}

void Control::setTop(Single value) {
    check(Top);
    values_.top = value;
    written(Top);
}

void Control::setVisible(Boolean value) {
    check(Visible);
    values_.visible = value != False ? True : False;
    written(Visible);
}

void Control::setEnabled(Boolean value) {
    check(Enabled);
    values_.enabled = value != False ? True : False;
    written(Enabled);
}

void Control::setInterval(Long value) {
    check(Interval);
    values_.interval = value;
    written(Interval);
}

void Control::setCaption(std::string value) {
    check(Caption);
    values_.caption = std::move(value);
    written(Caption);
}

}  // namespace forms
