#include "tools/mkdb/json_reader.h"

#include <fstream>
#include <sstream>

namespace {

class Parser {
  public:
    explicit Parser(const std::string& text) : text_(text) {}

    bool Document(JsonValue* value) {
        if (!Value(value, 0)) {
            return false;
        }
        Blank();
        return at_ == text_.size() || Fail("text after the value");
    }

    std::string Error() const { return "line " + std::to_string(Line()) + ": " + error_; }

  private:
    static constexpr int kMaxDepth = 32;

    bool Fail(const std::string& message) {
        if (error_.empty()) {
            error_ = message;
        }
        return false;
    }

    size_t Line() const {
        size_t line = 1;
        for (size_t i = 0; i < at_ && i < text_.size(); ++i) {
            line += text_[i] == '\n' ? 1 : 0;
        }
        return line;
    }

    void Blank() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                      text_[at_] == '\n' || text_[at_] == '\r')) {
            ++at_;
        }
    }

    bool Take(char c) {
        Blank();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    bool Value(JsonValue* value, int depth) {
        if (depth > kMaxDepth) {
            return Fail("values nested too deeply");
        }
        Blank();
        if (at_ >= text_.size()) {
            return Fail("the text ends where a value should be");
        }
        char c = text_[at_];
        if (c == '"') {
            value->type = JsonValue::STRING;
            return String(&value->text);
        }
        if (c == '[') {
            value->type = JsonValue::ARRAY;
            return Sequence(']', [&] {
                value->items.emplace_back();
                return Value(&value->items.back(), depth + 1);
            });
        }
        if (c == '{') {
            value->type = JsonValue::OBJECT;
            return Sequence('}', [&] {
                std::string key;
                Blank();
                if (!String(&key) || (!Take(':') && !Fail("no \":\" after a key"))) {
                    return false;
                }
                value->members.emplace_back(std::move(key), JsonValue());
                return Value(&value->members.back().second, depth + 1);
            });
        }
        return Fail(std::string("unexpected \"") + c + "\": only objects, arrays and strings");
    }

    template <typename Element>
    bool Sequence(char close, Element element) {
        ++at_;  // the opening bracket
        if (Take(close)) {
            return true;
        }
        do {
            if (!element()) {
                return false;
            }
        } while (Take(','));
        return Take(close) || Fail(std::string("no \"") + close + "\" where expected");
    }

    bool String(std::string* out) {
        if (at_ >= text_.size() || text_[at_] != '"') {
            return Fail("a string should start here");
        }
        for (++at_; at_ < text_.size(); ++at_) {
            char c = text_[at_];
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c == '\n') {
                break;
            }
            if (c != '\\') {
                *out += c;
                continue;
            }
            if (++at_ >= text_.size()) {
                break;
            }
            switch (text_[at_]) {
                case '"':
                    *out += '"';
                    break;
                case '\\':
                    *out += '\\';
                    break;
                case '/':
                    *out += '/';
                    break;
                case 'n':
                    *out += '\n';
                    break;
                case 't':
                    *out += '\t';
                    break;
                case 'u': {
                    unsigned code = 0;
                    if (at_ + 4 >= text_.size() ||
                        !(std::istringstream(text_.substr(at_ + 1, 4)) >> std::hex >> code) ||
                        code == 0 || code > 0x7F) {
                        return Fail("a \\u escape that is not an ASCII character");
                    }
                    *out += static_cast<char>(code);
                    at_ += 4;
                    break;
                }
                default:
                    return Fail("an unknown escape in a string");
            }
        }
        return Fail("a string is not closed on its line");
    }

    const std::string& text_;
    size_t at_ = 0;
    std::string error_;
};

}  // namespace

bool CJsonReader::Parse(const std::string& text, JsonValue* value, std::string* error) {
    Parser parser(text);
    *value = JsonValue();
    if (!parser.Document(value)) {
        *error = parser.Error();
        return false;
    }
    return true;
}

bool CJsonReader::ReadFile(const std::string& path, JsonValue* value, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path + ": cannot be opened";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        *error = path + ": cannot be read";
        return false;
    }
    if (!Parse(text.str(), value, error)) {
        *error = path + ": " + *error;
        return false;
    }
    return true;
}
