// lexicove-cli export: one of the user's word lists written out as CSV or for Anki.

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/program_folder.h"
#include "cli.h"
#include "db/atomic_file.h"
#include "db/dictionary_database.h"
#include "lists/list_exporter.h"
#include "lists/list_files.h"
#include "lists/word_list.h"

namespace {

struct ListChoice {
    const char* name;
    const char* file;
    const char* title;
};

const ListChoice kLists[] = {
    {"favorites", FAVORITES_FILE, "Favorites"},
    {"study", STUDY_LIST_FILE, "Study List"},
    {"recents", RECENTS_FILE, "Recents"},
};

// Reads "--name VALUE" or "--name=VALUE" at args[*i]; false when the argument is another one.
bool TakeValue(const std::string& name, const std::vector<std::string>& args, size_t* i,
               std::string* value) {
    const std::string& arg = args[*i];
    if (arg == name) {
        *value = *i + 1 < args.size() ? args[++*i] : "";
        return true;
    }
    if (arg.rfind(name + "=", 0) == 0) {
        *value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

}  // namespace

int RunExport(const std::vector<std::string>& args) {
    const ListChoice* list = nullptr;
    ExportFormat format = EXPORT_CSV;
    std::string output;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (TakeValue("--format", args, &i, &value)) {
            if (value != "csv" && value != "anki") {
                return UsageError("--format is csv or anki");
            }
            format = value == "csv" ? EXPORT_CSV : EXPORT_ANKI;
        } else if (TakeValue("-o", args, &i, &value) || TakeValue("--output", args, &i, &value)) {
            if (value.empty()) {
                return UsageError("-o needs a FILE");
            }
            output = value;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError("export does not know the option " + args[i]);
        } else if (list != nullptr) {
            return UsageError("export takes one list");
        } else {
            for (const ListChoice& choice : kLists) {
                list = args[i] == choice.name ? &choice : list;
            }
            if (list == nullptr) {
                return UsageError("no list " + args[i] + ": favorites, study or recents");
            }
        }
    }
    if (list == nullptr) {
        return UsageError("export needs a list: favorites, study or recents");
    }
    CDictionaryDatabase database;
    if (!OpenDatabase(&database)) {
        return EXIT_NO_DATABASE;
    }
    // A list that has no file yet is empty, as in the window.
    CWordList words;
    const std::string path = GetProgramFolder() + list->file;
    if (!words.Load(path) && access(path.c_str(), F_OK) == 0) {
        std::fprintf(stderr, "lexicove-cli: cannot read %s\n", path.c_str());
        return EXIT_NOT_FOUND;
    }
    const std::string text = CListExporter(&database).Export(words, format);
    if (output.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
    } else {
        std::string error;
        if (!WriteFileAtomically(output, text.data(), text.size(), &error)) {
            std::fprintf(stderr, "lexicove-cli: %s\n", error.c_str());
            return EXIT_NOT_FOUND;
        }
    }
    if (words.Count() == 0) {
        std::fprintf(stderr, "lexicove-cli: %s is empty\n", list->title);
        return EXIT_NOT_FOUND;
    }
    return EXIT_OK;
}
