// lexicove: the desktop program. Its windows live in lexicove_gui; this file reads the command
// line, answers --help and --version without a display, and runs the application object.

#include <QApplication>
#include <cstdio>
#include <optional>
#include <string>

#include "app/database_locator.h"
#include "app/version.h"
#include "frame/instance_message_reader.h"
#include "frame/lexicove_app.h"
#include "platform/selection_source.h"
#include "platform/signal_watcher.h"

namespace {

struct CommandLine {
    bool help = false;
    bool version = false;
    bool lookupSelection = false;
    std::optional<std::string> lookup;
    std::string database;
};

void PrintHelp() {
    std::printf(
        "Usage: lexicove [--lookup TEXT | --lookup-selection] [--database PATH]\n\n"
        "Lexicove, the English dictionary, thesaurus and word search.\n\n"
        "Options:\n"
        "  --lookup TEXT    look TEXT up: in the Lexicove already "
        "running (brought forward),\n"
        "                   else in a new one\n"
        "  --lookup-selection  look up the text selected in any program (the primary\n"
        "                   selection, else the clipboard) the same way; bind it to a\n"
        "                   key where the desktop offers no global hot key\n"
        "  --database PATH  the database to read; without it "
        "$LEXICOVE_DATABASE, else\n"
        "                   wordnet.lcv in the program folder, on "
        "removable media or the disk\n"
        "  --help           this text\n"
        "  --version        the program's version\n\n"
        "A second start brings the running window forward. The program "
        "folder (lists, word\n"
        "lists, normally the database) is $LEXICOVE_HOME, else "
        "~/.local/share/Lexicove/.\n"
        "Qt is set up from the environment (QT_QPA_PLATFORM and the "
        "like); LEXICOVE_SCALE=2\n"
        "draws everything at double size.\n\n"
        "Exit status: 0 done, 1 the running Lexicove does not answer or "
        "no window,\n"
        "2 wrong command line, 3 no database.\n");
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "lexicove: %s (see lexicove --help)\n", message.c_str());
    return APP_EXIT_USAGE;
}

// Reads "--name VALUE" or "--name=VALUE" at argv[*i]; false when the argument is another one. An
// empty or missing value is left empty for the caller to refuse.
bool TakeValue(const std::string& name, int argc, char** argv, int* i, std::string* value) {
    const std::string arg = argv[*i];
    if (arg == name) {
        *value = *i + 1 < argc ? argv[++*i] : "";
        return true;
    }
    if (arg.rfind(name + "=", 0) == 0) {
        *value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

// Parses the command line; a wrong one gives the usage status to exit with.
std::optional<int> Parse(int argc, char** argv, CommandLine* line) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string value;
        if (arg == "--help" || arg == "-h") {
            line->help = true;
        } else if (arg == "--version" || arg == "-V") {
            line->version = true;
        } else if (arg == "--lookup-selection") {
            line->lookupSelection = true;
        } else if (TakeValue("--lookup", argc, argv, &i, &value)) {
            if (value.empty()) {
                return UsageError("--lookup needs a TEXT");
            }
            line->lookup = value;
        } else if (TakeValue("--database", argc, argv, &i, &value)) {
            if (value.empty()) {
                return UsageError("--database needs a PATH");
            }
            line->database = value;
        } else if (arg.rfind('-', 0) == 0) {
            return UsageError("unknown option " + arg);
        } else {
            return UsageError("unexpected argument \"" + arg + "\"");
        }
    }
    if (line->lookup && line->lookupSelection) {
        return UsageError("--lookup and --lookup-selection cannot go together");
    }
    return std::nullopt;
}

// The selected text to look up, cut as Lookup Selected Text cuts it; empty (told on standard
// error) when nothing is selected: the program then only comes forward.
std::u16string SelectedText() {
    const QString text = CSelectionSource::TextToLookUp();
    if (text.isEmpty()) {
        std::fprintf(stderr, "lexicove: no text is selected; showing the dictionary\n");
    }
    return text.toStdU16String();
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line;
    if (std::optional<int> status = Parse(argc, argv, &line)) {
        return *status;
    }
    if (line.help) {
        PrintHelp();
        return APP_EXIT_OK;
    }
    if (line.version) {
        std::printf("lexicove %s\n", LEXICOVE_VERSION);
        return APP_EXIT_OK;
    }
    std::u16string lookup;
    if (line.lookup) {
        lookup = QString::fromLocal8Bit(*line.lookup).toStdU16String();
        if (lookup.size() > INSTANCE_MAX_TEXT_UNITS) {
            return UsageError("--lookup TEXT is too long");
        }
    }
    if (!line.database.empty()) {
        SetDatabaseOption(line.database);
    }

    // Qt sees none of the arguments: a text to look up such as "-reverse" stays a text.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brennovale"));
    QApplication::setApplicationName(QStringLiteral("Lexicove"));
    QApplication::setApplicationVersion(QStringLiteral(LEXICOVE_VERSION));

    if (line.lookupSelection) {
        lookup = SelectedText();
    }
    CLexicoveApp app;
    app.SetLookupText(lookup);
    CSignalWatcher watcher;
    QObject::connect(&watcher, &CSignalWatcher::received, [&app](int) { app.Close(); });
    return app.Run();
}
