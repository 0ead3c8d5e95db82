#include "tools/mkdb/json_file.h"

#include <fstream>
#include <sstream>

namespace {

// A SAX handler that builds nothing and keeps the parser's message of the first fault, which
// names the line and the column: the second pass over a text that did not parse.
struct FaultFinder {
    std::string message;

    bool null() { return true; }
    bool boolean(bool) { return true; }
    bool number_integer(JsonValue::number_integer_t) { return true; }
    bool number_unsigned(JsonValue::number_unsigned_t) { return true; }
    bool number_float(JsonValue::number_float_t, const std::string&) { return true; }
    bool string(std::string&) { return true; }
    bool binary(JsonValue::binary_t&) { return true; }
    bool start_object(std::size_t) { return true; }
    bool key(std::string&) { return true; }
    bool end_object() { return true; }
    bool start_array(std::size_t) { return true; }
    bool end_array() { return true; }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& fault) {
        message = fault.what();
        return false;
    }
};

// "[json.exception.parse_error.101] parse error at line 2, column 3: ..." without its tag.
std::string WithoutTag(const std::string& message) {
    const size_t tag = message.rfind("] ", message.find("parse error"));
    return tag == std::string::npos ? message : message.substr(tag + 2);
}

}  // namespace

bool ParseJson(const std::string& text, JsonValue* value, std::string* error) {
    *value = JsonValue::parse(text, nullptr, /*allow_exceptions=*/false);
    if (!value->is_discarded()) {
        return true;
    }
    FaultFinder finder;
    JsonValue::sax_parse(text, &finder);
    *error = finder.message.empty() ? "not JSON" : WithoutTag(finder.message);
    return false;
}

bool ReadJsonFile(const std::string& path, JsonValue* value, std::string* error) {
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
    if (!ParseJson(text.str(), value, error)) {
        *error = path + ": " + *error;
        return false;
    }
    return true;
}
