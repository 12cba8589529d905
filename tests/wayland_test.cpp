// The game on the desktops people use: on a Wayland compositor with no X server it opens, looks
// as it does on X and plays by its keys; where no display can be opened it says so in one line.
//
// The compositor is weston, nested in an Xvfb screen of the test's own: weston's headless
// screen has no keyboard or mouse, while the nested one takes them from the X screen, so
// xdotool can play. The game itself is given no X display, only the compositor.
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

// Pictures print by size when a check fails.
void PrintTo(const QImage& image, std::ostream* os) {
    *os << image.width() << " x " << image.height() << " picture";
}

namespace {

using namespace std::chrono_literals;

const QString gamePath = QStringLiteral(KESTRUNE_GAME);
const QRgb olive = qRgb(192, 192, 0);  // the window's background
const QSize clientSize(428, 366);
const QRect field(8, 8, 416, 256);  // the sky inside the blue frame, in the client area
const QPoint helpButton(160, 348);  // "Как играть и кто создатель..."
const QPoint gameMenu(20, -10);     // "Игра", on the menu bar above the client area
const QSize xScreenSize(1024, 768);
const QSize westonSize(800, 600);  // weston's window, at the X screen's top left corner

// How many pixels of two pictures of one size differ in colour; all of them when the sizes do.
qsizetype differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return qsizetype(a.width()) * a.height() + 1;
    qsizetype differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) ++differing;
        }
    }
    return differing;
}

// Waits up to a few seconds for what is awaited, looking every 50 ms. The limit is kept by the
// clock, not by counting looks: a look starts a program, which under load takes longer than the
// pause between looks.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s) {
    const QDeadlineTimer deadline(limit);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QThread::msleep(std::min<qint64>(50, deadline.remainingTime()));
    }
    return true;
}

// A program a test starts. It dies with the test, even one killed outright or ended by a
// timeout, so that no X server, compositor or game outlives it.
class Child : public QProcess {
public:
    Child() {
        setChildProcessModifier([parent = getpid()] {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            // The test may have ended before the line above took hold.
            if (getppid() != parent) _exit(1);
        });
    }
};

std::string text(const QByteArray& bytes) {
    return bytes.toStdString();
}

// The programs the desktop is made of, each found or named as missing.
std::optional<std::string> missingTool() {
    for (const char* tool : {"Xvfb", "weston", "weston-screenshooter", "xdotool", "import"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) return tool;
    }
    return std::nullopt;
}

// The environment with no display and no platform named, for the game to be given one.
QProcessEnvironment bareEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY",
                             "WAYLAND_SOCKET", "XDG_SESSION_TYPE"}) {
        environment.remove(QString::fromLatin1(name));
    }
    return environment;
}

// Whether the program still runs. With no event loop QProcess hears of an end only while it
// waits, so it is made to wait for none.
bool stillRuns(QProcess& process) {
    process.waitForFinished(0);
    return process.state() == QProcess::Running;
}

std::string contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

// The smallest rectangle that holds every pixel of the colour, or an empty one.
QRect boundsOf(const QImage& image, QRgb colour) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (colour & 0xFFFFFF)) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// A screen shot and where in it the game's client area is: the olive background reaches all
// four of its edges.
struct Shot {
    QImage image;
    QRect client() const { return boundsOf(image, olive); }
    QImage clientArea() const { return image.copy(client()); }
};

