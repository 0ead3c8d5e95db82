// lexicove-cli search: the search panel's five searches in a terminal. The query is built as
// the panel builds it and run by the search worker with the desktop program's result sink,
// but on this thread and at once (a terminal has no window to keep responsive); this command
// stands in for the main window, printing each word as it is announced and the status row at
// the end. Ctrl-C asks the search to stop.

#include <signal.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/messages.h"
#include "app/options_record.h"
#include "cli.h"
#include "db/dictionary_database.h"
#include "json_output.h"
#include "lists/word_list.h"
#include "search/search_listener.h"
#include "search/search_result_sink.h"
#include "search/search_status.h"
#include "search/search_worker.h"

namespace {

constexpr int EXIT_CANCELLED = 130;  // as a shell reports an interrupted program

// UTF-8 command-line text as UTF-16; a malformed byte becomes U+FFFD, which no 8-bit code
// page holds, so the search refuses it instead of guessing.
std::u16string Utf8ToUtf16(const std::string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
        unsigned char b = byte(i);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        uint32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 7);
        bool ok = extra >= 0 && i + static_cast<size_t>(extra) < text.size() + (extra == 0);
        for (int k = 1; ok && k <= extra; ++k) {
            ok = (byte(i + k) & 0xC0) == 0x80;
            c = (c << 6) | (byte(i + k) & 0x3F);
        }
        if (!ok || c > 0x10FFFF) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        i += static_cast<size_t>(extra) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

// Lower case as the panel makes it: ASCII and the Latin-1 capitals.
std::u16string Lower(std::u16string text) {
    for (char16_t& c : text) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
            c = static_cast<char16_t>(c + 0x20);
        }
    }
    return text;
}

// The main window's part, for a terminal. The search runs on this thread, so each message is
// handled as it is posted, which keeps the posting order.
class CTerminalSearchWindow : public ISearchListener {
  public:
    // json: the words and the status as one JSON document at the end, in place of the rows.
    CTerminalSearchWindow(const CWordList* searched, bool json)
        : searched_(searched), json_(json) {}

    void PostMessage(uint32_t message, intptr_t wParam, intptr_t lParam) override {
        if (message == WM_LIST_ITEM_ADDED && wParam == LIST_SEARCHED &&
            lParam >= static_cast<intptr_t>(rows_.size())) {
            std::string word;
            if (searched_->CopyAt(static_cast<int>(lParam), &word)) {
                rows_.push_back(word);
                if (!json_) {
                    std::printf("%s\n", ToUtf8(word).c_str());
                }
            }
        } else if (message == WM_SEARCH_DONE) {
            const std::string row =
                SearchStatusRow(static_cast<int>(lParam), searched_->Count() > 0);
            if (json_) {  // "< Completed >" as "Completed"
                PrintJson({{"words", WordsJson(rows_)}, {"status", row.substr(2, row.size() - 4)}});
            } else {
                std::printf("%s\n", row.c_str());
            }
            std::fflush(stdout);
        }
    }
    void ClearSearchedRows() override { rows_.clear(); }
    void ShowError(const char* text) override { std::fprintf(stderr, "lexicove-cli: %s\n", text); }

  private:
    const CWordList* searched_;
    bool json_;
    std::vector<std::string> rows_;
};

void StopOnInterrupt(int) {
    CSearchIndex::RequestStop();  // an atomic store: safe in a signal handler
}

struct SearchRequest {
    std::u16string query;
    int mode = 0;
    int kinds = 0;  // how many of the five kinds were given
    // A --wildcard given with --meaning narrows the meaning search's words; the two then
    // count as one kind.
    std::u16string wildcard;
};

bool TakeValue(const std::vector<std::string>& args, size_t* i, const std::string& option,
               std::string* value) {
    const std::string& arg = args[*i];
    if (arg == option) {
        if (*i + 1 >= args.size()) {
            return false;
        }
        *value = args[++*i];
        return true;
    }
    *value = arg.substr(option.size() + 1);
    return true;
}

bool Matches(const std::string& arg, const std::string& option) {
    return arg == option || arg.rfind(option + "=", 0) == 0;
}

int Exit(int status, bool foundWords) {
    switch (status) {
        case SEARCH_OK:
            return foundWords ? EXIT_OK : EXIT_NOT_FOUND;
        case SEARCH_TRUNCATED:
            return EXIT_OK;
        case SEARCH_CANCELLED:
            return EXIT_CANCELLED;
        case SEARCH_INVALID_QUERY:
            return EXIT_USAGE;
        default:
            return EXIT_NOT_FOUND;
    }
}

}  // namespace

