#pragma once

// Helpers shared by the window tests that build a whole main window: a small fixture
// dictionary, the rows of a list box, a file's bytes, a render worker that never sleeps, and a
// search thread held at a gate so that a search can be seen while it runs.

#include <QCoreApplication>
#include <QListWidget>
#include <QSize>
#include <QStringList>
#include <QTest>
#include <atomic>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "db/dictionary_database.h"
#include "db/format.h"
#include "frame/lexicove_frame.h"
#include "render/render_worker.h"
#include "search/search_worker.h"
#include "support/fixture_writer.h"

// bat, bet, bit, bot, but, cat, ... mut: ten consonants, five vowels.
inline std::vector<std::string> ThreeLetterWords() {
    std::vector<std::string> words;
    for (char first : std::string("bcdfghjklm")) {
        for (char vowel : std::string("aeiou")) {
            words.push_back(std::string{first, vowel, 't'});
        }
    }
    return words;
}

// Writes a dictionary of the words (without senses) to path and opens it; null when either
// fails.
inline std::unique_ptr<CDictionaryDatabase> OpenFixtureDictionary(
    const std::string& path, const std::vector<std::string>& words) {
    CFixtureWriter writer;
    for (const std::string& word : words) {
        writer.AddWord(word);
    }
    writer.Write(path);
    auto database = std::make_unique<CDictionaryDatabase>();
    return database->Open(path.c_str()) ? std::move(database) : nullptr;
}

// Writes folder/wordnet.lcv with the nouns hat, hit and hot, each with the gloss "the gloss
// of WORD", and opens it; null when either fails.
inline std::unique_ptr<CDictionaryDatabase> OpenGlossedDictionary(const std::string& folder) {
    CFixtureWriter writer;
    for (const std::string word : {"hat", "hit", "hot"}) {
        const uint32_t synset = writer.Append(word + "\nthe gloss of " + word + "\n");
        writer.AddWord(word, {lcv::MakeRef(lcv::ENTRY_NOUN, synset)});
    }
    const std::string path = folder + "/wordnet.lcv";
    writer.Write(path);
    auto database = std::make_unique<CDictionaryDatabase>();
    return database->Open(path.c_str()) ? std::move(database) : nullptr;
}

// The render worker's pause between pieces, made none.
inline void NoRenderSleep(int) {}

// Creates a frame the test has set up, shows it at size (an invalid size: the size the frame
// chooses itself) and lets its first events run; false when creating or showing it failed.
inline bool ShowFrame(CLexicoveFrame* frame, QSize size = QSize(240, 320)) {
    frame->RenderWorker()->SetSleepFunction(NoRenderSleep);
    if (!frame->Create()) {
        return false;
    }
    if (size.isValid()) {
        frame->resize(size);
    }
    frame->show();
    if (!QTest::qWaitForWindowExposed(frame)) {
        return false;
    }
    QCoreApplication::processEvents();
    return true;
}

// Closes the frame as Exit does once its workers are idle, and destroys it.
inline void CloseShownFrame(std::unique_ptr<CLexicoveFrame>* frame) {
    QTRY_VERIFY(!(*frame)->IsWorkerBusy());
    QVERIFY((*frame)->close());
    frame->reset();
}

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
