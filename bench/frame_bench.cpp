// From Enter in the "Look up:" box to the page painted, in the real main window, offscreen,
// on the real wordnet.lcv (in the program folder, or $LEXICOVE_DATABASE). Each lookup types
// the word into the box (not timed), presses Enter and runs the event loop until the display
// has shown the page and painted after it. Reported: the median and the largest time, in
// milliseconds, for "run", "set" and 200 random words, and the median processor time the
// program's thread spent on it (which other programs busy on the machine do not inflate).
// The two words again in a dark palette. Budget: median under 16 ms (one frame).
//
// Each is measured in both layouts: the handheld one (the window at the handheld's 240 by 320,
// the page replacing the Lookup view) and two panes (the first window's 1000 by 700, the page
// shown on the right while the box keeps the focus).
//
// The window runs with a scratch program folder and an in-memory settings store, so the
// user's lists and settings are left alone.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QPalette>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/memory_settings_store.h"
#include "app/program_folder.h"
#include "db/dictionary_database.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "ui/content_view.h"
#include "ui/html_display.h"

namespace {

constexpr int kTimeoutMs = 5000;

// Notes the display's paints once its page has been shown.
class CPaintWatch : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && shown) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }
    bool shown = false;
    bool painted = false;
};

struct Window {
    CDictionaryDatabase db;
    std::string path;
    bool open = false;
    std::vector<std::string> sample;
    QTemporaryDir scratch;
    CMemorySettingsStore settings;
    std::unique_ptr<CLexicoveFrame> frame;
    CPaintWatch watch;
};

bool Collect(void* context, const char* word, uint32_t) {
    static_cast<std::vector<std::string>*>(context)->emplace_back(word);
    return true;
}

std::unique_ptr<Window> g_window;

Window& TheWindow() {
    if (!g_window) {
        g_window = std::make_unique<Window>();
        Window* w = g_window.get();
        const char* given = std::getenv("LEXICOVE_DATABASE");
        w->path = given != nullptr ? given : GetProgramFolder() + "wordnet.lcv";
        w->open = w->db.Open(w->path.c_str());
        if (!w->open) {
            return *w;
        }
        std::vector<std::string> words;
        w->db.EnumerateWords(Collect, &words, "", true);
        std::mt19937 rng(2024);
        for (int i = 0; i < 200 && !words.empty(); ++i) {
            w->sample.push_back(words[rng() % words.size()]);
        }
        qputenv("LEXICOVE_HOME", QDir(w->scratch.path()).filePath("home").toUtf8());
        w->frame = std::make_unique<CLexicoveFrame>(&w->db, &w->settings);
        w->open = w->frame->Create();
        w->frame->show();
        w->open = w->open && QTest::qWaitForWindowExposed(w->frame.get());
        CHtmlDisplay* display = w->frame->ContentView()->Display();
        display->viewport()->installEventFilter(&w->watch);
        QObject::connect(display, &CHtmlDisplay::pageShown, [w] { w->watch.shown = true; });
    }
    return *g_window;
}

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Taken {
    double ms;   // wall-clock; -1 when the page never came
    double cpu;  // processor time of this thread
};

// One lookup: the time from Enter to the page painted.
Taken LookUp(Window& w, const std::string& word) {
    w.frame->SetView(VIEW_LOOKUP);
    CLookupEdit* edit = w.frame->LookupEdit();
    edit->clear();
    QTest::keyClicks(edit, QString::fromLatin1(word.c_str()));
    QCoreApplication::processEvents();
    w.watch.shown = false;
    w.watch.painted = false;
    const double cpu = ThreadCpuMs();
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(edit, Qt::Key_Return);
    while (!w.watch.painted) {
        if (timer.elapsed() > kTimeoutMs) {
            return {-1, 0};
        }
        QCoreApplication::processEvents();
    }
    return {static_cast<double>(timer.nsecsElapsed()) / 1e6, ThreadCpuMs() - cpu};
}

void Report(benchmark::State& state, const std::vector<Taken>& all) {
    std::vector<double> ms, cpu;
    for (const Taken& t : all) {
        ms.push_back(t.ms);
        cpu.push_back(t.cpu);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["max_ms"] = ms.back();
    state.counters["cpu_median_ms"] = cpu[cpu.size() / 2];
}

const QSize kHandheld(240, 320);
const QSize kTwoPanes(1000, 700);

// Each iteration looks up every word of words once, in the window at the size.
void LookUpAll(benchmark::State& state, const std::vector<std::string>& words, QSize size) {
    Window& w = TheWindow();
    if (!w.open) {
        state.SkipWithError(("no window over the database at " + w.path).c_str());
        return;
    }
    w.frame->resize(size);
    QCoreApplication::processEvents();
    if (w.frame->TwoPanes() != (size == kTwoPanes)) {
        state.SkipWithError("the window is not in the layout measured");
        return;
    }
    std::vector<Taken> all;
    for (auto _ : state) {
        double total = 0;
        for (const std::string& word : words) {
            Taken taken = LookUp(w, word);
            if (taken.ms < 0) {
                state.SkipWithError(("the page of \"" + word + "\" was not painted").c_str());
                return;
            }
            all.push_back(taken);
            total += taken.ms;
        }
        state.SetIterationTime(total / 1000);
    }
    Report(state, all);
}

void BM_EnterToPaint(benchmark::State& state, const char* word, QSize size) {
    LookUpAll(state, {word}, size);
}
BENCHMARK_CAPTURE(BM_EnterToPaint, handheld_run, "run", kHandheld)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EnterToPaint, handheld_set, "set", kHandheld)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EnterToPaint, two_panes_run, "run", kTwoPanes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EnterToPaint, two_panes_set, "set", kTwoPanes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same in a dark palette, where the display maps the page's colours as it prepares it.
void BM_EnterToPaintDark(benchmark::State& state, const char* word) {
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor(0x31, 0x36, 0x3B));
    dark.setColor(QPalette::WindowText, QColor(0xEF, 0xF0, 0xF1));
    dark.setColor(QPalette::Base, QColor(0x23, 0x26, 0x29));
    dark.setColor(QPalette::Text, QColor(0xEF, 0xF0, 0xF1));
    dark.setColor(QPalette::Highlight, QColor(0x3D, 0xAE, 0xE9));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();
    LookUpAll(state, {word}, kHandheld);
    QApplication::setPalette(light);
    QCoreApplication::processEvents();
}
BENCHMARK_CAPTURE(BM_EnterToPaintDark, run, "run")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EnterToPaintDark, set, "set")->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_EnterToPaintRandomWords(benchmark::State& state, QSize size) {
    LookUpAll(state, TheWindow().sample, size);
}
BENCHMARK_CAPTURE(BM_EnterToPaintRandomWords, handheld, kHandheld)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EnterToPaintRandomWords, two_panes, kTwoPanes)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();  // the window goes before the application object
    return 0;
}
