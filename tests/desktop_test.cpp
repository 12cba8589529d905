// The desktop window: what it shows of a form and how it feeds the form clicks, keys and timers.

// Mouse clicks go through the window, which finds the widget under the pointer as for a player.
#define QTEST_QPA_MOUSE_HANDLING

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPushButton>
#include <QRegion>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "command_button.h"
#include "cursor_file.h"
#include "definition_reader.h"
#include "form_window.h"
#include "look.h"
#include "picture_cache.h"
#include "platform_start.h"
#include "runtime.h"
#include "surface.h"
#include "thun_rt_main.h"

// Colours print by name when a check fails.
void PrintTo(const QColor& colour, std::ostream* os) {
    *os << colour.name().toStdString();
}

namespace {

using forms::Runtime;

// A demonstration form, 300 x 200 pixels. Places in the comments are in pixels.
constexpr std::string_view demoDefinition =
    "Form Demo\n"
    "  Caption = \"Demo\"\n"
    "  ClientWidth = 4500\n"
    "  ClientHeight = 3000\n"
    "  BackColor = &H00FFFFFF&\n"
    "  BorderStyle = 3\n"
    "  MousePointer = 99\n"
    "  MouseIcon = \"arrow.cur\"\n"
    // (150, 10) 90 x 60, hidden; its button at (160, 30) in the client area
    "  Frame Box\n"
    "    Left = 2250\n"
    "    Top = 150\n"
    "    Width = 1350\n"
    "    Height = 900\n"
    "    Caption = \"Box\"\n"
    "    Visible = False\n"
    "    CommandButton Hide\n"
    "      Left = 150\n"
    "      Top = 300\n"
    "      Width = 900\n"
    "      Height = 375\n"
    "      Caption = \"&Hide\"\n"
    "      TabIndex = 3\n"
    // (220, 20) 60 x 20, partly behind the frame
    "  CommandButton Under\n"
    "    Left = 3300\n"
    "    Top = 300\n"
    "    Width = 900\n"
    "    Height = 300\n"
    "    Caption = \"Under\"\n"
    "    TabIndex = 4\n"
    // (10, 10) 80 x 20, red text on cyan
    "  Label Score\n"
    "    Left = 150\n"
    "    Top = 150\n"
    "    Width = 1200\n"
    "    Height = 300\n"
    "    Caption = \"Score\"\n"
    "    BackColor = &H00FFFF00&\n"
    "    ForeColor = &H000000FF&\n"
    // (10, 40) 10 x 20, black, in front of the left part of the picture
    "  Label Cover\n"
    "    Left = 150\n"
    "    Top = 600\n"
    "    Width = 150\n"
    "    Height = 300\n"
    "    Caption = \"\"\n"
    "    BackColor = &H00000000&\n"
    // (10, 40) 40 x 20: the 8 x 2 picture stretched, blue left, green right
    "  Image Picture\n"
    "    Left = 150\n"
    "    Top = 600\n"
    "    Width = 600\n"
    "    Height = 300\n"
    "    Picture = \"two.bmp\"\n"
    "    Stretch = True\n"
    // (200, 70) 40 x 10, magenta, moved 60 pixels left by Tick
    "  Label Mover\n"
    "    Left = 3000\n"
    "    Top = 1050\n"
    "    Width = 600\n"
    "    Height = 150\n"
    "    Caption = \"\"\n"
    "    BackColor = &H00FF00FF&\n"
    // from (10, 90) to (100, 90), blue
    "  Line Rule\n"
    "    X1 = 150\n"
    "    Y1 = 1350\n"
    "    X2 = 1500\n"
    "    Y2 = 1350\n"
    "    BorderColor = &H00FF0000&\n"
    // (10, 100) 120 x 25
    "  CommandButton Start\n"
    "    Left = 150\n"
    "    Top = 1500\n"
    "    Width = 1800\n"
    "    Height = 375\n"
    "    Caption = \"&\xCD\xEE\xE2\xE0\xFF (&Q)\"\n"
    "    FontName = \"MS Sans Serif\"\n"
    "    FontSize = 12\n"
    "    FontBold = True\n"
    "    TabIndex = 1\n"
    // (150, 100) 80 x 25
    "  CommandButton Stopped\n"
    "    Left = 2250\n"
    "    Top = 1500\n"
    "    Width = 1200\n"
    "    Height = 375\n"
    "    Caption = \"S&top\"\n"
    "    Enabled = False\n"
    "    TabIndex = 0\n"
    // (150, 150) 80 x 25
    "  CommandButton Open\n"
    "    Left = 2250\n"
    "    Top = 2250\n"
    "    Width = 1200\n"
    "    Height = 375\n"
    "    Caption = \"&Open\"\n"
    "    TabIndex = 2\n"
    // (240, 150) 60 x 25, hidden
    "  CommandButton Secret\n"
    "    Left = 3600\n"
    "    Top = 2250\n"
    "    Width = 900\n"
    "    Height = 375\n"
    "    Caption = \"Se&cret\"\n"
    "    Visible = False\n"
    "    TabIndex = 5\n"
    "  Timer Tick\n"
    "    Enabled = False\n"
    "    Interval = 100\n"
    "  Menu Game\n"
    "    Caption = \"&Game\"\n"
    "    Menu NewGame\n"
    "      Caption = \"New && fresh\"\n"
    "    Menu Off\n"
    "      Caption = \"Off\"\n"
    "      Enabled = False\n";

const QRect hideButtonInClient(160, 30, 60, 25);
const QPoint frameOverUnder(230, 25);
const QRect scorePlace(10, 10, 80, 20);
const QRect moverBefore(200, 70, 40, 10);
const QRect moverAfter(140, 70, 40, 10);
const QPoint cursorHotSpot(3, 5);

std::vector<std::string>& clicks() {
    static std::vector<std::string> log;
    return log;
}

void Start_Click(Runtime& rt) {
    clicks().push_back("Start");
    rt.form().control("Tick").setEnabled(forms::True);
}
void Stopped_Click(Runtime&) {
    clicks().push_back("Stopped");
}
void Open_Click(Runtime& rt) {
    clicks().push_back("Open");
    rt.form().control("Box").setVisible(forms::True);
}
void Hide_Click(Runtime& rt) {
    clicks().push_back("Hide");
    rt.form().control("Box").setVisible(forms::False);
}
void Under_Click(Runtime&) {
    clicks().push_back("Under");
}
void NewGame_Click(Runtime&) {
    clicks().push_back("NewGame");
}
void Off_Click(Runtime&) {
    clicks().push_back("Off");
}
void Tick_Timer(Runtime& rt) {
    forms::Control& mover = rt.form().control("Mover");
    mover.setLeft(mover.left() - 900);
    rt.form().control("Tick").setEnabled(forms::False);
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), std::size_t(bytes.size())};
}

