#include "frame/startup_report.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

#include "frame/lexicove_frame.h"

CStartupReport::CStartupReport(QWidget* window, std::function<void()> done)
    : QObject(window), done_(std::move(done)) {
    window->installEventFilter(this);
}

bool CStartupReport::Requested() {
    return qEnvironmentVariable("LEXICOVE_REPORT_STARTUP") == QLatin1String("1");
}

bool CStartupReport::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // The filter sees the paint before the window draws it; the next turn of the event
        // loop comes after the window and its children have been drawn and flushed.
        QTimer::singleShot(0, this, &CStartupReport::Report);
    }
    return QObject::eventFilter(watched, event);
}

void CStartupReport::Report() {
    using namespace std::chrono;
    const auto since = duration_cast<microseconds>(system_clock::now().time_since_epoch());
    std::printf("lexicove: first paint at %lld.%06lld\n",
                static_cast<long long>(since.count() / 1000000),
                static_cast<long long>(since.count() % 1000000));
    if (const auto* frame = qobject_cast<const CLexicoveFrame*>(parent())) {
        std::printf("lexicove: first window %dx%d, %s\n", frame->width(), frame->height(),
                    frame->TwoPanes() ? "two panes" : "handheld layout");
    }
    std::fflush(stdout);
    done_();
}
