#pragma once

// Helpers shared by the window tests that build a whole main window: the rows of a list box,
// a file's bytes, a render worker that never sleeps, and a search thread held at a gate so
// that a search can be seen while it runs.

#include <QListWidget>
#include <QStringList>
#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "search/search_worker.h"

// The render worker's pause between pieces, made none.
inline void NoRenderSleep(int) {}

inline QStringList ListRows(const QListWidget* box) {
    QStringList rows;
    for (int row = 0; row < box->count(); ++row) {
        rows << box->item(row)->text();
    }
    return rows;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// While false, a search started through GatedSearchThread waits before it runs.
inline std::atomic<bool> g_searchGate{true};

inline bool GatedSearchThread(void (*proc)(CSearchWorker*), CSearchWorker* worker) {
    std::thread([proc, worker] {
        while (!g_searchGate.load()) {
            std::this_thread::yield();
        }
        proc(worker);
    }).detach();
    return true;
}