// Blue on the left half, green on the right.
const QByteArray& twoColourBmp() {
    static const QByteArray bytes = [] {
        QImage image(8, 2, QImage::Format_RGB32);
        image.fill(Qt::green);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 4; ++x) image.setPixel(x, y, qRgb(0, 0, 255));
        }
        return encoded(image, "BMP");
    }();
    return bytes;
}

// An icon file made into a cursor file: type 2, and the hot spot in the directory entry.
const QByteArray& arrowCur() {
    static const QByteArray bytes = [] {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(qRgba(0, 0, 0, 255));
        QByteArray cur = encoded(image, "ICO");
        cur[2] = 2;
        cur[10] = char(cursorHotSpot.x());
        cur[12] = char(cursorHotSpot.y());
        return cur;
    }();
    return bytes;
}

forms::ProgramDescription demoProgram() {
    return {
        demoDefinition,
        {{"two.bmp", view(twoColourBmp())}, {"arrow.cur", view(arrowCur())}},
        {{"Start_Click", Start_Click},
         {"Stopped_Click", Stopped_Click},
         {"Open_Click", Open_Click},
         {"Hide_Click", Hide_Click},
         {"Under_Click", Under_Click},
         {"NewGame_Click", NewGame_Click},
         {"Off_Click", Off_Click},
         {"Tick_Timer", Tick_Timer}},
    };
}

// Records the regions the client area repaints.
class PaintLog : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

class DemoWindow : public ::testing::Test {
protected:
    void SetUp() override {
        clicks().clear();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QPushButton& button(const char* name) {
        auto* found = window.findChild<QPushButton*>(QString::fromLatin1(name));
        if (found == nullptr) throw std::runtime_error(std::string("no button ") + name);
        return *found;
    }

    QImage grabClient() { return window.clientArea().grab().toImage(); }

    Runtime runtime{demoProgram()};
    forms::FormWindow window{runtime};
};

// The window takes the form's Caption, and its client area is exactly ClientWidth x ClientHeight.
TEST_F(DemoWindow, ClientAreaHasTheDefinitionsSize) {
    EXPECT_EQ(window.clientArea().size(), QSize(300, 200));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Demo"));
}

// A mouse click on an enabled button runs its Click handler, once.
TEST_F(DemoWindow, MouseClickRunsTheHandler) {
    QTest::mouseClick(&button("Start"), Qt::LeftButton);
    EXPECT_EQ(clicks(), std::vector<std::string>{"Start"});
}

// A disabled button takes no click.
TEST_F(DemoWindow, DisabledButtonIgnoresTheMouse) {
    QTest::mouseClick(&button("Stopped"), Qt::LeftButton);
    EXPECT_TRUE(clicks().empty());
}

// Space clicks the focused button, and focus starts at the first button that can take it.
TEST_F(DemoWindow, FocusStartsAtTheFirstEnabledButtonAndFollowsTabIndex) {
    EXPECT_EQ(QApplication::focusWidget(), &button("Start"));
    QTest::keyClick(&button("Start"), Qt::Key_Space);
    EXPECT_EQ(clicks(), std::vector<std::string>{"Start"});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &button("Open"));
}

