#pragma once

// The --json output of lexicove-cli's commands (schema: docs/cli-json.schema.json), written
// with nlohmann/json (Debian's nlohmann-json3-dev, header-only): one document a run, UTF-8,
// indented, ended by a newline. Dictionary text is 8-bit and is converted on the way in.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

using CliJson = nlohmann::ordered_json;

// Prints the document to stdout.
void PrintJson(const CliJson& document);

// The 8-bit words as an array of UTF-8 strings.
CliJson WordsJson(const std::vector<std::string>& words);