// An X screen of its own. Xvfb takes the first free display number itself and tells it on
// its standard output once it takes clients, so tests started side by side never share one.
class XScreen {
public:
    XScreen() {
        server_.setStandardErrorFile(folder_.filePath(QStringLiteral("Xvfb.log")));
        // -noreset: a server whose last client leaves starts over, and the looks for weston's
        // window come and go while weston connects, which then fails to start.
        server_.start(
            QStringLiteral("Xvfb"),
            {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
             QStringLiteral("0"),
             QStringLiteral("%1x%2x24").arg(xScreenSize.width()).arg(xScreenSize.height()),
             QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
        if (!server_.waitForStarted()) return;
        waitFor([&] {
            server_.waitForReadyRead(50);
            return server_.canReadLine() || !stillRuns(server_);
        });
        const QByteArray number = server_.readLine().trimmed();
        if (!number.isEmpty()) display_ = QStringLiteral(":") + QString::fromLatin1(number);
    }
    ~XScreen() { stop(server_); }

    const QString& display() const { return display_; }  // empty when no server started
    bool running() { return stillRuns(server_); }
    std::string log() const { return contents(folder_.filePath(QStringLiteral("Xvfb.log"))); }

    // Runs an X client on this screen to its end; its standard output.
    QByteArray run(const QString& program, const QStringList& arguments) const {
        Child client;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display_);
        client.setProcessEnvironment(environment);
        client.start(program, arguments);
        client.waitForFinished(10000);
        return client.readAllStandardOutput();
    }

    QImage shot() const {
        return QImage::fromData(
            run(QStringLiteral("import"),
                {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")}),
            "PNG");
    }

private:
    QTemporaryDir folder_;
    Child server_;
    QString display_;
};

// Weston on the X screen, listening on a socket in a runtime folder of its own.
class Compositor {
public:
    explicit Compositor(XScreen& screen) : screen_(screen) {
        QFile::setPermissions(runtime_.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), screen.display());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        weston_.setProcessEnvironment(environment);
        weston_.setWorkingDirectory(runtime_.path());
        weston_.setStandardOutputFile(QProcess::nullDevice());
        weston_.setStandardErrorFile(runtime_.filePath(QStringLiteral("weston.log")));
        // --debug lets the screenshooter in; --idle-time=0 keeps the screen from locking.
        weston_.start(QStringLiteral("weston"),
                      {QStringLiteral("--backend=x11-backend.so"), QStringLiteral("--use-pixman"),
                       QStringLiteral("--width=%1").arg(westonSize.width()),
                       QStringLiteral("--height=%1").arg(westonSize.height()),
                       QStringLiteral("--socket=kestrune"), QStringLiteral("--debug"),
                       QStringLiteral("--idle-time=0")});
        const QString socket = runtime_.filePath(QStringLiteral("kestrune"));
        ready_ = weston_.waitForStarted() && waitWhileRunning([&] {
                     window_ = QString::fromLatin1(
                         screen_
                             .run(QStringLiteral("xdotool"),
                                  {QStringLiteral("search"), QStringLiteral("--class"),
                                   QStringLiteral("^Weston Compositor$")})
                             .split('\n')
                             .front());
                     return !window_.isEmpty() && QFileInfo::exists(socket);
                 });
        // The X keyboard goes to weston from the start: a change of focus later makes weston
        // take the keyboard from its windows and give it back, and keys sent meanwhile are lost.
        if (ready_) {
            screen_.run(QStringLiteral("xdotool"),
                        {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window_});
        }
    }
    ~Compositor() { stop(weston_); }

    bool ready() { return ready_ && running(); }
    bool running() { return screen_.running() && stillRuns(weston_); }
    std::string logs() const {
        return "weston's log:\n" + contents(runtime_.filePath(QStringLiteral("weston.log"))) +
               "\nXvfb's log:\n" + screen_.log();
    }
    // Nothing while weston and its X screen run; else their logs, for a failure's message.
    std::string ended() { return running() ? std::string() : "\nweston or Xvfb ended; " + logs(); }

    // Waits for what is awaited, but no longer than weston and its X screen run.
    bool waitWhileRunning(const std::function<bool()>& done,
                          std::chrono::milliseconds limit = 10s) {
        return waitFor([&] { return !running() || done(); }, limit) && running();
    }

    // A client's environment: this compositor, and no X display.
    QProcessEnvironment clientEnvironment() const {
        QProcessEnvironment environment = bareEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("kestrune"));
        return environment;
    }

    // What the compositor shows, pointer included.
    Shot shot() const {
        QTemporaryDir folder;
        Child shooter;
        shooter.setProcessEnvironment(clientEnvironment());
        shooter.setWorkingDirectory(folder.path());
        shooter.start(QStringLiteral("weston-screenshooter"), {});
        shooter.waitForFinished(10000);
        const QStringList files = QDir(folder.path()).entryList({QStringLiteral("*.png")});
        if (files.isEmpty()) return {};
        return {QImage(folder.filePath(files.front())).convertToFormat(QImage::Format_RGB32)};
    }

    // Keys and clicks as a player gives them, through the X screen's keyboard and mouse.
    void keys(const QString& keys) const {
        screen_.run(QStringLiteral("xdotool"), {QStringLiteral("key"), keys});
    }
    // Weston moves its pointer by each move of the X pointer within its window, counted from
    // where the last move it saw ended, and drops what would take it past its screen's edge, so
    // the two pointers drift apart. Only where the X pointer enters its window does weston take
    // the place itself: the pointer leaves the window and enters it at the place.
    void pointAt(QPoint place) const {
        // The X screen's far corner is off weston's window.
        screen_.run(
            QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QStringLiteral("--sync"),
             QString::number(xScreenSize.width() - 1), QString::number(xScreenSize.height() - 1),
             QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"),
             window_, QString::number(place.x()), QString::number(place.y())});
    }
    void click(QPoint place) const {
        pointAt(place);
        screen_.run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
    }

private:
    XScreen& screen_;
    QTemporaryDir runtime_;
    Child weston_;
    QString window_;
    bool ready_ = false;
};