struct AccessKeyCase {
    const char* what;
    int key;
    std::vector<std::string> clicked;
};

void PrintTo(const AccessKeyCase& c, std::ostream* os) {
    *os << c.what;
}

class AccessKeys : public DemoWindow, public ::testing::WithParamInterface<AccessKeyCase> {};

// Alt and any letter a caption marks clicks the button, while it is enabled and shown.
TEST_P(AccessKeys, AltAndTheMarkedLetterClicks) {
    const auto key = Qt::Key(GetParam().key);
    QTest::sendKeyEvent(QTest::Click, &window, key, QString(QChar(key).toLower()), Qt::AltModifier);
    EXPECT_EQ(clicks(), GetParam().clicked);
}

INSTANTIATE_TEST_SUITE_P(Captions, AccessKeys,
                         ::testing::Values(AccessKeyCase{"FirstMarkCyrillic", 0x041D, {"Start"}},
                                           AccessKeyCase{"SecondMark", Qt::Key_Q, {"Start"}},
                                           AccessKeyCase{"UnmarkedLetter", Qt::Key_B, {}},
                                           AccessKeyCase{"DisabledButton", Qt::Key_T, {}},
                                           AccessKeyCase{"HiddenButton", Qt::Key_C, {}},
                                           AccessKeyCase{"ButtonOfHiddenFrame", Qt::Key_H, {}}),
                         [](const auto& info) { return std::string(info.param.what); });

// A picture file is read as the format its first bytes name; anything else is no picture.
TEST(DecodePicture, ReadsTheFormatTheFileNames) {
    EXPECT_EQ(forms::decodePicture(view(twoColourBmp())).size(), QSize(8, 2));
    EXPECT_EQ(forms::decodePicture(view(arrowCur())).size(), QSize(16, 16));
    QByteArray icon = arrowCur();
    icon[2] = 1;
    EXPECT_EQ(forms::decodePicture(view(icon)).size(), QSize(16, 16));
    // PNG bytes are a picture Qt could read, but not one of the formats a form holds.
    QImage png(4, 4, QImage::Format_RGB32);
    png.fill(Qt::red);
    EXPECT_TRUE(forms::decodePicture(view(encoded(png, "PNG"))).isNull());
    EXPECT_TRUE(forms::decodePicture("BM not a bitmap").isNull());
    EXPECT_TRUE(forms::decodePicture("").isNull());
}

// Every marked letter of a caption is an access key, in order; "&&" is a plain "&".
TEST(AccessKeyLetters, EveryMarkCounts) {
    EXPECT_EQ(forms::accessKeys(QString::fromUtf8("&Новая игра (&Q)")),
              (QList<QChar>{QChar(0x041D), u'Q'}));
    EXPECT_EQ(forms::accessKeys(QStringLiteral("R&&D &x")), QList<QChar>{u'x'});
}

// A button shows its control's Visible and Enabled, and follows them when they change.
TEST_F(DemoWindow, ButtonsFollowVisibleAndEnabled) {
    EXPECT_FALSE(button("Secret").isVisible());
    EXPECT_FALSE(button("Stopped").isEnabled());
    EXPECT_TRUE(button("Start").isVisible() && button("Start").isEnabled());

    runtime.form().control("Secret").setVisible(forms::True);
    runtime.form().control("Stopped").setEnabled(forms::True);
    window.sync();
    EXPECT_TRUE(button("Secret").isVisible());
    EXPECT_TRUE(button("Stopped").isEnabled());
}

// A hidden frame hides its buttons: they are not drawn and a click at their place does nothing.
TEST_F(DemoWindow, HiddenFrameHidesAndShieldsItsButtons) {
    EXPECT_FALSE(button("Hide").isVisible());
    QTest::mouseClick(&window.clientArea(), Qt::LeftButton, {}, hideButtonInClient.center());
    EXPECT_TRUE(clicks().empty());
    EXPECT_EQ(grabClient().pixelColor(hideButtonInClient.center()), QColor(Qt::white));

    QTest::mouseClick(&button("Open"), Qt::LeftButton);
    ASSERT_TRUE(button("Hide").isVisible());
    QTest::mouseClick(&window.clientArea(), Qt::LeftButton, {}, hideButtonInClient.center());
    EXPECT_EQ(clicks(), (std::vector<std::string>{"Open", "Hide"}));
    EXPECT_FALSE(button("Hide").isVisible());
}

