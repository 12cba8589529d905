// The game window on the desktop, offscreen: what a player sees and what the keys do.

// Mouse clicks go through the window, which finds the widget under the pointer as for a player.
#define QTEST_QPA_MOUSE_HANDLING

#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "access_log.h"
#include "field.h"
#include "form_window.h"
#include "game_fixture.h"
#include "surface.h"

// Places and sizes print as numbers when a check fails.
void PrintTo(const QPoint& point, std::ostream* os) {
    *os << "(" << point.x() << ", " << point.y() << ")";
}
void PrintTo(const QSize& size, std::ostream* os) {
    *os << size.width() << " x " << size.height();
}

namespace kestrune::testing {
namespace {

const QColor olive(192, 192, 0);
const QColor frameBlue(0, 0, 255);
const QColor skyBlue(138, 197, 255);
const QColor yellow(255, 255, 0);

bool near(const QColor& a, const QColor& b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class GameWindow : public ::testing::Test, public HeadlessGame {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QImage grab() { return window.clientArea().grab().toImage(); }

    // The client area as a screen of that many device pixels to a pixel of the form paints it.
    QImage paintedAt(qreal ratio) {
        QImage image((QSizeF(window.clientArea().size()) * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        window.clientArea().render(&image);
        return image;
    }
    QColor pixel(int x, int y) { return grab().pixelColor(x, y); }

    void altKey(Qt::Key key, char16_t letter) {
        QTest::sendKeyEvent(QTest::Click, &window, key, QString(QChar(letter)), Qt::AltModifier);
    }

    QMenu* menu(int index) { return window.menuBar()->actions().at(index)->menu(); }

    forms::FormWindow window{rt};
};

// The client area is 428 x 366 pixels below the menu bar, under the game's title.
TEST_F(GameWindow, SizeAndTitle) {
    EXPECT_EQ(window.clientArea().size(), QSize(428, 366));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Kestrune!!!"));
    EXPECT_FALSE(window.windowIcon().isNull());
}

// At start the window is olive, the blue frame lines stand over the title picture, and the
// title picture covers the field and every object in it.
TEST_F(GameWindow, IdleScreen) {
    const QImage image = grab();
    struct Place {
        int x, y;
        QColor colour;
    };
    const std::vector<Place> places{
        {2, 2, olive},       {426, 100, olive},     {270, 270, olive},     {200, 8, frameBlue},
        {8, 100, frameBlue}, {424, 100, frameBlue}, {200, 264, frameBlue},
    };
    for (const Place& p : places) {
        EXPECT_EQ(image.pixelColor(p.x, p.y), p.colour) << p.x << "," << p.y;
    }

    // Inside the frame stands the title picture, stretched to 417 x 257 from (8, 8).
    const QImage title =
        QImage::fromData(reinterpret_cast<const uchar*>(rt.picture("title.bmp").data()),
                         int(rt.picture("title.bmp").size()), "BMP")
            .scaled(417, 257, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ASSERT_FALSE(title.isNull());
    // Among them the cells of Image4 (column 11, row 5) and Imagering1 (column 2, row 6).
    for (const QPoint at : {QPoint(100, 60), QPoint(376, 184), QPoint(88, 216), QPoint(212, 130)}) {
        EXPECT_TRUE(near(image.pixelColor(at), title.pixelColor(at - QPoint(8, 8)), 12))
            << at.x() << "," << at.y();
    }
}

// At start the move, pause and continue keys do nothing: their buttons are disabled.
TEST_F(GameWindow, DisabledKeysDoNothingAtStart) {
    AccessLog log;
    rt.form().addObserver(&log);
    altKey(Qt::Key_A, u'a');
    altKey(Qt::Key_Z, u'z');
    altKey(Qt::Key_W, u'w');
    altKey(Qt::Key_E, u'e');
    rt.form().removeObserver(&log);
    EXPECT_TRUE(log.accesses.empty());
    EXPECT_EQ(pattern(), idle);
}

// A click on a picture, a label or the field raises nothing: only buttons and menus have
// handlers.
TEST_F(GameWindow, ClicksOnPicturesAndLabelsDoNothing) {
    ASSERT_TRUE(rt.click("Command1"));
    AccessLog log;
    rt.form().addObserver(&log);
    // The hero, the field, a block's stored cell, the score words and the score.
    for (const QPoint at :
         {QPoint(24, 24), QPoint(200, 100), QPoint(312, 56), QPoint(100, 288), QPoint(170, 288)}) {
        QTest::mouseClick(&window.clientArea(), Qt::LeftButton, {}, at);
    }
    rt.form().removeObserver(&log);
    EXPECT_TRUE(log.accesses.empty());
}

// The menus hold the game's commands and the help, with plain captions: no access keys and no
// shortcut keys, all enabled and unchecked.
TEST_F(GameWindow, Menus) {
    const QList<QAction*> bar = window.menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[0]->text(), QStringLiteral("Игра"));
    EXPECT_EQ(bar[1]->text(), QStringLiteral("Помощь"));
    const std::vector<std::vector<QString>> items{
        {QStringLiteral("Новая"), QStringLiteral("Пауза"), QStringLiteral("Продолжить")},
        {QStringLiteral("Как играть и кто создатель")},
    };
    for (int m = 0; m < 2; ++m) {
        const QList<QAction*> actions = menu(m)->actions();
        ASSERT_EQ(actions.size(), qsizetype(items[m].size()));
        for (int i = 0; i < actions.size(); ++i) {
            EXPECT_EQ(actions[i]->text(), items[m][i]);
            EXPECT_TRUE(actions[i]->isEnabled());
            EXPECT_FALSE(actions[i]->isChecked());
            EXPECT_TRUE(actions[i]->shortcut().isEmpty());
            EXPECT_TRUE(QKeySequence::mnemonic(actions[i]->text()).isEmpty());
        }
        EXPECT_TRUE(QKeySequence::mnemonic(bar[m]->text()).isEmpty());
    }
}

// The menu's pause acts even where the pause button is disabled.
TEST_F(GameWindow, MenuPauseActsInIdle) {
    menu(0)->actions().at(1)->trigger();
    EXPECT_EQ(v("Commandcontinue").enabled, forms::True);
    EXPECT_TRUE(window.findChild<QPushButton*>("Commandcontinue")->isEnabled());
}

// Alt+Q and Alt+Н start a game; Alt+W pauses it and Alt+E continues it; Alt+Z moves the hero.
TEST_F(GameWindow, AccessKeysPlayTheGame) {
    altKey(Qt::Key_Q, u'q');
    EXPECT_EQ(pattern(), running);
    altKey(Qt::Key_W, u'w');
    EXPECT_EQ(pattern(), paused);
    altKey(Qt::Key_E, u'e');
    EXPECT_EQ(pattern(), running);
    altKey(Qt::Key_Z, u'z');
    EXPECT_EQ(v("Imagetravik").top, rowTop(1));
    altKey(Qt::Key_A, u'a');
    altKey(Qt::Key_A, u'a');
    EXPECT_EQ(v("Imagetravik").top, rowTop(7));

    altKey(Qt::Key_W, u'w');
    c("Labelscore").storedValues().caption = "150";
    altKey(Qt::Key(0x041D), u'н');  // Н on a Russian keyboard
    EXPECT_EQ(pattern(), running);
    EXPECT_EQ(v("Labelscore").caption, "0");
}

// A run-time error leaves the window showing what the failed handler wrote: Alt+Z onto a block
// whose contact overflows the step period shows the hero on its new row under the report.
TEST_F(GameWindow, RunTimeErrorShowsTheFailedHandlersWrites) {
    altKey(Qt::Key_Q, u'q');
    c("Image1").setLeft(columnLeft(0));
    c("Image1").setTop(rowTop(1));
    c("Timergame").setInterval(std::numeric_limits<forms::Long>::max());
    std::vector<forms::ErrorKind> reported;
    rt.setErrorHandler([&reported](const forms::RuntimeError& e) { reported.push_back(e.kind()); });

    altKey(Qt::Key_Z, u'z');
    ASSERT_EQ(reported, std::vector{forms::ErrorKind::Overflow});
    ASSERT_EQ(v("Imagetravik").top, rowTop(1));
    // What the window has painted by now, as the screen shows it, against a fresh paint.
    const QRect client(window.clientArea().mapTo(&window, QPoint(0, 0)),
                       window.clientArea().size());
    const QImage shown = window.screen()->grabWindow(window.winId()).toImage().copy(client);
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              grab().convertToFormat(QImage::Format_RGB32));
}

// The open help box hides the score words and the score: what they hold no longer shows; "X"
// closes the box again.
TEST_F(GameWindow, HelpBoxCoversTheScoreAndCloses) {
    const QRect scoreLabels(56, 280, 210, 17);  // Label1 and Labelscore
    auto scoreArea = [this, &scoreLabels] { return grab().copy(scoreLabels); };
    auto changeScore = [this](const char* words, const char* score) {
        c("Label1").storedValues().caption = words;
        c("Labelscore").storedValues().caption = score;
    };
    const QImage shown = scoreArea();
    changeScore("ЖЖЖЖЖЖЖЖ", "999999");
    EXPECT_NE(scoreArea(), shown);  // the labels show through while the box is closed

    QTest::mouseClick(window.findChild<QPushButton*>("Command2"), Qt::LeftButton);
    EXPECT_EQ(v("Frame1").visible, forms::True);
    const QImage covered = scoreArea();
    changeScore("Ваш счёт", "0");
    EXPECT_EQ(scoreArea(), covered);
    int yellowPixels = 0;  // the rules' label, from y 288 down
    for (int y = 0; y < covered.height(); ++y) {
        for (int x = 0; x < covered.width(); ++x)
            yellowPixels += covered.pixelColor(x, y) == yellow;
    }
    EXPECT_GT(yellowPixels, 500);

    QTest::mouseClick(window.findChild<QPushButton*>("Command3"), Qt::LeftButton);
    EXPECT_EQ(v("Frame1").visible, forms::False);
    EXPECT_EQ(scoreArea(), shown);
}

// In a game the field shows the sky, the hero in column 0 and the objects on their cells; a
// taken ring vanishes from the screen.
TEST_F(GameWindow, FieldInPlay) {
    ASSERT_TRUE(rt.click("Command1"));
    // The first game step brings Image5 to column 0, row 7, and Imagering1 and Imagering3 to
    // column 1.
    rt.advance(600);
    const QImage image = grab();
    const auto centre = [](int column, int row) { return QPoint(24 + 32 * column, 24 + 32 * row); };
    EXPECT_EQ(image.pixelColor(200 + 8, 140), skyBlue);                   // an empty cell
    EXPECT_EQ(image.pixelColor(410, 100), olive);                         // right of the sky fill
    EXPECT_NE(image.pixelColor(centre(0, 7)), skyBlue);                   // the block
    EXPECT_EQ(image.pixelColor(centre(0, 0) - QPoint(14, 14)), skyBlue);  // the hero's corner

    // The hero steps onto the ring in column 1's row 3 once it reaches column 0.
    rt.advance(600);
    ASSERT_EQ(v("Imagering3").left, columnLeft(0));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(rt.click("Commanddown"));
    EXPECT_EQ(v("Imagering3").visible, forms::False);
    EXPECT_EQ(v("Labelscore").caption, "50");
    EXPECT_EQ(grab().pixelColor(centre(0, 3) + QPoint(14, 14)), skyBlue);
}

// The window repaints only what each step changed, and painting nothing behind what covers it
// loses nothing: after a long game with moves, blocks and rings taken, the window shows exactly
// what painting all of it afresh shows.
TEST_F(GameWindow, StepRepaintsLeaveNothingBehind) {
    ASSERT_TRUE(rt.click("Command1"));
    c("Labellife").setCaption("1000");  // blocks cost lives; this game is not to end
    for (int tick = 0; tick < 800; ++tick) {
        rt.advance(25);
        if (tick % 5 == 0) {
            ASSERT_TRUE(rt.click(tick % 3 == 0 ? "Commandup" : "Commanddown"));
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
    ASSERT_EQ(v("Timergame").enabled, forms::True);  // still in play
    // The offscreen screen grabs what the window has painted so far.
    const QRect client(window.clientArea().mapTo(&window, QPoint(0, 0)),
                       window.clientArea().size());
    const QImage shown = window.screen()->grabWindow(window.winId()).toImage().copy(client);
    const QImage fresh = grab();
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              fresh.convertToFormat(QImage::Format_RGB32));
}

// Where a window manager forces the window larger than the fixed size it asks for, the client
// area is larger: every control keeps its place from the client area's top left, directly under
// the menu bar, and the rest of the client area shows the form's olive.
TEST_F(GameWindow, ForcedLargerKeepsEveryPlaceAndShowsTheForm) {
    ASSERT_TRUE(rt.click("Command1"));
    const QImage stored = grab();
    const QPoint clientAt = window.clientArea().pos();
    ASSERT_EQ(clientAt, QPoint(0, window.menuBar()->height()));

    // As a kiosk compositor does: it sizes the window to the screen, whatever the window asks.
    window.windowHandle()->resize(800, 600);
    QTRY_COMPARE(window.size(), QSize(800, 600));
    EXPECT_EQ(window.clientArea().pos(), clientAt);
    EXPECT_EQ(window.clientArea().size(), QSize(800, 600 - clientAt.y()));
    const auto* newGame = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(newGame, nullptr);
    EXPECT_EQ(newGame->pos(), QPoint(272, 280));

    const QImage forced = grab();
    EXPECT_EQ(forced.copy(stored.rect()), stored);
    int notOlive = 0;
    for (int y = 0; y < forced.height(); ++y) {
        for (int x = 0; x < forced.width(); ++x) {
            notOlive += !stored.rect().contains(x, y) && forced.pixelColor(x, y) != olive;
        }
    }
    EXPECT_EQ(notOlive, 0);
}

// The blue frame's lines, in pixels of the form: where each stands and which way it runs.
struct FrameLine {
    const char* name;
    int at;  // its x when upright, its y when level
    bool upright;
    int from, to;  // where it runs, corners left out
};
const std::vector<FrameLine> frameLines{
    {"left", 8, true, 9, 263},
    {"right", 424, true, 9, 263},
    {"top", 8, false, 9, 423},
    {"bottom", 264, false, 9, 423},
};

enum class Kind { Frame, Form, Other };

Kind kindOf(QRgb pixel) {
    if (QColor(pixel) == frameBlue) return Kind::Frame;
    if (QColor(pixel) == olive) return Kind::Form;
    return Kind::Other;
}

// A frame line is one pixel of the form thick on a screen of any density: on one of twice the
// density the frame and the pictures meet exactly as in the one-to-one window doubled, with no
// seam of olive inside the frame and no strip of picture outside it.
TEST_F(GameWindow, FrameAtTwiceTheDensityIsTheWindowDoubled) {
    for (const bool playing : {false, true}) {
        SCOPED_TRACE(playing ? "in a game" : "at start");
        if (playing) {
            ASSERT_TRUE(rt.click("Command1"));
        }
        const QImage once = paintedAt(1);
        const QImage twice = paintedAt(2);
        ASSERT_EQ(twice.size(), once.size() * 2);
        for (const FrameLine& line : frameLines) {
            int differing = 0;
            // A band three pixels either side of the line; each pixel is four on the denser screen.
            for (int across = line.at - 3; across <= line.at + 3; ++across) {
                for (int along = line.from; along <= line.to; ++along) {
                    const QPoint p = line.upright ? QPoint(across, along) : QPoint(along, across);
                    if (!once.rect().contains(p)) continue;
                    for (const QPoint quarter :
                         {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                        differing += kindOf(twice.pixel(2 * p + quarter)) != kindOf(once.pixel(p));
                    }
                }
            }
            EXPECT_EQ(differing, 0) << line.name << " line";
        }
    }
}

// At a density between, one and a half device pixels to a pixel of the form, every frame line is
// solid blue, never a pair of half-tone lines, with no seam of olive inside it and no picture
// outside it.
TEST_F(GameWindow, FrameAtOneAndAHalfIsSolidAndSeamless) {
    const qreal ratio = 1.5;
    const QImage image = paintedAt(ratio);
    // Across a line from three pixels inside to three outside: the picture (O), one or two
    // device pixels of blue (B), then the form's olive (F).
    const std::regex sound("O+B{1,2}F+");
    for (const FrameLine& line : frameLines) {
        int badCount = 0;
        std::string bad;
        // Outward from the frame's inside: left and top lines run out towards 0.
        const int outward = line.at < 100 ? -1 : 1;
        const int first = int((line.at - 3 * outward) * ratio);  // three pixels inside
        const int last = int((line.at + 4 * outward) * ratio);   // three pixels outside
        for (int along = int(line.from * ratio) + 1; along < int(line.to * ratio); ++along) {
            std::string profile;
            for (int across = first; across != last; across += outward) {
                const QPoint p = line.upright ? QPoint(across, along) : QPoint(along, across);
                profile += "BFO"[int(kindOf(image.pixel(p)))];
            }
            if (!std::regex_match(profile, sound)) {
                if (bad.empty()) bad = "at " + std::to_string(along) + ": " + profile;
                ++badCount;
            }
        }
        EXPECT_EQ(badCount, 0) << line.name << " line, first " << bad;
    }
}

}  // namespace
}  // namespace kestrune::testing
