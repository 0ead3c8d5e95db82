// lexicove-cli: the Lexicove dictionary in a terminal. Each command lives in its own file;
// this table names them.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/database_locator.h"
#include "app/version.h"
#include "cli.h"

namespace {

const CliCommand kCommands[] = {
    {"define", RunDefine, "define [--html | --json] [--links N] WORD",
     "the word's page as text (--html: the exact page; --json: structured data; --links N: "
     "the Word Links page of entry N)"},
    {"list", RunList, "list [PREFIX] [-n N] [--json]",
     "the page of N words (20) that the Lookup view shows for PREFIX"},
    {"random", RunRandom, "random [-n N] [--wordlist FILE] [--json]",
     "N words (1) drawn at random, from the dictionary or a *.dwg word list"},
    {"search", RunSearch,
     "search (--puzzle LETTERS | --anagram LETTERS [--length N] | --wildcard PATTERN |\n"
     "         --phonetic TEXT | --meaning TEXT [--wildcard PATTERN]) [--limit N]\n"
     "         [--keep-spaces] [--keep-punctuation | --ignore-punctuation]\n"
     "         [--wordlist FILE.dwg] [--json]",
     "the words found, one a line, then the status row; puzzle: letters and ? for open "
     "boxes; wildcard: ? * [set] (letters) (n:letters) {a,b}; --limit: the most words (128); "
     "--meaning: the words whose senses match the description best, best first, with "
     "--wildcard only those the pattern matches (the limit counts those); "
     "Ctrl-C stops. Exit 0 words found, 1 none or unreadable data, 2 invalid query, 130 "
     "stopped"},
    {"keys", RunKeys, "keys [--json] TEXT", "the primary and alternate sound keys of TEXT"},
    {"export", RunExport, "export favorites|study|recents [--format csv|anki] [-o FILE]",
     "the list's words with pronunciation, part of speech, gloss and sample: CSV (RFC 4180, "
     "UTF-8) or Anki's tab-separated notes; to stdout without -o. Exit 1 when the list is "
     "empty (the file then holds the header only)"},
    {"suggest", RunSuggest, "suggest [--json] TEXT",
     "the words (at most 10) that TEXT may be a misspelling of, best first; exit 1 when none"},
};

void PrintHelp() {
    std::printf(
        "Usage: lexicove-cli [--database PATH] COMMAND [ARGUMENTS]\n\n"
        "Lexicove, the English dictionary, in a terminal.\n\nCommands:\n");
    for (const CliCommand& command : kCommands) {
        std::printf("  %s\n      %s\n", command.usage, command.summary);
    }
    std::printf(
        "\nOptions:\n"
        "  --database PATH  the database to read; without it $LEXICOVE_DATABASE, else\n"
        "                   wordnet.lcv in the program folder, on removable media or the disk\n"
        "  --help           this text; COMMAND --help tells of one command\n"
        "  --version        the program's version\n\n"
        "--json prints one JSON document (UTF-8); its schema is in lexicove-cli(1).\n\n"
        "Exit status: 0 found, 1 not found (or a file that cannot be read or written),\n"
        "2 wrong command line, 3 no database; 130 a search stopped by Ctrl-C.\n");
}

bool IsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--database" || arg.rfind("--database=", 0) == 0) {
            std::string path =
                arg == "--database" ? (i + 1 < argc ? argv[++i] : "") : arg.substr(11);
            if (path.empty()) {
                return UsageError("--database needs a PATH");
            }
            SetDatabaseOption(path);
        } else {
            args.push_back(arg);
        }
    }
    if (args.empty()) {
        PrintHelp();
        return EXIT_USAGE;
    }
    if (IsHelp(args[0])) {
        PrintHelp();
        return EXIT_OK;
    }
    if (args[0] == "--version" || args[0] == "-V") {
        std::printf("lexicove-cli %s\n", LEXICOVE_VERSION);
        return EXIT_OK;
    }
    for (const CliCommand& command : kCommands) {
        if (args[0] != command.name) {
            continue;
        }
        std::vector<std::string> rest(args.begin() + 1, args.end());
        for (const std::string& arg : rest) {
            if (arg == "--") {
                break;
            }
            if (IsHelp(arg)) {
                std::printf("Usage: lexicove-cli [--database PATH] %s\n\n%s\n", command.usage,
                            command.summary);
                return EXIT_OK;
            }
        }
        return command.run(rest);
    }
    return UsageError("no command " + args[0]);
}