// Among the widgets of a container the one listed first stands in front.
TEST_F(DemoWindow, FrameStandsInFrontOfTheButtonListedAfterIt) {
    QTest::mouseClick(&window.clientArea(), Qt::LeftButton, {}, frameOverUnder);
    QTest::mouseClick(&button("Open"), Qt::LeftButton);
    QTest::mouseClick(&window.clientArea(), Qt::LeftButton, {}, frameOverUnder);
    EXPECT_EQ(clicks(), (std::vector<std::string>{"Under", "Open"}));
}

struct PixelCase {
    const char* what;
    QPoint at;
    QColor expected;
};

void PrintTo(const PixelCase& c, std::ostream* os) {
    *os << c.what;
}

class Pixels : public DemoWindow, public ::testing::WithParamInterface<PixelCase> {};

// Painted controls show at their places, back to front, with lines one pixel thick.
TEST_P(Pixels, ShowTheExpectedColour) {
    EXPECT_EQ(grabClient().pixelColor(GetParam().at), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Drawing, Pixels,
                         ::testing::Values(PixelCase{"LabelBackColor", {85, 25}, Qt::cyan},
                                           PixelCase{"LabelInFrontOfPicture", {15, 50}, Qt::black},
                                           PixelCase{"PictureLeftHalf", {22, 50}, Qt::blue},
                                           PixelCase{"PictureRightHalf", {45, 50}, Qt::green},
                                           PixelCase{"LineOnItsRow", {50, 90}, Qt::blue},
                                           PixelCase{"NothingBelowTheLine", {50, 91}, Qt::white},
                                           PixelCase{"BackColorElsewhere", {299, 199}, Qt::white}),
                         [](const auto& info) { return std::string(info.param.what); });

// A label's caption is drawn in its ForeColor, from the top left of its rectangle.
TEST_F(DemoWindow, LabelTextAppearsTopLeft) {
    const QImage image = grabClient();
    auto reddish = [&image](const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 160 && c.green() < 100) return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(reddish(scorePlace.adjusted(0, 0, -scorePlace.width() / 2, 0)));
    EXPECT_FALSE(reddish(scorePlace.adjusted(scorePlace.width() * 3 / 4, 0, 0, 0)));
}

// After a timer's handler moves a label, the window repaints where it was and where it is,
// and nothing that did not change.
TEST_F(DemoWindow, RepaintsOnlyWhatChanged) {
    QTest::mouseClick(&button("Start"), Qt::LeftButton);
    QTest::qWait(50);  // lets the click's own repaints pass
    PaintLog log;
    window.clientArea().installEventFilter(&log);
    runtime.advance(100);
    ASSERT_TRUE(QTest::qWaitFor([&log] { return !log.painted.isEmpty(); }));
    EXPECT_TRUE(log.painted.contains(moverBefore));
    EXPECT_TRUE(log.painted.contains(moverAfter));
    EXPECT_FALSE(log.painted.intersects(scorePlace));

    const QImage image = grabClient();
    EXPECT_EQ(image.pixelColor(moverAfter.center()), QColor(Qt::magenta));
    EXPECT_EQ(image.pixelColor(moverBefore.center()), QColor(Qt::white));
}

// Menus show their captions with no access keys, and picking an item clicks it.
TEST_F(DemoWindow, MenuItemsClickAndTakeNoAccessKeys) {
    ASSERT_NE(window.menuBar(), nullptr);
    const QList<QAction*> bar = window.menuBar()->actions();
    ASSERT_EQ(bar.size(), 1);
    QMenu* game = bar.front()->menu();
    ASSERT_NE(game, nullptr);
    const QList<QAction*> items = game->actions();
    ASSERT_EQ(items.size(), 2);
    for (QAction* action : {bar.front(), items[0], items[1]}) {
        EXPECT_TRUE(QKeySequence::mnemonic(action->text()).isEmpty())
            << action->text().toStdString();
        EXPECT_TRUE(action->shortcut().isEmpty());
    }
    EXPECT_FALSE(items[1]->isEnabled());

    items[0]->trigger();
    items[1]->trigger();
    EXPECT_EQ(clicks(), std::vector<std::string>{"NewGame"});
}

// With MousePointer 99 the client area takes the cursor file's picture and hot spot.
TEST_F(DemoWindow, CustomCursorKeepsItsHotSpot) {
    EXPECT_EQ(forms::cursorHotSpot(view(arrowCur())), cursorHotSpot);
    EXPECT_EQ(window.clientArea().cursor().hotSpot(), cursorHotSpot);
    EXPECT_EQ(window.clientArea().cursor().pixmap().size(), QSize(16, 16));
}

struct FarPlace {
    const char* what;
    forms::Single twips;
};

void PrintTo(const FarPlace& c, std::ostream* os) {
    *os << c.what;
}

class FarWrites : public DemoWindow, public ::testing::WithParamInterface<FarPlace> {};

// A handler may write any Single to a place: the window still draws, and when the place is
// written back the control shows there again.
TEST_P(FarWrites, DrawAndComeBack) {
    forms::Control& mover = runtime.form().control("Mover");
    for (const char* name : {"Mover", "Picture", "Start", "Box"}) {
        runtime.form().control(name).setLeft(GetParam().twips);
        runtime.form().control(name).setTop(GetParam().twips);
    }
    runtime.form().control("Box").setVisible(forms::True);
    window.sync();
    EXPECT_EQ(grabClient().pixelColor(moverBefore.center()), QColor(Qt::white));

    mover.setLeft(3000);
    mover.setTop(1050);
    window.sync();
    EXPECT_EQ(grabClient().pixelColor(moverBefore.center()), QColor(Qt::magenta));
}

INSTANTIATE_TEST_SUITE_P(
    Places, FarWrites,
    ::testing::Values(FarPlace{"Largest", std::numeric_limits<forms::Single>::max()},
                      FarPlace{"Lowest", std::numeric_limits<forms::Single>::lowest()},
                      FarPlace{"Infinity", std::numeric_limits<forms::Single>::infinity()},
                      FarPlace{"MinusInfinity", -std::numeric_limits<forms::Single>::infinity()},
                      FarPlace{"NaN", std::numeric_limits<forms::Single>::quiet_NaN()},
                      FarPlace{"FarButInRange", -9.0e6f}),
    [](const auto& info) { return std::string(info.param.what); });

// A form of places and sizes far beyond any screen, 300 x 200 pixels. Places in pixels.
constexpr std::string_view farDefinition =
    "Form Far\n"
    "  ClientWidth = 4500\n"
    "  ClientHeight = 3000\n"
    // from (280, 180) on, as large as a place can be
    "  CommandButton Huge\n"
    "    Left = 4200\n"
    "    Top = 2700\n"
    "    Width = 3.4e38\n"
    "    Height = 3.4e38\n"
    "    Caption = \"Huge\"\n"
    // corner to corner of the widest place there is, so through (50, 50), black
    "  Line Across\n"
    "    X1 = -3.4e38\n"
    "    Y1 = -3.4e38\n"
    "    X2 = 3.4e38\n"
    "    Y2 = 3.4e38\n"
    // (60, 120) 60 x 30, green, its caption in a font of 1e30 points
    "  Label Loud\n"
    "    Left = 900\n"
    "    Top = 1800\n"
    "    Width = 900\n"
    "    Height = 450\n"
    "    Caption = \".\"\n"
    "    BackColor = &H0000FF00&\n"
    "    FontSize = 1e30\n"
    // (250, 170) 40 x 20, with a caption in that font too
    "  CommandButton Shout\n"
    "    Left = 3750\n"
    "    Top = 2550\n"
    "    Width = 600\n"
    "    Height = 300\n"
    "    Caption = \"Go\"\n"
    "    FontSize = 1e30\n"
    // far past the bottom right, as large as a place can be
    "  Image Nowhere\n"
    "    Left = 3.4e38\n"
    "    Top = 3.4e38\n"
    "    Width = 3.4e38\n"
    "    Height = 3.4e38\n"
    "    Picture = \"two.bmp\"\n"
    "    Stretch = True\n"
    // from (150, 0) on, 60000 x 60000: the picture's blue half fills the rest of the window
    "  Image Giant\n"
    "    Left = 2250\n"
    "    Top = 0\n"
    "    Width = 900000\n"
    "    Height = 900000\n"
    "    Picture = \"two.bmp\"\n"
    "    Stretch = True\n"
    // from far above and left to far below and right, grey, behind everything
    "  Label Vast\n"
    "    Left = -7.5e6\n"
    "    Top = -3.4e38\n"
    "    Width = 3.4e38\n"
    "    Height = 3.4e38\n"
    "    Caption = \"Vast\"\n"
    "    FontSize = -5\n";

class FarWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QImage grabClient() { return window.clientArea().grab().toImage(); }

    Runtime runtime{
        forms::ProgramDescription{farDefinition, {{"two.bmp", view(twoColourBmp())}}, {}}};
    forms::FormWindow window{runtime};
};