int RunSearch(const std::vector<std::string>& args) {
    COptionsRecord options = GetOptionsRecord();
    SearchRequest request;
    std::string anagram, wordList;
    int length = 0;
    bool json = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        auto need = [&](const char* option) {
            if (!TakeValue(args, &i, option, &value) || value.empty()) {
                UsageError(std::string(option) + " needs a value");
                return false;
            }
            return true;
        };
        if (Matches(arg, "--wildcard")) {
            if (!need("--wildcard")) {
                return EXIT_USAGE;
            }
            if (!request.wildcard.empty()) {
                return UsageError("search takes one --wildcard");
            }
            request.wildcard = Lower(Utf8ToUtf16(value));
        } else if (Matches(arg, "--puzzle")) {
            if (!need("--puzzle")) {
                return EXIT_USAGE;
            }
            request.query = Lower(Utf8ToUtf16(value));
            request.mode = SEARCH_MODE_PATTERN;
            ++request.kinds;
        } else if (Matches(arg, "--anagram")) {
            if (!need("--anagram")) {
                return EXIT_USAGE;
            }
            anagram = value;
            request.mode = SEARCH_MODE_PATTERN;
            ++request.kinds;
        } else if (Matches(arg, "--phonetic")) {
            if (!need("--phonetic")) {
                return EXIT_USAGE;
            }
            request.query = Lower(Utf8ToUtf16(value));
            request.mode = SEARCH_MODE_PHONETIC;
            ++request.kinds;
        } else if (Matches(arg, "--meaning")) {
            if (!need("--meaning")) {
                return EXIT_USAGE;
            }
            request.query = Utf8ToUtf16(value);
            request.mode = SEARCH_MODE_MEANING;
            ++request.kinds;
        } else if (Matches(arg, "--length")) {
            if (!need("--length") || !ParseCount("--length", value, 99, &length)) {
                return EXIT_USAGE;
            }
        } else if (Matches(arg, "--limit")) {
            int limit = 0;
            if (!need("--limit") || !ParseCount("--limit", value, RESULT_LIMIT_MAX, &limit)) {
                return EXIT_USAGE;
            }
            options.SetResultLimit(limit);
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--keep-spaces") {
            options.SetKeepSpaces(true);
        } else if (arg == "--keep-punctuation") {
            options.SetKeepNonAlphanumerics(true);
        } else if (arg == "--ignore-punctuation") {
            options.SetKeepNonAlphanumerics(false);
        } else if (Matches(arg, "--wordlist")) {
            if (!need("--wordlist")) {
                return EXIT_USAGE;
            }
            wordList = value;
        } else {
            return UsageError("search does not take " + arg);
        }
    }
    std::u16string pattern;  // narrows a meaning search
    if (!request.wildcard.empty()) {
        if (request.mode == SEARCH_MODE_MEANING) {
            pattern = request.wildcard;
        } else {
            request.query = request.wildcard;
            request.mode = SEARCH_MODE_PATTERN;
            ++request.kinds;
        }
    }
    if (request.kinds != 1) {
        return UsageError(
            "search needs one of --puzzle, --anagram, --wildcard, --phonetic or --meaning "
            "(--meaning may take a --wildcard pattern besides)");
    }
    if (!anagram.empty()) {
        // The panel's formats "(%s)" and, with a length, "(%d:%s)".
        std::u16string letters = Lower(Utf8ToUtf16(anagram));
        std::u16string count;
        for (char c : std::to_string(length)) {
            count.push_back(static_cast<char16_t>(c));
        }
        request.query = u"(" + (length > 0 ? count + u":" : u"") + letters + u")";
    } else if (length > 0) {
        return UsageError("--length goes with --anagram");
    }

    CDictionaryDatabase database;
    if (!OpenDatabase(&database)) {
        return EXIT_NO_DATABASE;
    }
    CWordList searched;
    CTerminalSearchWindow window(&searched, json);
    SearchSinkContext sink;
    sink.searched = &searched;
    sink.listener = &window;
    if (request.mode == SEARCH_MODE_MEANING && !database.MeaningIndex().Available()) {
        std::fprintf(stderr,
                     "lexicove-cli: this database has no meaning index (build it again "
                     "with lexicove-mkdb)\n");
    }
    CSearchWorker worker(&database, &sink, &options);

    struct sigaction action {};
    action.sa_handler = StopOnInterrupt;
    sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    sigaction(SIGINT, &action, &previous);
    int status = worker.SearchHere(request.query, request.mode, wordList, pattern);
    sigaction(SIGINT, &previous, nullptr);
    return Exit(status, searched.Count() > 0);
}
