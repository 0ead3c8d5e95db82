#pragma once

// CJsonReader: the small part of JSON that the inflection packages' data files use: objects,
// arrays and strings (with the usual escapes; \u escapes of ASCII only). Numbers, true, false
// and null are refused, since none of those files holds one.

#include <string>
#include <utility>
#include <vector>

struct JsonValue {
    enum Type { STRING, ARRAY, OBJECT } type = STRING;
    std::string text;                                        // STRING
    std::vector<JsonValue> items;                            // ARRAY
    std::vector<std::pair<std::string, JsonValue>> members;  // OBJECT, in file order
};

class CJsonReader {
  public:
    // Reads the whole file; false with the file's name, line and what was wrong.
    static bool ReadFile(const std::string& path, JsonValue* value, std::string* error);
    // Parses text; false with the line and what was wrong.
    static bool Parse(const std::string& text, JsonValue* value, std::string* error);
};
