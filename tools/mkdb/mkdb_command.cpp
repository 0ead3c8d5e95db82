#include "tools/mkdb/mkdb_command.h"

#include <sys/stat.h>
#include <chrono>
#include <cstdio>
#include <iomanip>
#include <ostream>

#include "app/version.h"
#include "db/database_writer.h"
#include "tools/mkdb/cmu_dict.h"
#include "tools/mkdb/content_builder.h"
#include "tools/mkdb/word_list_file.h"
#include "tools/mkdb/wordnet_reader.h"

namespace {

constexpr char kProgram[] = "lexicove-mkdb";
constexpr char kDefaultWordNet[] = "/usr/share/wordnet";

constexpr char kHelp[] =
    "Usage: lexicove-mkdb [--wordnet DIR] [--cmudict FILE] [--no-locality] -o wordnet.lcv\n"
    "       lexicove-mkdb dwg WORDS.txt -o NAME.dwg\n"
    "\n"
    "Builds Lexicove's dictionary database from WordNet 3.0 and CMUdict, or a word-list\n"
    "file (*.dwg) from a text file of words, one a line.\n"
    "\n"
    "  --wordnet DIR    WordNet's dict folder (default /usr/share/wordnet)\n"
    "  --cmudict FILE   index.js of the npm package cmu-pronouncing-dictionary, for the\n"
    "                   pronunciations (without it the words have none)\n"
    "  --no-locality    lay the text stream out in WordNet's file order instead of word\n"
    "                   by word (for comparing how many blocks a page reads)\n"
    "  -o FILE          the file to write; it is replaced only by a complete new file\n"
    "  -h, --help       show this help\n"
    "  --version        show the version\n";

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int CMkdbCommand::Fail(const std::string& message) {
    err_ << kProgram << ": " << message << "\n";
    return 1;
}

int CMkdbCommand::Usage(const std::string& message) {
    err_ << kProgram << ": " << message << "\n"
         << "Try 'lexicove-mkdb --help' for more information.\n";
    return 2;
}

void CMkdbCommand::Progress(const std::string& step) {
    if (terminal_) {
        err_ << kProgram << ": " << step << "\n" << std::flush;
    }
}

int CMkdbCommand::Run(const std::vector<std::string>& args) {
    std::string wordnet = kDefaultWordNet, cmudict, output, input;
    bool locality = true, wordList = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string* target) {
            if (i + 1 >= args.size()) {
                return false;
            }
            *target = args[++i];
            return true;
        };
        if (a == "-h" || a == "--help") {
            out_ << kHelp;
            return 0;
        } else if (a == "--version") {
            out_ << kProgram << " " << LEXICOVE_VERSION << "\n";
            return 0;
        } else if (a == "--wordnet" || a == "--cmudict" || a == "-o") {
            if (!value(a == "--wordnet" ? &wordnet : a == "--cmudict" ? &cmudict : &output)) {
                return Usage("option " + a + " needs a value");
            }
        } else if (a == "--no-locality") {
            locality = false;
        } else if (a == "dwg" && i == 0) {
            wordList = true;
        } else if (wordList && input.empty() && !a.empty() && a[0] != '-') {
            input = a;
        } else {
            return Usage("unexpected argument \"" + a + "\"");
        }
    }
    if (output.empty()) {
        return Usage("no output file given (-o FILE)");
    }
    if (wordList) {
        if (input.empty()) {
            return Usage("dwg needs the text file of words");
        }
        return BuildWordList(input, output);
    }
    return BuildDatabase(wordnet, cmudict, locality, output);
}

int CMkdbCommand::BuildWordList(const std::string& input, const std::string& output) {
    std::vector<std::string> words;
    std::string error;
    if (!CWordListFile::Read(input, &words, &error) ||
        !CDatabaseWriter::WriteWordList(words, output, &error)) {
        return Fail(error);
    }
    out_ << output << ": " << words.size() << " lines read\n";
    return 0;
}

int CMkdbCommand::BuildDatabase(const std::string& wordnet, const std::string& cmudict,
                                bool locality, const std::string& output) {
    auto start = std::chrono::steady_clock::now();
    if (!IsFolder(wordnet)) {
        return Fail("WordNet folder " + wordnet + " does not exist");
    }
    std::string error;
    Progress("reading WordNet from " + wordnet);
    WordNetData data;
    if (!CWordNetReader::Read(wordnet, &data, &error)) {
        return Fail(error);
    }
    CCmuDict cmu;
    if (!cmudict.empty()) {
        Progress("reading CMUdict from " + cmudict);
        if (!cmu.Read(cmudict, &error)) {
            return Fail(error);
        }
    }
    Progress("laying out the entries");
    CContentBuilder content(data, cmudict.empty() ? nullptr : &cmu);
    content.SetLocality(locality);
    CDatabaseWriter writer;
    if (!content.Build(&writer, &error)) {
        return Fail(error);
    }
    Progress("compressing and writing " + output);
    if (!writer.Write(output, &error)) {
        return Fail(error);
    }

    const ContentStats& c = content.Stats();
    const WriterStats& w = writer.Stats();
    auto row = [&](const char* label) -> std::ostream& {
        return out_ << "  " << std::left << std::setw(24) << label << std::right;
    };
    out_ << output << ": built in " << std::fixed << std::setprecision(2) << Seconds(start)
         << " s\n";
    row("words") << w.words << " (" << c.lemmas << " lemmas, " << c.redirects << " redirects)\n";
    row("senses") << "noun " << c.senses[0] << ", verb " << c.senses[1] << ", adjective "
                  << c.senses[2] << ", adjective satellite " << c.senses[3] << ", adverb "
                  << c.senses[4] << "\n";
    row("relation entries") << c.relations << "\n";
    row("word-form records") << c.formRecords << " (and " << c.sampleRecords
                             << " verb sample frames)\n";
    row("pronunciation records") << c.pronunciationRecords << " (" << c.pronouncedLemmas
                                 << " lemmas pronounced, " << std::setprecision(1)
                                 << (c.lemmas ? 100.0 * c.pronouncedLemmas / c.lemmas : 0.0)
                                 << " %)\n";
    row("most references") << c.maxReferences << " (of one word)\n";
    row("text stream") << w.textBytes << " bytes\n";
    row("compressed") << w.compressedBytes << " bytes in " << w.blocks << " blocks\n";
    row("file size") << w.fileBytes << " bytes\n";
    row("time") << std::setprecision(2) << Seconds(start) << " s\n";
    if (cmudict.empty()) {
        err_ << kProgram << ": no --cmudict given: the words have no pronunciations\n";
    }
    return 0;
}
