// The intrinsic controls and their properties.
//
// Every property read and write goes through the class's property table: a property that the
// control's class lacks raises the property-access run-time error. A read gives exactly the
// value last written, or stored in the window definition, or the class default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversions.h"

namespace forms {

using Boolean = std::int16_t;
inline constexpr Boolean True = -1;
inline constexpr Boolean False = 0;

// A colour in the runtime's notation &H00BBGGRR&.
using Colour = std::uint32_t;

enum class ControlClass { Form, Image, Label, CommandButton, Timer, Frame, Line, Menu };

// clang-format off
enum class Property {
    // place and size, in twips
    Left, Top, Width, Height,
    X1, Y1, X2, Y2,
    // state
    Visible, Enabled, Caption, Interval, Checked,
    // look
    BackColor, ForeColor, BorderColor,
    FontName, FontSize, FontBold, FontCharset,
    Picture, Stretch, Alignment, TabIndex,
    // the window's own settings
    ClientWidth, ClientHeight, BorderStyle, MinButton, MaxButton, ShowInTaskbar,
    StartUpPosition, Icon, MouseIcon, MousePointer, LinkTopic,
};
// clang-format on

enum class ValueType { Single, Long, Boolean, Text, Colour, Picture };

std::string_view className(ControlClass cls);
std::optional<ControlClass> classByName(std::string_view name);
std::string_view propertyName(Property property);
std::optional<Property> propertyByName(std::string_view name);
ValueType valueType(Property property);
bool hasProperty(ControlClass cls, Property property);
// Whether controls of this class can hold other controls.
bool isContainer(ControlClass cls);

class Control;

// Told of every property access; tests use it to check the order of reads and writes, and the
// desktop window uses the writes to know what to repaint.
class AccessObserver {
public:
    virtual ~AccessObserver() = default;
    virtual void propertyRead(const Control&, Property) {}
    virtual void propertyWritten(const Control&, Property) {}
};

struct Font {
    std::string name;
    Single size = 8.25f;
    bool bold = false;
    Long charset = 0;
};

class Control {
public:
    Control(ControlClass cls, std::string name, Control* container);

    ControlClass controlClass() const { return class_; }
    const std::string& name() const { return name_; }
    Control* container() const { return container_; }
    // Front first, as the window definition lists them.
    const std::vector<Control*>& children() const { return children_; }

    // Property access as handlers see it: checked against the class and observed.
    Single left() const;
    Single top() const;
    Single width() const;
    Single height() const;
    Boolean visible() const;
    Boolean enabled() const;
    Long interval() const;
    std::string caption() const;
    void setLeft(Single value);
    void setTop(Single value);
    void setVisible(Boolean value);
    void setEnabled(Boolean value);
    void setInterval(Long value);
    void setCaption(std::string value);

    // Stored values as the window and the reader see them, unchecked and unobserved.
    struct Values {
        Single left = 0, top = 0, width = 0, height = 0;
        Single x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        Boolean visible = True, enabled = True, checked = False;
        std::string caption;
        Long interval = 0;
        std::optional<Colour> backColor, foreColor, borderColor;
        std::optional<Font> font;
        std::string picture;
        Boolean stretch = False;
        Long alignment = 0;
        Long tabIndex = 0;
        // the window's own settings
        Long clientWidth = 0, clientHeight = 0, borderStyle = 2;
        Boolean minButton = True, maxButton = True, showInTaskbar = True;
        Long startUpPosition = 0;
        std::string icon, mouseIcon;
        Long mousePointer = 0;
        std::string linkTopic;
    };
    const Values& values() const { return values_; }
    Values& storedValues() { return values_; }

    void setObserver(AccessObserver* observer) { observer_ = observer; }
    void addChild(Control* child) { children_.push_back(child); }

    // Whether the control and every container above it are visible.
    bool shownWithContainers() const;
    // Whether the control and every container above it are enabled; a class without Enabled counts
    // as enabled.
    bool enabledWithContainers() const;

private:
    void check(Property property) const;
    void read(Property property) const;
    void written(Property property);

    ControlClass class_;
    std::string name_;
    Control* container_;
    std::vector<Control*> children_;
    Values values_;
    AccessObserver* observer_ = nullptr;
};

}  // namespace forms