// Places and sizes far off any screen, and fonts of any size, are drawn where they show.
TEST_F(FarWindow, DrawsWhatShows) {
    const QImage image = grabClient();
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(180, 180), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(90, 140), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(200, 20), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(299, 150), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(20, 10), forms::defaultBackColor());
    EXPECT_NE(image.pixelColor(290, 190), QColor(Qt::blue));
}

// The client area is 0 to 8192 pixels a side, whatever ClientWidth and ClientHeight ask.
TEST(ClientArea, StaysWithinReach) {
    auto clientSize = [](const char* width, const char* height) {
        const std::string definition = std::string("Form Big\n  ClientWidth = ") + width +
                                       "\n  ClientHeight = " + height + "\n";
        Runtime runtime{forms::ProgramDescription{definition, {}, {}}};
        forms::FormWindow window{runtime};
        window.show();
        // An empty window is never exposed; any other is, and so painted whole.
        if (!window.clientArea().size().isEmpty()) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        }
        return window.clientArea().size();
    };
    EXPECT_EQ(clientSize("2147483647", "300"), QSize(8192, 20));
    EXPECT_EQ(clientSize("-600", "-2147483648"), QSize(0, 0));
}

// A picture stretched past a screen's size is made only for the part that shows.
TEST_F(FarWindow, StretchesOnlyWhatShowsOfAGiantPicture) {
    forms::PictureCache pictures(runtime);
    const QSize giant(60000, 60000);
    for (const auto& [shows, colour] : {std::pair{QRect(1000, 100, 20, 10), QColor(Qt::blue)},
                                        {QRect(59000, 59000, 20, 10), QColor(Qt::green)}}) {
        const auto [pixmap, at] = pictures.scaled("two.bmp", giant, shows);
        EXPECT_EQ(at, shows.topLeft());
        ASSERT_EQ(pixmap.size(), shows.size());
        EXPECT_EQ(pixmap.toImage().pixelColor(10, 5), colour);
    }
    EXPECT_EQ(pictures.scaled("two.bmp", giant, QRect(59990, 59990, 50, 50)).pixmap.size(),
              QSize(10, 10));
    EXPECT_TRUE(pictures.scaled("two.bmp", giant, QRect(70000, 0, 10, 10)).pixmap.isNull());
}

