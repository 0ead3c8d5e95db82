#pragma once

// Reading the inflection packages' JSON data files with nlohmann's parser (Debian's
// nlohmann-json3-dev, header-only), without exceptions: a fault is told with the file's name,
// the line and column, and what was wrong. Objects keep their members in file order.

#include <nlohmann/json.hpp>
#include <string>

using JsonValue = nlohmann::ordered_json;

// Parses text; false with the place ("line L, column C") and what was wrong.
bool ParseJson(const std::string& text, JsonValue* value, std::string* error);

// Reads and parses the whole file; false with the file's name, the place and what was wrong.
bool ReadJsonFile(const std::string& path, JsonValue* value, std::string* error);
