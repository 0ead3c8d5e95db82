#include "frame/search_panel_text.h"

#include <QChar>
#include <QString>
#include <array>

#include "app/code_page.h"

namespace {

constexpr char kPageStart[] =
    "<html><body topmargin=8 leftmargin=8 rightmargin=8 bgcolor=\"#FFFFFF\">";
constexpr char kPageEnd[] = "</body></html>";
constexpr char kDictionaryLine[] = "Word List: <a href=\"?wordlist\">Built-in Dictionary</a><br>";
constexpr char kFileLineStart[] = "<p>Word List: <a href=\"?wordlist\">";
constexpr char kFileLineEnd[] = "</a></p>";

constexpr std::array<const char*, SEARCH_TAB_COUNT> kHelpTexts = {
    "<hr size=1><font size=2><b>Puzzle Search:</b> Find words to solve crossword or "
    "fill-in-space puzzle. Use wildcard letter <a href='?'><img src='c_quest.gif' "
    "border='0'></a> in unknown boxes.</font>",
    "<hr size=1><font size=2><b>Anagram Search:</b> Find words by reordering the letters. Add "
    "wildcard <a href='?'><img src='c_quest.gif' border='0'></a> or set length criterion with "
    "slider bar.</font>",
    "<hr size=1><font size=2><b>Wildcard Search:</b> Find words using advanced wildcards <a "
    "href='?'><img src='c_quest.gif' border='0'></a>&nbsp;<a href='*'><img src='c_star.gif' "
    "border='0'></a>&nbsp;<a href='[]'><img src='c_square.gif' border='0'></a>&nbsp;<a "
    "href='()'><img src='c_round.gif' border='0'></a>&nbsp;<a href='{}'><img "
    "src='c_turt.gif' border='0'></a>. See <a href=\"?help\">Help</a> for search "
    "syntax.</font>",
    "<hr size=1><font size=2><b>Phonetic Search:</b> Find words that have similarity of sounds "
    "(sounds-like). No wildcard can be used.</font>",
    "<hr size=1><font size=2><b>Meaning Search:</b> Find words by what they mean. Describe the "
    "word as you would to a friend (<i>fear of spiders</i>, <i>doctor who treats "
    "children</i>); the best matches come first. A wildcard pattern in the second box "
    "(<i>*phobia</i>) keeps only the words it matches. Searches the Built-in Dictionary.</font>",
};

// The 8-bit text with the characters that would open markup written as entities.
std::string EscapeMarkup(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            default:
                escaped += c;
                break;
        }
    }
    return escaped;
}

// The character as the code page writes it, or cut to its low 8 bits when it has no place
// there, so that every character of a query stands for one byte. False when the cut leaves a
// control character: a NUL would end the 8-bit query early.
bool ToCodePageChar(char16_t ch, char16_t* result) {
    unsigned char code = 0;
    if (!Utf16CharToCodePage(ch, &code)) {
        code = static_cast<unsigned char>(ch & 0xFF);
        if (code < 32) {
            return false;
        }
    }
    *result = CodePageCharToUtf16(code);
    return true;
}

// The line that names the word list searched.
std::string WordListLine(std::u16string_view wordListPath) {
    if (wordListPath.empty()) {
        return kDictionaryLine;
    }
    const size_t slash = wordListPath.rfind(u'/');
    const std::u16string_view name =
        slash == std::u16string_view::npos ? wordListPath : wordListPath.substr(slash + 1);
    return kFileLineStart + EscapeMarkup(Utf16ToCodePage(name)) + kFileLineEnd;
}

}  // namespace

std::string BuildSearchPanelPage(int mode, std::u16string_view wordListPath) {
    std::string page = kPageStart;
    // Meaning always searches the dictionary: a word list has no senses to match.
    if (mode != SEARCH_TAB_MEANING) {
        page += WordListLine(wordListPath);
    }
    if (mode >= 0 && mode < SEARCH_TAB_COUNT) {
        page += kHelpTexts[static_cast<size_t>(mode)];
    }
    page += kPageEnd;
    return page;
}

std::u16string FormatSearchQuery(int mode, std::u16string_view text, int lengthCriterion) {
    if (text.empty()) {
        return std::u16string();
    }
    QString letters;
    for (const char16_t ch : text) {
        char16_t code = 0;
        if (ToCodePageChar(ch, &code)) {
            letters += QChar(code);
        }
    }
    if (letters.isEmpty()) {
        return std::u16string();
    }
    QString query = letters;
    if (mode == SEARCH_TAB_ANAGRAM) {
        const QString count =
            lengthCriterion >= 1 ? QString::number(lengthCriterion) + QChar(u':') : QString();
        query = QChar(u'(') + count + letters + QChar(u')');
    }
    for (QChar& ch : query) {
        // Only a small letter that the code page also holds replaces its capital.
        unsigned char code = 0;
        const QChar lower = ch.toLower();
        if (Utf16CharToCodePage(lower.unicode(), &code)) {
            ch = lower;
        }
    }
    return query.toStdU16String();
}