// Twips become pixels at 15 a pixel, negative places included, and font points become
// pixels at 96 a inch, whatever the screen.
TEST(Units, TwipsAndPointsBecomePixels) {
    EXPECT_EQ(forms::pixels(6420), 428);
    EXPECT_EQ(forms::pixels(5490), 366);
    EXPECT_EQ(forms::pixels(-360), -24);
    EXPECT_EQ(forms::pixels(8), 1);
    EXPECT_EQ(forms::pixels(-8), -1);
    EXPECT_EQ(forms::pixels(7), 0);
    for (const auto& [points, pixels] :
         {std::pair{8.25f, 11}, {12.0f, 16}, {13.5f, 18}, {24.0f, 32}}) {
        forms::Control::Values values;
        values.font = forms::Font{"MS Sans Serif", points, true, 204};
        const QFont font = forms::fontOf(values);
        EXPECT_EQ(font.pixelSize(), pixels) << points;
        EXPECT_EQ(font.family(), QStringLiteral("Liberation Sans"));
        EXPECT_TRUE(font.bold());
    }
    EXPECT_EQ(forms::colour(0x00336699), QColor(0x99, 0x66, 0x33));
}

// Places past a million pixels either way stop there and NaN stands at 0, so that QRect can
// add them up; font sizes of any number of points become 1 to 4096 pixels.
TEST(Units, ValuesPastAnyScreenStayDrawable) {
    using Limits = std::numeric_limits<forms::Single>;
    EXPECT_EQ(forms::pixels(15'000'000), 1'000'000);
    for (const auto& [twips, pixels] : {std::pair{Limits::max(), 1'000'000},
                                        {Limits::infinity(), 1'000'000},
                                        {Limits::lowest(), -1'000'000},
                                        {-Limits::infinity(), -1'000'000},
                                        {Limits::quiet_NaN(), 0}}) {
        EXPECT_EQ(forms::pixels(twips), pixels) << twips;
    }
    for (const auto& [points, pixels] : {std::pair{1e30f, 4096},
                                         {Limits::infinity(), 4096},
                                         {0.2f, 1},
                                         {-5.0f, 1},
                                         {Limits::quiet_NaN(), 1}}) {
        forms::Control::Values values;
        values.font = forms::Font{"MS Sans Serif", points, false, 0};
        EXPECT_EQ(forms::fontOf(values).pixelSize(), pixels) << points;
    }
}