// The game started on the compositor.
class OnWayland : public ::testing::Test {
protected:
    void SetUp() override {
        if (const auto tool = missingTool()) {
            FAIL() << *tool << " is missing: scripts/test.sh installs what these tests need";
        }
        ASSERT_FALSE(screen.display().isEmpty()) << "Xvfb did not start:\n" << screen.log();
        compositor = std::make_unique<Compositor>(screen);
        ASSERT_TRUE(compositor->ready()) << "weston did not start; " << compositor->logs();
        // The pointer on the panel, where no window opens and it hides nothing of the game's;
        // weston may take a while to see the X pointer move, so its screen is watched for it.
        const QPoint panel(300, 16);
        const QRect underThePointer(panel, QSize(16, 16));
        const QImage before = compositor->shot().image.copy(underThePointer);
        ASSERT_TRUE(compositor->waitWhileRunning([&] {
            compositor->pointAt(panel);
            return compositor->shot().image.copy(underThePointer) != before;
        })) << "weston did not show the pointer on its panel; "
            << compositor->logs();
    }
    void TearDown() override {
        stop(game);
        compositor.reset();
    }

    // Starts the game and waits until its whole client area shows.
    Shot start(const QProcessEnvironment& environment) {
        game.setProcessEnvironment(environment);
        game.start(gamePath, {});
        EXPECT_TRUE(game.waitForStarted());
        Shot shot;
        compositor->waitWhileRunning([&] {
            shot = compositor->shot();
            return shot.client().size() == clientSize || !stillRuns(game);
        });
        return shot;
    }

    XScreen screen;
    std::unique_ptr<Compositor> compositor;
    Child game;
};

// With no X display but a compositor, the game opens on Wayland by itself, and its client area
// is pixel for pixel what the same game shows on X.
TEST_F(OnWayland, OpensWithoutXAndLooksAsOnX) {
    const Shot wayland = start(compositor->clientEnvironment());
    ASSERT_EQ(wayland.client().size(), clientSize)
        << "the game did not show: " << text(game.readAllStandardError()) << compositor->ended();
    EXPECT_TRUE(stillRuns(game)) << "the game ended: " << text(game.readAllStandardError());
    stop(game);
    EXPECT_EQ(text(game.readAllStandardError()), "");

    // The same game on the X screen, beside the compositor's empty desktop.
    Child onX;
    QProcessEnvironment environment = bareEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), screen.display());
    onX.setProcessEnvironment(environment);
    onX.start(gamePath, {});
    Shot x;
    waitFor([&] {
        x = {screen.shot().convertToFormat(QImage::Format_RGB32)};
        return x.client().size() == clientSize || !stillRuns(onX) || !screen.running();
    });
    stop(onX);
    ASSERT_EQ(x.client().size(), clientSize)
        << "the game did not show on X: " << text(onX.readAllStandardError())
        << (screen.running() ? "" : "\nXvfb ended:\n" + screen.log());
    EXPECT_EQ(differingPixels(wayland.clientArea(), x.clientArea()), 0)
        << "see wayland-idle.png and x11-idle.png";
    wayland.clientArea().save(QStringLiteral("wayland-idle.png"));
    x.clientArea().save(QStringLiteral("x11-idle.png"));
}

// How many pixels of the area are near the colour.
int pixelsNear(const QImage& image, QRgb colour, int tolerance) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += std::abs(qRed(p) - qRed(colour)) <= tolerance &&
                     std::abs(qGreen(p) - qGreen(colour)) <= tolerance &&
                     std::abs(qBlue(p) - qBlue(colour)) <= tolerance;
        }
    }
    return count;
}

