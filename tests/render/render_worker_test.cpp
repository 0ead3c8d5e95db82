#include "render/render_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "render/html_display.h"
#include "render_fixture.h"

namespace {

using namespace render_test;

const std::string kHeader =
    "<html><head><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=ISO-8859-1\"></head><body topmargin=4 leftmargin=4 rightmargin=4 bgcolor=#FFFFFF>";
const std::string kFooter = "</body></html>\r\n";

// Records every display call in order; AddText and EndOfSource may come from the transfer
// thread.
class RecordingDisplay : public IHtmlDisplay {
  public:
    bool IsWindow() const override { return alive; }
    void Clear() override { Record("clear", ""); }
    void AddText(const char* text) override {
        Record("add", text);
        if (worker != nullptr && cancelOnFirstPiece) {
            worker->RequestCancel();
        }
    }
    void EndOfSource() override { Record("end", ""); }
    void PostAddText(const char* text) override { Record("post", text); }
    void PostEndOfSource() override { Record("postend", ""); }
    void ShowError(const char* text) override { Record("error", text); }

    std::vector<std::pair<std::string, std::string>> Calls() {
        std::lock_guard<std::mutex> hold(lock_);
        return calls_;
    }
    std::vector<std::string> Kinds() {
        std::vector<std::string> kinds;
        for (const auto& call : Calls()) {
            kinds.push_back(call.first);
        }
        return kinds;
    }

    std::atomic<bool> alive{true};
    CRenderWorker* worker = nullptr;
    bool cancelOnFirstPiece = false;

