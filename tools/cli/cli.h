#pragma once

// Shared pieces of lexicove-cli: the command table's entry type, the commands, and the
// helpers every command uses (opening the database, reading options, text conversion).

#include <cstdint>
#include <string>
#include <vector>

class CDictionaryDatabase;

// Exit codes of every command.
constexpr int EXIT_OK = 0;
constexpr int EXIT_NOT_FOUND = 1;    // a word that is not in the dictionary, a bad file
constexpr int EXIT_USAGE = 2;        // the command line is wrong
constexpr int EXIT_NO_DATABASE = 3;  // the database cannot be found or opened

// A command: its name, the function that runs it on the arguments after its name, a
// one-line usage and a one-line description for the program's --help.
struct CliCommand {
    const char* name;
    int (*run)(const std::vector<std::string>& args);
    const char* usage;
    const char* summary;
};

int RunDefine(const std::vector<std::string>& args);
int RunList(const std::vector<std::string>& args);
int RunRandom(const std::vector<std::string>& args);
int RunSearch(const std::vector<std::string>& args);
int RunKeys(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunSuggest(const std::vector<std::string>& args);

// "Did you mean: a, b, c?" with the suggestions for a text that is not a word, or "" when
// there are none.
std::string DidYouMean(CDictionaryDatabase* database, const std::string& typed);

// Locates and opens the database (--database, $LEXICOVE_DATABASE, then the usual places).
// On failure prints the start-up failure text to stderr and returns false.
bool OpenDatabase(CDictionaryDatabase* database);

// Reads a count option's value: a whole number from 1 to max. False with a message on stderr
// when it is not one.
bool ParseCount(const std::string& option, const std::string& value, int max, int* out);

// Prints "lexicove-cli: " and the message to stderr; returns EXIT_USAGE.
int UsageError(const std::string& message);

// 8-bit dictionary text (Windows-1252) as UTF-8, and terminal input (UTF-8) as 8-bit text;
// characters that have no 8-bit form become "?".
std::string ToUtf8(const std::string& text);
std::string FromUtf8(const std::string& text);

// The words joined by single spaces, with white space removed at both ends.
std::string JoinWords(const std::vector<std::string>& words);

// The page of words the Lookup view shows for a typed text: the first rows words not
// smaller than the text; near the end of the dictionary the page is topped up with the
// words before it.
std::vector<std::string> LookupPage(CDictionaryDatabase* database, const std::string& text,
                                    int rows);
