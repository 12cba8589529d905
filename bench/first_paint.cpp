// Linked into a program to time its start-up: at the first frame the program paints, it
// writes how long after exec that was, on the monotonic clock, and quits.
//
// The start-up driver takes the clock just before exec and passes it in
// KESTRUNE_BENCH_EXEC_NS. The watcher is installed from QCoreApplication's constructor, so the
// program itself starts exactly as it always does.
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

long long execNs() {
    const char* given = std::getenv("KESTRUNE_BENCH_EXEC_NS");
    return given == nullptr ? 0 : std::atoll(given);
}

// Waits until the X server has handled every request so far, the painted image included.
void roundTrip() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 == nullptr ? nullptr : x11->connection();
    if (connection == nullptr) return;
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || seen_ || !watched->isWidgetType()) return false;
        seen_ = true;
        // Queued, so it runs once the whole window has been painted and flushed.
        QMetaObject::invokeMethod(
            this,
            [] {
                roundTrip();
                std::printf("frame %lld\n", monotonicNs() - execNs());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    bool seen_ = false;
};

void watchFirstPaint() {
    std::printf("application %lld\n", monotonicNs() - execNs());
    QCoreApplication::instance()->installEventFilter(new FirstPaint);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchFirstPaint)