  private:
    void Record(const char* kind, const char* text) {
        std::lock_guard<std::mutex> hold(lock_);
        calls_.emplace_back(kind, text);
    }
    std::mutex lock_;
    std::vector<std::pair<std::string, std::string>> calls_;
};

// The transfer thread's sleeps, recorded instead of slept; while the gate is closed the
// first sleep waits, which keeps the worker busy.
std::mutex gSleepLock;
std::vector<int> gSleeps;
std::atomic<bool> gGateOpen{true};

void RecordSleep(int milliseconds) {
    while (milliseconds == 20 && !gGateOpen.load()) {
        std::this_thread::yield();
    }
    std::lock_guard<std::mutex> hold(gSleepLock);
    gSleeps.push_back(milliseconds);
}

std::vector<int> Sleeps() {
    std::lock_guard<std::mutex> hold(gSleepLock);
    return gSleeps;
}

void WaitIdle(CRenderWorker& worker) {
    for (int i = 0; i < 10000 && worker.IsBusy(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(worker.IsBusy());
}

std::string Body(const std::string& gloss) {
    return "<b>noun</b><ol><li>" + gloss + Spacer() + "</ol>";
}

class RenderWorkerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        {
            std::lock_guard<std::mutex> hold(gSleepLock);
            gSleeps.clear();
        }
        gGateOpen = true;
        uint32_t pron = fixture_.Append("ka:t\n");
        uint32_t plural = fixture_.Append("cats\n");
        uint32_t target = fixture_.Append(Synset({"feline"}, "a mammal"));
        uint32_t cat = fixture_.Append(Synset({"cat"}, "a pet", {{0x8A, target}}));
        fixture_.AddWord("cat", {Ref(0xED, pron), Ref(0xE1, plural), Ref(0x81, cat)});
        fixture_.AddWord("plain", {Ref(0x81, fixture_.Append(Synset({"plain"}, "flat")))});
        fixture_.AddWord("empty", {});
        std::vector<uint32_t> rich = {Ref(0xED, pron), Ref(0xE1, plural)};
        for (int i = 0; i < 12; ++i) {
            rich.push_back(
                Ref(i < 6 ? 0x81 : 0x82,
                    fixture_.Append(Synset({"rich", "wealthy", "affluent"},
                                           "having much money$rich people", {{0x8A, target}}))));
        }
        fixture_.AddWord("rich", rich);
        // Pages of exactly 512 and 700 bytes: the gloss makes up the difference.
        size_t overhead = kHeader.size() + Body("").size() + kFooter.size();
        fixture_.AddWord(
            "five",
            {Ref(0x81, fixture_.Append(Synset({"five"}, std::string(512 - overhead, 'g'))))});
        fixture_.AddWord(
            "seven",
            {Ref(0x81, fixture_.Append(Synset({"seven"}, std::string(700 - overhead, 'h'))))});
        db_ = &fixture_.Open();
    }

    CRenderWorker& Worker(bool useThread) {
        worker_ = std::make_unique<CRenderWorker>(db_, useThread);
        worker_->SetDisplay(&display_);
        worker_->SetSleepFunction(RecordSleep);
        display_.worker = worker_.get();
        return *worker_;
    }

    bool Show(CRenderWorker& worker, const std::string& text) {
        return worker.RenderWord(text.c_str(), db_->FindWord(text.c_str()));
    }

    static std::string CatPage() {
        return kHeader +
               "<a href=\":pron\"><img src=pron.gif border=0></a>&nbsp;<font "
               "color=#800080><font face=\"SILSophiaIPA\">ka</font>:<font "
               "face=\"SILSophiaIPA\">t</font></font><br><img src=pixel.gif width=1 "
               "height=4><br>"
               "<b>noun</b>" +
               NoteMarker(1) + "<ol><li>a pet" + SenseLink("cat", 3) + Spacer() + "</ol>" +
               "<table cellspacing=4><tr><td valign=top><b><small><sup><font "
               "color=#808080>1</font></sup></small></b></td><td><small><font "
               "color=#808080>plural: cats</font></small></td></tr></table>" +
               kFooter;
    }

    FixtureDatabase fixture_;
    CDictionaryDatabase* db_ = nullptr;
    RecordingDisplay display_;
    std::unique_ptr<CRenderWorker> worker_;
};

TEST_F(RenderWorkerTest, PostedHandOverGivesTheWholePage) {
    CRenderWorker& worker = Worker(false);
    ASSERT_TRUE(Show(worker, "cat"));
    EXPECT_FALSE(worker.IsBusy());
    auto calls = display_.Calls();
    ASSERT_EQ(display_.Kinds(), (std::vector<std::string>{"clear", "post", "postend"}));
    EXPECT_EQ(calls[1].second, CatPage());
    EXPECT_STREQ(worker.CurrentWord(), "cat");
    EXPECT_TRUE(Sleeps().empty());
}

TEST_F(RenderWorkerTest, PageWithoutNotesHasNoTable) {
    CRenderWorker& worker = Worker(false);
    ASSERT_TRUE(Show(worker, "plain"));
    EXPECT_EQ(std::string(worker.Page().Data()), kHeader + Body("flat") + kFooter);
    // A word without entry references still gets a page: header and footer.
    ASSERT_TRUE(Show(worker, "empty"));
    EXPECT_EQ(std::string(worker.Page().Data()), kHeader + kFooter);
}

TEST_F(RenderWorkerTest, RequestsThatAreRefused) {
    CRenderWorker& worker = Worker(false);
    EXPECT_FALSE(worker.RerenderWord());  // no current word yet
    EXPECT_FALSE(worker.RenderWord("cat", 0));
    EXPECT_FALSE(worker.RenderWord("", db_->FindWord("cat")));
    EXPECT_FALSE(worker.RenderWord(nullptr, db_->FindWord("cat")));
    EXPECT_TRUE(display_.Calls().empty());
    EXPECT_EQ(worker.CurrentWord(), nullptr);
}

TEST_F(RenderWorkerTest, BusyWorkerRefusesAndKeepsThePage) {
    CRenderWorker& worker = Worker(true);
    gGateOpen = false;
    ASSERT_TRUE(Show(worker, "cat"));
    EXPECT_TRUE(worker.IsBusy());
    EXPECT_FALSE(Show(worker, "plain"));
    EXPECT_STREQ(worker.CurrentWord(), "cat");
    gGateOpen = true;
    WaitIdle(worker);
    EXPECT_EQ(display_.Kinds().front(), "clear");
    EXPECT_EQ(display_.Kinds().back(), "end");
    EXPECT_TRUE(Show(worker, "plain"));
    WaitIdle(worker);
}

TEST_F(RenderWorkerTest, PageTextWithEntryIndexShowsWordLinksAndRerendersTheSame) {
    CRenderWorker& worker = Worker(false);
    ASSERT_TRUE(worker.RenderWord("cat:3", db_->FindWord("cat")));
    std::string links = kHeader + "<b>Word Links<br>" + Link("cat", true) +
                        "</b>: a pet<br><img src=pixel.gif width=1 height=4><br>" +
                        "<b>Hypernym</b><ul><li>" + Link("feline", true) + "</ul>" + kFooter;
    EXPECT_EQ(std::string(worker.Page().Data()), links);
    EXPECT_STREQ(worker.CurrentWord(), "cat:3");
    ASSERT_TRUE(worker.RerenderWord());
    EXPECT_EQ(std::string(worker.Page().Data()), links);
    // Blanks and a sign before the number are read as atoi reads them.
    ASSERT_TRUE(worker.RenderWord("cat: +3x", db_->FindWord("cat")));
    EXPECT_EQ(std::string(worker.Page().Data()), links);
    ASSERT_TRUE(worker.RenderWord("cat:99999999999999999999", db_->FindWord("cat")));
    EXPECT_EQ(std::string(worker.Page().Data()), CatPage());
}

TEST_F(RenderWorkerTest, TransferThreadHandsOverPiecesOf256Bytes) {
    struct Case {
        const char* word;
        std::vector<size_t> pieces;
    } cases[] = {{"five", {256, 256}}, {"seven", {256, 256, 188}}};
    for (const Case& c : cases) {
        RecordingDisplay display;
        CRenderWorker worker(db_, true);
        worker.SetDisplay(&display);
        worker.SetSleepFunction(RecordSleep);
        {
            std::lock_guard<std::mutex> hold(gSleepLock);
            gSleeps.clear();
        }
        ASSERT_TRUE(Show(worker, c.word));
        WaitIdle(worker);
        std::vector<size_t> sizes;
        std::string joined;
        auto calls = display.Calls();
        for (const auto& [kind, text] : calls) {
            if (kind == "add") {
                sizes.push_back(text.size());
                joined += text;
            }
        }
        EXPECT_EQ(sizes, c.pieces) << c.word;
        EXPECT_EQ(joined, std::string(worker.Page().Data())) << c.word;
        EXPECT_EQ(calls.back().first, "end");
        std::vector<int> expectedSleeps = {20};
        expectedSleeps.insert(expectedSleeps.end(), c.pieces.size(), 1);
        expectedSleeps.insert(expectedSleeps.end(), {300, 20});
        EXPECT_EQ(Sleeps(), expectedSleeps) << c.word;
    }
}

TEST_F(RenderWorkerTest, CancelStopsTheTransferAfterThePiece) {
    CRenderWorker& worker = Worker(true);
    display_.cancelOnFirstPiece = true;
    ASSERT_TRUE(Show(worker, "seven"));
    WaitIdle(worker);
    EXPECT_EQ(display_.Kinds(), (std::vector<std::string>{"clear", "add", "end"}));
    EXPECT_EQ(Sleeps(), (std::vector<int>{20, 1, 300, 20}));
    // The next request clears the cancel request and is handed over whole.
    display_.cancelOnFirstPiece = false;
    ASSERT_TRUE(Show(worker, "five"));
    WaitIdle(worker);
    EXPECT_EQ(display_.Kinds().size(), 3u + 1 + 2 + 1);
}

TEST_F(RenderWorkerTest, DestroyingTheWorkerDuringATransferWaitsForIt) {
    auto worker = std::make_unique<CRenderWorker>(db_, true);
    worker->SetDisplay(&display_);
    ASSERT_TRUE(worker->RenderWord("seven", db_->FindWord("seven")));
    worker.reset();  // real sleeps: the thread is still in its first 20 ms
    EXPECT_EQ(display_.Kinds().back(), "end");
}

TEST_F(RenderWorkerTest, DisplayGoneDeliversNothingAndLeavesTheWorkerIdle) {
    CRenderWorker& worker = Worker(false);
    display_.alive = false;
    EXPECT_TRUE(Show(worker, "cat"));
    EXPECT_FALSE(worker.IsBusy());
    EXPECT_TRUE(display_.Calls().empty());
    EXPECT_EQ(CRenderWorker::RenderSinkProc(&worker, "x", -1, RENDER_HTML), 0);
}

TEST_F(RenderWorkerTest, SinkKinds) {
    CRenderWorker& worker = Worker(false);
    void* self = &worker;
    EXPECT_EQ(CRenderWorker::RenderSinkProc(self, nullptr, -1, RENDER_BEGIN), 1);
    EXPECT_EQ(CRenderWorker::RenderSinkProc(self, "First", -1, RENDER_NOTE), 0);
    EXPECT_EQ(CRenderWorker::RenderSinkProc(self, "second note", 6, RENDER_NOTE), 1);
    EXPECT_EQ(CRenderWorker::RenderSinkProc(self, "FIRST", -1, RENDER_NOTE), 0);
    EXPECT_EQ(CRenderWorker::RenderSinkProc(self, "", -1, RENDER_NOTE), -1);
    EXPECT_EQ(CRenderWorker::RenderSinkProc(self, "body", 2, RENDER_HTML), 1);
    EXPECT_EQ(CRenderWorker::RenderSinkProc(self, "x", -1, 9), 0);
    EXPECT_EQ(std::string(worker.Page().Data()), kHeader + "bo");
}

// Walks the page's tags and reports whether every element the page opens is closed in order.
bool WellFormed(const std::string& page) {
    static const std::set<std::string> kPaired = {"html",  "head", "body", "a",     "b",
                                                  "font",  "i",    "ol",   "small", "sup",
                                                  "table", "td",   "tr",   "ul"};
    std::vector<std::string> open;
    for (size_t at = page.find('<'); at != std::string::npos; at = page.find('<', at + 1)) {
        size_t end = page.find('>', at);
        if (end == std::string::npos) {
            return false;  // a cut tag
        }
        std::string tag = page.substr(at + 1, end - at - 1);
        bool closing = !tag.empty() && tag[0] == '/';
        std::string name = tag.substr(closing ? 1 : 0, tag.find(' ') - (closing ? 1 : 0));
        for (char& ch : name) {
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        }
        if (kPaired.count(name) == 0) {
            continue;
        }
        if (!closing) {
            open.push_back(name);
        } else if (open.empty() || open.back() != name) {
            return false;
        } else {
            open.pop_back();
        }
    }
    return open.empty();
}

// Whether text is nothing but closing tags such as "</td></ol>".
bool OnlyClosingTags(const std::string& text) {
    size_t at = 0;
    while (at < text.size()) {
        if (text.compare(at, 2, "</") != 0) {
            return false;
        }
        size_t end = text.find('>', at);
        if (end == std::string::npos || end == at + 2) {
            return false;
        }
        for (size_t k = at + 2; k < end; ++k) {
            if (text[k] < 'a' || text[k] > 'z') {
                return false;
            }
        }
        at = end + 1;
    }
    return true;
}

TEST_F(RenderWorkerTest, PageThatCannotGrowStaysWellFormed) {
    CRenderWorker& worker = Worker(false);
    ASSERT_TRUE(Show(worker, "rich"));
    const std::string full = worker.Page().Data();
    ASSERT_TRUE(WellFormed(full));
    const std::string body =
        full.substr(kHeader.size(), full.size() - kHeader.size() - kFooter.size());
    // The first block holds the header, the closing reserve and the growth slack.
    size_t shortest = kHeader.size() + 512 + 256;
    std::set<std::string> cutPages;
    for (size_t ceiling = shortest - 8; ceiling < full.size() + 1024; ceiling += 3) {
        CRenderWorker cut(db_, false);
        cut.SetDisplay(&display_);
        cut.SetPageByteCeiling(ceiling);
        ASSERT_TRUE(cut.RenderWord("rich", db_->FindWord("rich")));
        EXPECT_FALSE(cut.IsBusy());
        std::string page = cut.Page().Data();
        if (page.empty()) {
            EXPECT_LT(ceiling, shortest) << ceiling;  // not even the header fitted
            continue;
        }
        EXPECT_TRUE(WellFormed(page)) << ceiling << ": " << page;
        ASSERT_EQ(page.rfind(kHeader, 0), 0u) << ceiling;
        ASSERT_GE(page.size(), kHeader.size() + kFooter.size());
        EXPECT_EQ(page.substr(page.size() - kFooter.size()), kFooter) << ceiling;
        // What is kept of the body is a beginning of the full body, then closing tags.
        std::string kept =
            page.substr(kHeader.size(), page.size() - kHeader.size() - kFooter.size());
        size_t common = 0;
        while (common < kept.size() && common < body.size() && kept[common] == body[common]) {
            ++common;
        }
        // A closing tag may begin with the same "<" as the body's next tag did.
        bool closed = false;
        for (size_t k = common + 1; k-- > 0 && !closed;) {
            closed = OnlyClosingTags(kept.substr(k));
        }
        EXPECT_TRUE(closed) << ceiling << ": " << kept;
        if (page != full) {
            cutPages.insert(page);
        }
    }
    EXPECT_GE(cutPages.size(), 4u);  // cut at several places along the page
}

}  // namespace
