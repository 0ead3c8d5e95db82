// lexicove-cli define: a word's page, as readable text or as the exact HTML page.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli.h"
#include "db/dictionary_database.h"
#include "json_output.h"
#include "page_json.h"
#include "page_text.h"
#include "render/ipa_encoding.h"
#include "render/page_capture.h"
#include "render/page_outline.h"
#include "render/render_worker.h"

namespace {

constexpr char kNotFound[] = "Lexicove could not locate the word definition in current data file.";
constexpr int kNearestWords = 10;

std::string IpaText(const std::string& ipa) {
    return IpaToUtf8(ipa.c_str());
}

int ReportNotFound(CDictionaryDatabase* database, const std::string& typed) {
    std::fprintf(stderr, "%s\n", kNotFound);
    std::string suggestions = DidYouMean(database, typed);
    if (!suggestions.empty()) {
        std::fprintf(stderr, "%s\n", suggestions.c_str());
    }
    std::string lowered = typed;
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    std::vector<std::string> nearest = LookupPage(database, lowered, kNearestWords);
    if (!nearest.empty()) {
        std::fprintf(stderr, "Nearest words:\n");
        for (const std::string& word : nearest) {
            std::fprintf(stderr, "  %s\n", ToUtf8(word).c_str());
        }
    }
    return EXIT_NOT_FOUND;
}

}  // namespace

int RunDefine(const std::vector<std::string>& args) {
    bool html = false;
    bool json = false;
    int links = 0;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--html") {
            html = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--links" || arg.rfind("--links=", 0) == 0) {
            std::string value =
                arg == "--links" ? (i + 1 < args.size() ? args[++i] : "") : arg.substr(8);
            if (!ParseCount("--links", value, 1000000, &links)) {
                return EXIT_USAGE;
            }
        } else if (arg == "--") {
            words.insert(words.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("define does not know the option " + arg);
        } else {
            words.push_back(arg);
        }
    }
    std::string typed = FromUtf8(JoinWords(words));
    if (typed.empty()) {
        return UsageError("define needs a WORD");
    }
    if (html && json) {
        return UsageError("define takes --html or --json, not both");
    }
    CDictionaryDatabase database;
    if (!OpenDatabase(&database)) {
        return EXIT_NO_DATABASE;
    }
    // The lookup buffer holds LOOKUP_BUFFER_SIZE bytes with the NUL; no word is that long.
    if (typed.size() >= LOOKUP_BUFFER_SIZE) {
        return ReportNotFound(&database, typed.substr(0, LOOKUP_BUFFER_SIZE - 1));
    }
    char buffer[LOOKUP_BUFFER_SIZE];
    std::memcpy(buffer, typed.c_str(), typed.size() + 1);
    uint32_t number = 0;
    if (!database.LookupWord(buffer, &number)) {
        return ReportNotFound(&database, typed);
    }
    std::string pageText = buffer;
    if (links > 0) {
        pageText += ":" + std::to_string(links);
    }

    CPageCapture display;
    CRenderWorker worker(&database, false);
    worker.SetDisplay(&display);
    const bool rendered = worker.RenderWord(pageText.c_str(), number);
    for (const std::string& error : display.Errors()) {
        std::fprintf(stderr, "lexicove-cli: %s\n", error.c_str());
    }
    if (!rendered || !display.Complete()) {
        std::fprintf(stderr, "lexicove-cli: the page of \"%s\" could not be built\n",
                     ToUtf8(pageText).c_str());
        return EXIT_NOT_FOUND;
    }
    if (html) {
        std::fwrite(display.Page().data(), 1, display.Page().size(), stdout);
        return EXIT_OK;
    }
    if (json) {
        std::string headword = buffer;
        PrintJson(PageJson(
            CPageOutline().Parse(headword.substr(0, headword.find(':')), links, display.Page())));
        return EXIT_OK;
    }
    std::string text = CPageText(IpaText).Convert(display.Page());
    bool linksPage = text.rfind("Word Links\n", 0) == 0;
    if (!linksPage) {
        std::string headword = buffer;
        size_t colon = headword.find(':');
        std::printf("%s\n", ToUtf8(headword.substr(0, colon)).c_str());
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    return EXIT_OK;
}
