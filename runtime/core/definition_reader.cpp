#include "definition_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "excerpt.h"
#include "windows1251.h"

namespace forms {
namespace {

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool isName(std::string_view s) {
    if (s.empty()) return false;
    for (const char c : s) {
        const bool ok =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) return false;
    }
    return !(s.front() >= '0' && s.front() <= '9');
}

}  // namespace

class DefinitionParser {
public:
    DefinitionParser(const DefinitionReader::PictureExists& pictures, Form& form)
        : pictures_(pictures), form_(form) {}

    void line(std::int64_t number, std::string_view raw);
    void finish(std::int64_t lastLine) const {
        // Lines count from 1: an empty definition is refused at its first line.
        if (stack_.empty()) {
            throw DefinitionError(std::max<std::int64_t>(lastLine, 1),
                                  "the definition holds no Form");
        }
    }

    Control& add(ControlClass cls, std::string name, Control* container);

private:
    [[noreturn]] void fail(const std::string& what) const { throw DefinitionError(line_, what); }
    void header(std::size_t level, std::string_view text);
    void setting(std::size_t level, std::string_view key, std::string_view value);

    Single single(std::string_view text) const;
    Long whole(std::string_view text) const;
    Boolean boolean(std::string_view text) const;
    std::string quoted(std::string_view text) const;
    Colour colour(std::string_view text) const;

    const DefinitionReader::PictureExists& pictures_;
    Form& form_;
    std::int64_t line_ = 0;
    std::vector<Control*> stack_;
    std::set<std::pair<const Control*, Property>> seen_;
};

void DefinitionParser::line(std::int64_t number, std::string_view raw) {
    line_ = number;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    const auto decoded = decodeWindows1251(raw);
    if (!decoded) fail("bytes that are not Windows-1251 text");
    std::string_view text = trimRight(*decoded);
    std::size_t indent = 0;
    while (indent < text.size() && text[indent] == ' ') ++indent;
    text.remove_prefix(indent);
    if (text.empty() || text.front() == '#') return;
    if (text.front() == '\t') fail("indentation must be blanks, not tabs");
    if (indent % 2 != 0) fail("indentation must be a multiple of two blanks");
    const std::size_t level = indent / 2;

    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        header(level, text);
    } else {
        setting(level, trimRight(text.substr(0, equals)), text.substr(equals + 1));
    }
}

void DefinitionParser::header(std::size_t level, std::string_view text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) {
        fail("expected \"<Class> <Name>\" or \"<Property> = <value>\"");
    }
    const std::string_view classWord = text.substr(0, blank);
    std::string_view name = text.substr(blank + 1);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    const auto cls = classByName(classWord);
    if (!cls) fail("unknown class \"" + excerpt(classWord) + "\"");
    if (!isName(name)) fail("bad control name \"" + excerpt(name) + "\"");
    if (form_.find(name) != nullptr) fail("duplicate name \"" + excerpt(name) + "\"");

    if (level == 0) {
        if (!stack_.empty()) fail("only one Form, and everything else inside it");
        if (*cls != ControlClass::Form) fail("the definition must open with a Form");
        stack_.push_back(&add(*cls, std::string(name), nullptr));
        return;
    }
    if (level > stack_.size()) fail("indented deeper than its container");
    if (*cls == ControlClass::Form) fail("a Form cannot stand inside another control");
    stack_.resize(level);
    Control* container = stack_.back();
    const ControlClass outer = container->controlClass();
    if (!isContainer(outer)) {
        fail(std::string(className(outer)) + " " + excerpt(container->name()) +
             " cannot hold controls");
    }
    if ((outer == ControlClass::Menu) != (*cls == ControlClass::Menu) &&
        outer != ControlClass::Form) {
        fail("a Menu holds only menus, and menus stand only in a Form or a Menu");
    }
    if (level > DefinitionReader::maxDepth) {
        fail("controls nested more than " + std::to_string(DefinitionReader::maxDepth) + " deep");
    }
    if (form_.controls().size() > DefinitionReader::maxControls) {
        fail("more than " + std::to_string(DefinitionReader::maxControls) + " controls");
    }
    stack_.push_back(&add(*cls, std::string(name), container));
}

Control& DefinitionParser::add(ControlClass cls, std::string name, Control* container) {
    Control& c = form_.add(cls, std::move(name), container);
    // The class defaults that differ from Values' own.
    if (cls == ControlClass::Timer) c.storedValues().enabled = True;
    return c;
}