// What reaches the message handler that stood before any guard.
std::vector<std::string> handled;

void record(QtMsgType, const QMessageLogContext&, const QString& message) {
    handled.push_back(message.toStdString());
}

// A second guard while one stands is refused, and the first still gives messages back to the
// handler that stood before it: those it held as it ends, and every later one.
TEST(PlatformStartGuard, SecondWhileOneStandsIsRefused) {
    handled.clear();
    const QtMessageHandler before = qInstallMessageHandler(record);
    {
        const forms::PlatformStartGuard first("first");
        EXPECT_THROW(forms::PlatformStartGuard("second"), std::logic_error);
        qWarning("while the guard stands");
        EXPECT_EQ(handled, std::vector<std::string>{}) << "the guard let a message through";
    }
    qWarning("after the guard");
    // Once the first has ended, a new guard may stand.
    EXPECT_NO_THROW(forms::PlatformStartGuard("again"));
    qInstallMessageHandler(before);
    EXPECT_EQ(handled, (std::vector<std::string>{"while the guard stands", "after the guard"}));
}

// The widgets that take a paint event while it is installed.
class PaintedWidgets : public QObject {
public:
    PaintedWidgets() { QApplication::instance()->installEventFilter(this); }
    ~PaintedWidgets() override { QApplication::instance()->removeEventFilter(this); }

    QSet<const QObject*> painted;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted.insert(object);
        return false;
    }
};

constexpr std::size_t maxControls = forms::DefinitionReader::maxControls;
constexpr std::size_t maxDepth = forms::DefinitionReader::maxDepth;

std::string twips(std::size_t pixels) {
    return std::to_string(pixels * 15);
}

// "  Left = ..." to "  Height = ...", indented under a control.
std::string placeLines(const std::string& indent, std::size_t left, std::size_t top,
                       std::size_t side) {
    return indent + "  Left = " + twips(left) + "\n" + indent + "  Top = " + twips(top) + "\n" +
           indent + "  Width = " + twips(side) + "\n" + indent + "  Height = " + twips(side) + "\n";
}

constexpr std::size_t cell = 4;  // pixels

std::size_t columnsFor(std::size_t count) {
    std::size_t columns = 1;
    while (columns * columns < count) ++columns;
    return columns;
}

std::string formOf(std::size_t side) {
    return "Form Full\n  ClientWidth = " + twips(side) + "\n  ClientHeight = " + twips(side) + "\n";
}

// Controls side by side in a square of 4-pixel cells: none covers another, so painting their
// container paints every one.
std::string grid(std::string_view cls, std::size_t count, std::size_t level) {
    const std::size_t columns = columnsFor(count);
    const std::string indent(2 * level, ' ');
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += indent + std::string(cls) + " C" + std::to_string(i) + "\n";
        text += placeLines(indent, i % columns * cell, i / columns * cell, cell);
    }
    return text;
}

// As many controls as a definition may hold, all in the form: Qt's widest recursion over
// siblings.
std::string sideBySide(std::string_view cls) {
    return formOf(columnsFor(maxControls) * cell) + grid(cls, maxControls, 1);
}

// Frames nested as deep as a definition allows, each a pixel in from its container's edges so
// that a ring of every one shows, and buttons side by side in the innermost.
std::string nestedFrames(std::size_t buttons) {
    constexpr std::size_t frames = maxDepth - 1;
    const std::size_t side = columnsFor(buttons) * cell + 2 * frames;
    std::string text = formOf(side);
    for (std::size_t level = 1; level <= frames; ++level) {
        const std::string indent(2 * level, ' ');
        text += indent + "Frame F" + std::to_string(level) + "\n";
        text += placeLines(indent, 1, 1, side - 2 * level);
    }
    return text + grid("CommandButton", buttons, maxDepth);
}

// Menus nested as deep as a definition allows, each the one item of the menu before.
std::string nestedMenus() {
    std::string text = "Form Menus\n  ClientWidth = 1500\n  ClientHeight = 1500\n";
    for (std::size_t level = 1; level <= maxDepth; ++level) {
        const std::string indent(2 * level, ' ');
        const std::string name = "M" + std::to_string(level);
        text += indent + "Menu " + name + "\n" + indent + "  Caption = \"" + name + "\"\n";
    }
    return text;
}

struct FullForm {
    const char* what;
    std::string (*definition)();
    qsizetype widgets;  // buttons and frames
};

