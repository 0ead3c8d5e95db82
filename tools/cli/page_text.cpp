#include "page_text.h"

#include <cctype>

#include "cli.h"
#include "render/html_tag.h"

namespace {

bool InIpaFont(const std::vector<bool>& fonts) {
    for (bool ipa : fonts) {
        if (ipa) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string CPageText::Convert(const std::string& html) {
    for (size_t i = 0; i < html.size(); ++i) {
        char c = html[i];
        size_t end = c == '<' ? html.find('>', i) : std::string::npos;
        bool tag = end != std::string::npos && i + 1 < html.size() &&
                   (std::isalpha(static_cast<unsigned char>(html[i + 1])) || html[i + 1] == '/');
        if (!tag) {
            run_.push_back(c);  // database text may hold a lone "<"
            continue;
        }
        FlushText();
        Tag(html.substr(i + 1, end - i - 1));
        i = end;
    }
    FlushText();
    while (!out_.empty() && (out_.back() == '\n' || out_.back() == ' ')) {
        out_.pop_back();
    }
    return out_.empty() ? out_ : out_ + "\n";
}

void CPageText::FlushText() {
    std::string run;
    run.swap(run_);
    for (size_t at; (at = run.find("&nbsp;")) != std::string::npos;) {
        run.replace(at, 6, " ");
    }
    if (InIpaFont(fonts_)) {
        Write(ipa_(run));
        return;
    }
    std::string word;
    auto flushWord = [&] {
        if (!word.empty()) {
            Write(ToUtf8(word));
            word.clear();
        }
    };
    for (char c : run) {
        if (c == '\n') {
            flushWord();
            NewLine();
        } else if (c == ' ' || c == '\t' || c == '\r') {
            flushWord();
            pendingSpace_ = !inPronunciation_;
        } else {
            word.push_back(c);
        }
    }
    flushWord();
}

void CPageText::Write(const std::string& utf8) {
    if (utf8.empty()) {
        return;
    }
    if (column_ == 0) {
        out_.append(indent_, ' ');
        column_ = indent_;
    } else if (pendingSpace_) {
        out_.push_back(' ');
        ++column_;
    }
    pendingSpace_ = false;
    out_ += utf8;
    column_ += utf8.size();
}

void CPageText::NewLine() {
    if (column_ > 0) {
        out_.push_back('\n');
        column_ = 0;
    }
    pendingSpace_ = false;
}

void CPageText::BlankLine() {
    NewLine();
    if (!out_.empty() && out_.compare(out_.size() - std::min<size_t>(2, out_.size()),
                                      std::string::npos, "\n\n") != 0) {
        out_.push_back('\n');
    }
}

void CPageText::RestoreIndent() {
    indent_ = lists_.empty() ? 0 : lists_.back().continuation;
}

void CPageText::Tag(const std::string& tag) {
    std::string name = HtmlTagName(tag);
    if (name == "br") {
        if (inPronunciation_) {
            Write("/");
            inPronunciation_ = false;
        }
        if (column_ == 0) {
            BlankLine();
        }
        NewLine();
    } else if (name == "ol" || name == "ul") {
        NewLine();
        lists_.push_back({name == "ol", 0, 0});
    } else if (name == "/ol" || name == "/ul") {
        NewLine();
        if (!lists_.empty()) {
            lists_.pop_back();
        }
        RestoreIndent();
    } else if (name == "li" && !lists_.empty()) {
        NewLine();
        List& list = lists_.back();
        std::string marker =
            list.ordered ? std::to_string(++list.items) + ". " : std::string("\xE2\x80\xA2 ");
        indent_ = 2 * lists_.size();
        Write(marker);
        list.continuation = static_cast<int>(column_ - (list.ordered ? 0 : 2));
        indent_ = list.continuation;
    } else if (name == "table") {
        notesTable_ = HtmlTagAttribute(tag, "cellspacing") == "4";
        if (notesTable_) {
            BlankLine();
            indent_ = 0;
            Write("Notes");
        }
        NewLine();
    } else if (name == "/table") {
        NewLine();
        notesTable_ = false;
        RestoreIndent();
    } else if (name == "tr") {
        NewLine();
        cell_ = 0;
        if (notesTable_) {
            indent_ = 2;
        }
    } else if (name == "td") {
        if (cell_++ > 0) {
            pendingSpace_ = true;
            if (notesTable_) {
                indent_ = column_ + 1;
            }
        }
    } else if (name == "sup") {
        Write("[");
    } else if (name == "/sup") {
        out_ += "]";
        ++column_;
    } else if (name == "font") {
        fonts_.push_back(HtmlTagAttribute(tag, "face") == "SILSophiaIPA");
    } else if (name == "/font") {
        if (!fonts_.empty()) {
            fonts_.pop_back();
        }
    } else if (name == "a") {
        href_ = HtmlTagAttribute(tag, "href");
    } else if (name == "/a") {
        href_.clear();
    } else if (name == "img") {
        std::string source = HtmlTagAttribute(tag, "src");
        if (source == "pron.gif") {
            Write("/");
            inPronunciation_ = true;
        } else if (source == "link.gif") {
            size_t colon = href_.rfind(':');
            Write("[links " + (colon == std::string::npos ? href_ : href_.substr(colon + 1)) + "]");
        }
    }
}