void DefinitionParser::setting(std::size_t level, std::string_view key, std::string_view value) {
    if (level == 0 || level > stack_.size()) fail("a setting must be indented under its control");
    stack_.resize(level);
    Control& c = *stack_.back();
    const auto property = propertyByName(key);
    if (!property) fail("unknown property \"" + excerpt(key) + "\"");
    if (!hasProperty(c.controlClass(), *property)) {
        fail(std::string(className(c.controlClass())) + " has no property " + std::string(key));
    }
    if (!seen_.emplace(&c, *property).second) {
        fail(std::string(key) + " is set twice for " + excerpt(c.name()));
    }

    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    if (value.empty()) fail("missing value for " + std::string(key));

    Control::Values& v = c.storedValues();
    auto font = [&v]() -> Font& {
        if (!v.font) v.font = Font{};
        return *v.font;
    };
    using enum Property;
    // One property a line, so that the switch reads as the table it is.
    // clang-format off
    switch (*property) {
        case Left: v.left = single(value); break;
        case Top: v.top = single(value); break;
        case Width: v.width = single(value); break;
        case Height: v.height = single(value); break;
        case X1: v.x1 = single(value); break;
        case Y1: v.y1 = single(value); break;
        case X2: v.x2 = single(value); break;
        case Y2: v.y2 = single(value); break;
        case Visible: v.visible = boolean(value); break;
        case Enabled: v.enabled = boolean(value); break;
        case Checked: v.checked = boolean(value); break;
        case Caption: v.caption = quoted(value); break;
        case Interval: v.interval = whole(value); break;
        case BackColor: v.backColor = colour(value); break;
        case ForeColor: v.foreColor = colour(value); break;
        case BorderColor: v.borderColor = colour(value); break;
        case FontName: font().name = quoted(value); break;
        case FontSize: font().size = single(value); break;
        case FontBold: font().bold = boolean(value) != False; break;
        case FontCharset: font().charset = whole(value); break;
        case Stretch: v.stretch = boolean(value); break;
        case Alignment: v.alignment = whole(value); break;
        case TabIndex: v.tabIndex = whole(value); break;
        case ClientWidth: v.clientWidth = whole(value); break;
        case ClientHeight: v.clientHeight = whole(value); break;
        case BorderStyle: v.borderStyle = whole(value); break;
        case MinButton: v.minButton = boolean(value); break;
        case MaxButton: v.maxButton = boolean(value); break;
        case ShowInTaskbar: v.showInTaskbar = boolean(value); break;
        case StartUpPosition: v.startUpPosition = whole(value); break;
        case MousePointer: v.mousePointer = whole(value); break;
        case LinkTopic: v.linkTopic = quoted(value); break;
        // clang-format on
        case Picture:
        case Icon:
        case MouseIcon: {
            std::string name = quoted(value);
            if (!pictures_(name)) fail("missing picture \"" + excerpt(name) + "\"");
            (*property == Picture ? v.picture
             : *property == Icon  ? v.icon
                                  : v.mouseIcon) = std::move(name);
            break;
        }
    }
}

Single DefinitionParser::single(std::string_view text) const {
    float number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    // from_chars also takes "inf" and "nan", which no stored setting is.
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(number)) {
        fail("bad number \"" + excerpt(text) + "\"");
    }
    return number;
}

Long DefinitionParser::whole(std::string_view text) const {
    Long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size()) {
        fail("bad whole number \"" + excerpt(text) + "\"");
    }
    return number;
}

Boolean DefinitionParser::boolean(std::string_view text) const {
    if (text == "True") return True;
    if (text == "False") return False;
    fail("expected True or False, not \"" + excerpt(text) + "\"");
}

std::string DefinitionParser::quoted(std::string_view text) const {
    if (text.empty() || text.front() != '"') fail("expected a quoted text");
    std::string out;
    std::size_t i = 1;
    for (;;) {
        if (i >= text.size()) fail("unterminated text");
        if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
                out += '"';
                i += 2;
                continue;
            }
            if (i + 1 != text.size()) fail("unexpected characters after the closing quote");
            return out;
        }
        out += text[i++];
    }
}

Colour DefinitionParser::colour(std::string_view text) const {
    if (text.size() < 4 || text.substr(0, 2) != "&H" || text.back() != '&' || text.size() > 12) {
        fail("expected a colour &H00BBGGRR&, not \"" + excerpt(text) + "\"");
    }
    const std::string_view digits = text.substr(2, text.size() - 3);
    Colour value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc{} || end != digits.data() + digits.size()) {
        fail("expected a colour &H00BBGGRR&, not \"" + excerpt(text) + "\"");
    }
    return value;
}

DefinitionError::DefinitionError(std::int64_t line, const std::string& what)
    : std::runtime_error("window definition, line " + std::to_string(line) + ": " + what),
      line_(line) {}

std::unique_ptr<Form> DefinitionReader::read(std::string_view windows1251,
                                             const PictureExists& pictures) {
    std::unique_ptr<Form> form(new Form());
    DefinitionParser parser(pictures, *form);
    std::int64_t number = 0;
    std::size_t start = 0;
    while (start < windows1251.size()) {
        std::size_t end = windows1251.find('\n', start);
        if (end == std::string_view::npos) end = windows1251.size();
        parser.line(++number, windows1251.substr(start, end - start));
        start = end + 1;
    }
    parser.finish(number);
    return form;
}

}  // namespace forms