// The access keys and the mouse play the game there: Alt+Q starts it, Alt+W holds it still,
// Alt+E lets it go on and the field moves; the help button opens the help box and the menu
// "Игра" opens. What the window shows is read from the compositor's screen.
TEST_F(OnWayland, KeysAndClicksPlayTheGame) {
    const Shot idle = start(compositor->clientEnvironment());
    ASSERT_EQ(idle.client().size(), clientSize)
        << text(game.readAllStandardError()) << compositor->ended();
    const QPoint client = idle.client().topLeft();  // the window stays where it opened
    Shot shot;
    auto area = [&client](const Shot& from, const QRect& place) {
        return from.image.copy(place.translated(client));
    };
    // Waits for the screen to show what is awaited; the last shot is kept for a failure.
    auto shows = [&](const std::function<bool(const Shot&)>& awaited) {
        return compositor->waitWhileRunning([&] {
            shot = compositor->shot();
            return awaited(shot);
        });
    };
    auto failed = [&](const char* name) {
        shot.image.save(QStringLiteral("wayland-%1.png").arg(QLatin1String(name)));
        return "see wayland-" + std::string(name) + ".png; " + text(game.readAllStandardError()) +
               compositor->ended();
    };
    // An enabled button's caption is black, a disabled one's grey.
    const QRect pause(272, 312, 153, 25), resume(272, 336, 153, 25);
    auto enabled = [&](const Shot& from, const QRect& button) {
        return pixelsNear(area(from, button), qRgb(0, 0, 0), 40) > 40;
    };
    auto running = [&](const Shot& from) { return enabled(from, pause) && !enabled(from, resume); };
    auto paused = [&](const Shot& from) { return !enabled(from, pause) && enabled(from, resume); };
    // Whether more than a share of the place is near the colour.
    auto covered = [&](const Shot& from, const QRect& place, QRgb colour, int tolerance,
                       double share) {
        return pixelsNear(area(from, place), colour, tolerance) >
               share * place.width() * place.height();
    };
    auto skyShows = [&](const Shot& from) {
        return covered(from, field, qRgb(138, 197, 255), 8, 0.5);
    };
    auto fieldMoves = [&](const Shot& from) {
        const QImage was = area(from, field);
        return shows([&](const Shot& now) { return area(now, field) != was; });
    };

    // The game is paused soon after it starts, so that no run of blocks ends it early.
    compositor->keys(QStringLiteral("alt+q"));
    ASSERT_TRUE(shows([&](const Shot& s) { return running(s) && skyShows(s); })) << failed("start");
    compositor->keys(QStringLiteral("alt+w"));
    ASSERT_TRUE(shows(paused)) << failed("pause");
    const Shot held = shot;
    QThread::msleep(1300);  // two game steps, were it running
    EXPECT_EQ(area(compositor->shot(), field), area(held, field)) << "the pause did not hold";

    // The help box is yellow.
    const QRect helpBox(56, 264, 209, 97);
    compositor->click(client + helpButton);
    EXPECT_TRUE(shows([&](const Shot& s) {
        return covered(s, helpBox, qRgb(255, 255, 0), 8, 0.3);
    })) << failed("help");
    shot.image.save(QStringLiteral("wayland-help.png"));

    compositor->keys(QStringLiteral("alt+e"));
    ASSERT_TRUE(shows(running)) << failed("continue");
    EXPECT_TRUE(fieldMoves(shot)) << failed("moving");
    shot.image.save(QStringLiteral("wayland-playing.png"));

    // The menu opens below its title, white over the field.
    const QRect menu(4, 4, 100, 50);
    compositor->click(client + gameMenu);
    EXPECT_TRUE(shows([&](const Shot& s) {
        return covered(s, menu, qRgb(255, 255, 255), 12, 0.5);
    })) << failed("menu");
    shot.image.save(QStringLiteral("wayland-menu.png"));

    EXPECT_TRUE(stillRuns(game)) << "the game ended: " << text(game.readAllStandardError());
}

// A display number at which no X server answers: no server's socket or lock file is there. Xvfb
// -displayfd takes the lowest free numbers, so the look starts far above them, lest a test's
// Xvfb starting meanwhile take the same one.
QString displayWithoutAServer() {
    for (int number = 1000;; ++number) {
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) &&
            !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))) {
            return QStringLiteral(":%1").arg(number);
        }
    }
}

struct NoXServer {};  // a display at which no X server answers, looked for as the case runs
// Where the line names that display.
const std::string noXServer = "<no X server>";

struct NoDisplayCase {
    const char* name;
    // each set, unset by null, or given a display at which no X server answers
    std::vector<std::pair<const char*, std::variant<const char*, std::nullptr_t, NoXServer>>>
        environment;
    const char* line;
};

std::ostream& operator<<(std::ostream& out, const NoDisplayCase& c) {
    return out << c.name;
}

class NoDisplay : public ::testing::TestWithParam<NoDisplayCase> {};

