#pragma once

// Helpers shared by the window tests that build a whole main window: a small fixture
// dictionary, the rows of a list box, a file's bytes, a render worker that never sleeps, a
// search thread held at a gate so that a search can be seen while it runs, and the set-up
// those tests share (CFrameFixture).

#include <QByteArray>
#include <QCoreApplication>
#include <QListWidget>
#include <QSize>
#include <QStringList>
#include <QTest>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/memory_settings_store.h"
#include "db/dictionary_database.h"
#include "db/format.h"
#include "frame/lexicove_frame.h"
#include "render/render_worker.h"
#include "search/search_worker.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

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

// The set-up shared by the tests of the main window: a scratch program folder, the dictionary
// the window shows, its settings in memory and the window itself. The test class derives from
// QObject first and from this, and calls these steps from its own slots.
class CFrameFixture {
  protected:
    // Points the program folder at home_, so that the window's files are the test's own.
    void SetUpHome() const { qputenv("LEXICOVE_HOME", QByteArray::fromStdString(home_.Path())); }

    // Empties the settings, so that a test does not see what an earlier one stored.
    void ClearSettings() { settings_ = CMemorySettingsStore(); }

    // Removes the Favorites, Study List and History files an earlier window wrote at exit.
    void RemoveListFiles() const {
        for (const char* name : {"Favorites.txt", "StudyList.txt", "History.txt"}) {
            std::remove((home_.Path() + name).c_str());
        }
    }

    // Closes the window as Exit does, when one is open.
    void CloseFrame() {
        if (frame_ != nullptr) {
            CloseShownFrame(&frame_);
        }
    }

    CTempDir home_;
    std::unique_ptr<CDictionaryDatabase> database_;
    CMemorySettingsStore settings_;
    std::unique_ptr<CLexicoveFrame> frame_;
};
