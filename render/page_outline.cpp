#include "render/page_outline.h"

#include <cctype>
#include <cstdlib>

#include "render/html_tag.h"

namespace {

// The entry index of a Word Links target "word:N", or 0.
int LinksEntry(const std::string& href) {
    const size_t colon = href.rfind(':');
    if (colon == std::string::npos || colon + 1 >= href.size()) {
        return 0;
    }
    for (size_t i = colon + 1; i < href.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(href[i]))) {
            return 0;
        }
    }
    return std::atoi(href.c_str() + colon + 1);
}

// The run with each "&nbsp;" as a space.
std::string WithSpaces(const std::string& run) {
    std::string out;
    for (size_t i = 0; i < run.size(); ++i) {
        if (run.compare(i, 6, "&nbsp;") == 0) {
            out.push_back(' ');
            i += 5;
        } else {
            out.push_back(run[i]);
        }
    }
    return out;
}

constexpr char kBullet = '\x95';  // Windows-1252's bullet, between a gloss and its samples

}  // namespace

PageOutline CPageOutline::Parse(const std::string& word, int entry, const std::string& html) {
    *this = CPageOutline();
    page_.word = word;
    page_.entry = entry;
    linksPage_ = entry > 0;
    std::string run;
    for (size_t i = 0; i < html.size(); ++i) {
        const size_t end = html[i] == '<' ? html.find('>', i) : std::string::npos;
        const bool tag =
            end != std::string::npos && i + 1 < html.size() &&
            (std::isalpha(static_cast<unsigned char>(html[i + 1])) || html[i + 1] == '/');
        if (!tag) {
            run.push_back(html[i]);  // database text may hold a lone "<"
            continue;
        }
        Text(WithSpaces(run));
        run.clear();
        const std::string text = html.substr(i + 1, end - i - 1);
        const std::string name = HtmlTagName(text);
        if (!name.empty() && name[0] == '/') {
            EndTag(name.substr(1));
        } else {
            Tag(name, text);
        }
        i = end;
    }
    if (linksPage_) {
        page_.gloss = Clean(gloss_);
    }
    return page_;
}

void CPageOutline::Text(const std::string& run) {
    if (run.empty()) {
        return;
    }
    if (inPronunciation_) {
        // The IPA font's text, and a plain ":" between two runs of it.
        if (!fonts_.empty()) {
            page_.pronunciations.back().append(run);
        }
    } else if (sup_ > 0) {
        NoteNumber(run);
    } else if (bold_ > 0) {
        boldText_ += run;
    } else if (notesTable_) {
        buffer_ += cell_ == 2 ? run : "";
    } else if (linksPage_) {
        if (inAnchor_) {
            buffer_ += run;
        } else if (page_.relations.empty()) {
            gloss_ += run;
        }
    } else if (inSense_) {
        if (inAnchor_ || italic_ > 0) {
            buffer_ += run;
        } else if (!glossDone_) {
            gloss_ += run;
        }
    }
}

void CPageOutline::NoteNumber(const std::string& run) {
    const int number = std::atoi(run.c_str());
    if (number <= 0) {
        return;
    }
    if (notesTable_) {
        noteNumber_ = number;
    } else if (inSense_) {
        Sense().notes.push_back(number);
    } else {
        pendingNotes_.push_back(number);
    }
}

void CPageOutline::Tag(const std::string& name, const std::string& tag) {
    if (name == "b") {
        if (bold_++ == 0 && sup_ == 0) {
            boldText_.clear();
        }
    } else if (name == "i") {
        ++italic_;
        glossDone_ = true;
        buffer_.clear();
    } else if (name == "sup") {
        ++sup_;
    } else if (name == "font") {
        fonts_.push_back(HtmlTagAttribute(tag, "face") == "SILSophiaIPA");
    } else if (name == "br") {
        inPronunciation_ = false;
        if (notesTable_ && cell_ == 2) {
            buffer_ += "\n";
        }
    } else if (name == "ol" && !linksPage_) {
        inList_ = true;
        page_.parts.push_back({pendingPart_, pendingNotes_, {}});
        pendingNotes_.clear();
    } else if (name == "ul") {
        inList_ = true;
    } else if (name == "li" && inList_ && !linksPage_) {
        CloseSense();
        OpenSense();
    } else if (name == "a") {
        inAnchor_ = true;
        buffer_.clear();
        const std::string href = HtmlTagAttribute(tag, "href");
        if (href == ":pron" && !linksPage_) {  // each pronunciation is a block of its own
            inPronunciation_ = true;
            page_.pronunciations.emplace_back();
        }
        const int links = LinksEntry(href);
        if (inSense_ && tables_ == 0 && links > 0) {
            Sense().links = links;
            glossDone_ = true;
        }
    } else if (name == "table") {
        if (inSense_) {
            ++tables_;
            glossDone_ = true;
        } else if (HtmlTagAttribute(tag, "cellspacing") == "4") {
            notesTable_ = true;
        }
    } else if (name == "tr") {
        cell_ = 0;
    } else if (name == "td") {
        ++cell_;
        buffer_.clear();
    }
}

void CPageOutline::EndTag(const std::string& name) {
    if (name == "b" && bold_ > 0) {
        if (--bold_ > 0 || sup_ > 0) {
            return;
        }
        if (linksPage_) {
            if (boldText_.rfind("Word Links", 0) != 0) {
                page_.relations.push_back({Clean(boldText_), {}});
            }
        } else if (!inList_) {
            pendingPart_ = boldText_;
        }
    } else if (name == "i" && italic_ > 0) {
        if (--italic_ == 0 && inSense_) {
            Sense().samples.push_back(Clean(buffer_));
        }
    } else if (name == "sup" && sup_ > 0) {
        --sup_;
    } else if (name == "font" && !fonts_.empty()) {
        fonts_.pop_back();
    } else if (name == "ol" || name == "ul") {
        CloseSense();
        inList_ = false;
    } else if (name == "a" && inAnchor_) {
        inAnchor_ = false;
        if (inSense_ && tables_ > 0) {
            Sense().synonyms.push_back(Clean(buffer_));
        } else if (linksPage_ && inList_ && !page_.relations.empty()) {
            page_.relations.back().words.push_back(Clean(buffer_));
        }
    } else if (name == "table") {
        if (tables_ > 0) {
            --tables_;
        } else {
            notesTable_ = false;
        }
    } else if (name == "td" && notesTable_ && cell_ == 2 && noteNumber_ > 0) {
        page_.forms.push_back({noteNumber_, Clean(buffer_)});
        noteNumber_ = 0;
    }
}

void CPageOutline::OpenSense() {
    page_.parts.back().senses.emplace_back();
    inSense_ = true;
    glossDone_ = false;
    gloss_.clear();
}

void CPageOutline::CloseSense() {
    if (inSense_) {
        Sense().gloss = Clean(gloss_);
    }
    inSense_ = false;
    tables_ = 0;
}

std::string CPageOutline::Clean(const std::string& text) {
    std::string lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        while (!line.empty() && (line.back() == ' ' || line.back() == kBullet)) {
            line.pop_back();
        }
        if (start > 0) {
            lines.push_back('\n');
        }
        lines.append(line);
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    size_t first = lines.find_first_not_of(" :\n");
    size_t last = lines.find_last_not_of(" \n");
    return first == std::string::npos ? "" : lines.substr(first, last - first + 1);
}
