#include "lists/list_exporter.h"

#include <cstring>
#include <vector>

#include "app/code_page.h"
#include "db/dictionary_database.h"
#include "lists/word_list.h"
#include "render/ipa_encoding.h"
#include "render/page_capture.h"
#include "render/page_outline.h"
#include "render/render_worker.h"

namespace {

constexpr char kCsvHeader[] = "word,pronunciation,part of speech,gloss,sample\r\n";
constexpr char kAnkiHeader[] = "#separator:tab\n#html:true\n#columns:Front\tBack\n";
constexpr size_t kAnkiParts = 5;  // the most parts of speech on a card's back

// A field of a CSV row: quoted, with its quotes doubled, when it holds a comma, a quote or a
// line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

// Text for an Anki field in HTML: the markup characters escaped, tabs and line breaks as
// spaces (they would end the field or the note).
std::string AnkiText(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\t':
            case '\r':
            case '\n':
                out += ' ';
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
    std::string out;
    for (const std::string& item : items) {
        out += (out.empty() ? "" : separator) + item;
    }
    return out;
}

}  // namespace

struct CListExporter::Row {
    std::string word;                         // the item as listed; UTF-8, as every field
    std::vector<std::string> pronunciations;  // Unicode IPA
    std::string part;
    std::string gloss;
    std::string sample;
    std::vector<std::pair<std::string, std::string>> firstGlosses;  // (part, gloss) per part
};

CListExporter::Row CListExporter::LookUp(const char* item) {
    std::string text(item);
    text = text.substr(0, text.find(':'));  // a Word Links page text counts as its word
    Row row;
    row.word = CodePageToUtf8(text);
    char buffer[LOOKUP_BUFFER_SIZE];
    uint32_t number = 0;
    if (text.empty() || text.size() >= sizeof(buffer)) {
        return row;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    if (!database_->LookupWord(buffer, &number)) {
        return row;
    }
    const std::string word = std::string(buffer).substr(0, std::strcspn(buffer, ":"));
    CPageCapture page;
    CRenderWorker worker(database_, false);
    worker.SetDisplay(&page);
    if (!worker.RenderWord(word.c_str(), number) || !page.Complete()) {
        return row;
    }
    const PageOutline outline = CPageOutline().Parse(word, 0, page.Page());
    for (const std::string& pronunciation : outline.pronunciations) {
        row.pronunciations.push_back(IpaToUtf8(pronunciation.c_str()));
    }
    for (const OutlinePart& part : outline.parts) {
        if (part.senses.empty()) {
            continue;
        }
        const OutlineSense& first = part.senses.front();
        if (row.part.empty()) {
            row.part = CodePageToUtf8(part.part);
            row.gloss = CodePageToUtf8(first.gloss);
            row.sample = first.samples.empty() ? "" : CodePageToUtf8(first.samples.front());
        }
        if (row.firstGlosses.size() < kAnkiParts) {
            row.firstGlosses.emplace_back(CodePageToUtf8(part.part), CodePageToUtf8(first.gloss));
        }
    }
    return row;
}

std::string CListExporter::CsvRow(const Row& row) {
    return CsvField(row.word) + "," + CsvField(Joined(row.pronunciations, ", ")) + "," +
           CsvField(row.part) + "," + CsvField(row.gloss) + "," + CsvField(row.sample) + "\r\n";
}

std::string CListExporter::AnkiRow(const Row& row) {
    std::vector<std::string> lines;
    if (!row.pronunciations.empty()) {
        lines.push_back("/" + AnkiText(Joined(row.pronunciations, "/, /")) + "/");
    }
    for (const auto& [part, gloss] : row.firstGlosses) {
        lines.push_back("<i>" + AnkiText(part) + "</i> " + AnkiText(gloss));
    }
    return AnkiText(row.word) + "\t" + Joined(lines, "<br>") + "\n";
}

std::string CListExporter::Export(const CWordList& list, ExportFormat format) {
    std::string out = format == EXPORT_CSV ? kCsvHeader : kAnkiHeader;
    for (int i = 0; i < list.Count(); ++i) {
        const Row row = LookUp(list.At(i));
        out += format == EXPORT_CSV ? CsvRow(row) : AnkiRow(row);
    }
    return out;
}