void PrintTo(const FullForm& c, std::ostream* os) {
    *os << c.what;
}

class FullWindow : public ::testing::TestWithParam<FullForm> {};

// A form as wide or as deep as the reader takes opens, and the window paints every button and
// frame of it.
TEST_P(FullWindow, PaintsEveryWidget) {
    const std::string definition = GetParam().definition();
    Runtime runtime{forms::ProgramDescription{definition, {}, {}}};
    forms::FormWindow window{runtime};
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    PaintedWidgets log;
    window.clientArea().grab();
    const QList<QWidget*> widgets = window.clientArea().findChildren<QWidget*>();
    EXPECT_EQ(widgets.size(), GetParam().widgets);
    const auto unpainted = std::ranges::count_if(
        widgets, [&log](const QWidget* w) { return !log.painted.contains(w); });
    EXPECT_EQ(unpainted, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, FullWindow,
    ::testing::Values(
        FullForm{"ButtonsSideBySide", [] { return sideBySide("CommandButton"); }, maxControls},
        FullForm{"FramesSideBySide", [] { return sideBySide("Frame"); }, maxControls},
        FullForm{"FramesNested", [] { return nestedFrames(1); }, maxDepth},
        FullForm{"FramesNestedFullOfButtons",
                 [] { return nestedFrames(maxControls - (maxDepth - 1)); }, maxControls}),
    [](const auto& info) { return std::string(info.param.what); });

// Menus nested as deep as the reader takes open one from another down to the last item.
TEST(FullWindowMenus, OpenDownToTheDeepestItem) {
    const std::string definition = nestedMenus();
    Runtime runtime{forms::ProgramDescription{definition, {}, {}}};
    forms::FormWindow window{runtime};
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_NE(window.menuBar(), nullptr);
    ASSERT_EQ(window.menuBar()->actions().size(), 1);

    PaintedWidgets log;
    std::vector<QMenu*> opened;
    QAction* item = window.menuBar()->actions().front();
    while (QMenu* menu = item->menu()) {
        const int at = int(opened.size());
        menu->popup(QPoint(at, at));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        opened.push_back(menu);
        ASSERT_EQ(menu->actions().size(), 1);
        item = menu->actions().front();
    }
    EXPECT_EQ(opened.size(), maxDepth - 1);
    EXPECT_EQ(item->text(), QStringLiteral("M%1").arg(maxDepth));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return std::ranges::all_of(opened,
                                   [&log](const QMenu* m) { return log.painted.contains(m); });
    }));
}

// The process ends with the status and the one stderr line each way out calls for.
class Startup : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

void noHandlers(Runtime&) {}

TEST_F(Startup, NoDisplayEndsWithOneLineAndStatusOne) {
    EXPECT_EXIT(
        {
            qputenv("QT_QPA_PLATFORM", "xcb");
            qunsetenv("DISPLAY");
            forms::ThunRTMain(demoProgram());
        },
        ::testing::ExitedWithCode(1),
        "kestrune: no display: cannot open the window: X was asked for "
        "\\(QT_QPA_PLATFORM \"xcb\"\\), but no X display answers: DISPLAY is not set\n$");
}

TEST_F(Startup, BadDefinitionEndsWithStatusOne) {
    EXPECT_EXIT(forms::ThunRTMain({"Form Demo\n  Colour = 1\n", {}, {{"Form_Load", noHandlers}}}),
                ::testing::ExitedWithCode(1), "kestrune: .*line 2.*\n$");
}

void Fail_Load(Runtime& rt) {
    rt.form().control("Missing");
}

TEST_F(Startup, RunTimeErrorShowsTheBoxThenEndsWithStatusOne) {
    EXPECT_EXIT(
        {
            // Stands for the player: accepts the box if it names the window, else fails.
            auto* player = new QTimer;
            QObject::connect(player, &QTimer::timeout, [] {
                auto* box = QApplication::activeModalWidget();
                if (box == nullptr) return;
                if (box->windowTitle() != QStringLiteral("Demo")) std::_Exit(3);
                box->close();
            });
            player->start(20);
            forms::ThunRTMain(
                {"Form Demo\n  Caption = \"Demo\"\n", {}, {{"Form_Load", Fail_Load}}});
        },
        ::testing::ExitedWithCode(1), "Missing");
}

TEST_F(Startup, ClosingTheWindowEndsWithStatusZero) {
    EXPECT_EXIT(
        {
            // The timer keeps firing while the window closes.
            QTimer::singleShot(100, [] {
                for (QWidget* w : QApplication::topLevelWidgets()) w->close();
            });
            forms::ThunRTMain({"Form Demo\n  Timer Busy\n    Interval = 1\n", {}, {}});
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