// Where the window cannot be opened, the game says why in one line and ends with status 1: no
// abort, no core file, none of Qt's notes.
TEST_P(NoDisplay, EndsWithOneLineAndStatusOne) {
    const NoDisplayCase& c = GetParam();
    QTemporaryDir runtime;  // a runtime folder with no compositor's socket in it
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = bareEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    std::string line = c.line;
    for (const auto& [name, value] : c.environment) {
        const QString variable = QString::fromLatin1(name);
        if (std::holds_alternative<std::nullptr_t>(value)) {
            environment.remove(variable);
        } else if (std::holds_alternative<NoXServer>(value)) {
            const QString display = displayWithoutAServer();
            environment.insert(variable, display);
            line.replace(line.find(noXServer), noXServer.size(), display.toStdString());
        } else {
            environment.insert(variable, QString::fromUtf8(std::get<const char*>(value)));
        }
    }
    Child process;
    process.setProcessEnvironment(environment);
    process.start(gamePath, {});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(text(process.readAllStandardError()), line + "\n");
    EXPECT_EQ(text(process.readAllStandardOutput()), "");
}

INSTANTIATE_TEST_SUITE_P(
    Start, NoDisplay,
    ::testing::Values(
        NoDisplayCase{"Neither",
                      {},
                      "kestrune: no display: cannot open the window (is DISPLAY or "
                      "WAYLAND_DISPLAY set?)"},
        NoDisplayCase{"XServerGone",
                      {{"DISPLAY", NoXServer{}}, {"WAYLAND_DISPLAY", "nobody-here"}},
                      "kestrune: no display: cannot open the window: no X display answers at "
                      "\"<no X server>\", and no Wayland compositor answers at \"nobody-here\""},
        NoDisplayCase{"XServerGoneAndNoCompositorNamed",
                      {{"DISPLAY", NoXServer{}}},
                      "kestrune: no display: cannot open the window: no X display answers at "
                      "\"<no X server>\", and WAYLAND_DISPLAY is not set"},
        NoDisplayCase{"CompositorGone",
                      {{"WAYLAND_DISPLAY", "nowhere-7"}},
                      "kestrune: no display: cannot open the window: DISPLAY is not set, and no "
                      "Wayland compositor answers at \"nowhere-7\""},
        // Whatever the variable holds, the line stays one line.
        NoDisplayCase{"NotADisplayName",
                      {{"DISPLAY", "two\nlines"}},
                      "kestrune: no display: cannot open the window: DISPLAY \"two\\x0Alines\" "
                      "names no X display, and WAYLAND_DISPLAY is not set"},
        NoDisplayCase{"AskedForXWithoutIt",
                      {{"QT_QPA_PLATFORM", "xcb"}},
                      "kestrune: no display: cannot open the window: X was asked for "
                      "(QT_QPA_PLATFORM \"xcb\"), but no X display answers: DISPLAY is not set"},
        NoDisplayCase{"AskedForXWhereNoneAnswers",
                      {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", NoXServer{}}},
                      "kestrune: no display: cannot open the window: X was asked for "
                      "(QT_QPA_PLATFORM \"xcb\"), but no X display answers at \"<no X server>\""},
        NoDisplayCase{"AskedForWaylandWithoutACompositor",
                      {{"QT_QPA_PLATFORM", "wayland"}},
                      "kestrune: no display: cannot open the window on Qt's \"wayland\" "
                      "platform: Failed to create wl_display (No such file or directory)"},
        // As under sudo, su or cron: the Wayland library finds no socket and must not say so.
        NoDisplayCase{"NoRuntimeFolder",
                      {{"XDG_RUNTIME_DIR", nullptr}, {"WAYLAND_DISPLAY", "wayland-0"}},
                      "kestrune: no display: cannot open the window: DISPLAY is not set, and no "
                      "Wayland compositor can be found at \"wayland-0\": XDG_RUNTIME_DIR is not "
                      "set"},
        NoDisplayCase{"AskedForWaylandWithoutARuntimeFolder",
                      {{"QT_QPA_PLATFORM", "wayland"}, {"XDG_RUNTIME_DIR", nullptr}},
                      "kestrune: no display: cannot open the window on Qt's \"wayland\" "
                      "platform: Failed to create wl_display (No such file or directory)"},
        NoDisplayCase{"AskedForAPlatformNotInstalled",
                      {{"QT_QPA_PLATFORM", "nowhere"}},
                      "kestrune: no display: cannot open the window on Qt's \"nowhere\" "
                      "platform: Could not find the Qt platform plugin \"nowhere\" in \"\""}),
    [](const ::testing::TestParamInfo<NoDisplayCase>& info) { return info.param.name; });

}  // namespace
