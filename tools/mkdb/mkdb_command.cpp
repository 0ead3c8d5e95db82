#include "tools/mkdb/mkdb_command.h"

#include <sys/stat.h>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <ostream>
#include <sstream>

#include "app/version.h"
#include "db/database_writer.h"
#include "db/format.h"
#include "tools/mkdb/cmu_dict.h"
#include "tools/mkdb/content_builder.h"
#include "tools/mkdb/espeak_phonemizer.h"
#include "tools/mkdb/inflection_source.h"
#include "tools/mkdb/meaning_index_builder.h"
#include "tools/mkdb/sense_counts.h"
#include "tools/mkdb/word_list_file.h"
#include "tools/mkdb/wordnet_reader.h"

namespace {

constexpr char kProgram[] = "lexicove-mkdb";
constexpr char kDefaultWordNet[] = "/usr/share/wordnet";

constexpr char kHelp[] =
    "Usage: lexicove-mkdb [--wordnet DIR] [--cmudict FILE] [--inflections DIR] [--no-espeak]\n"
    "                     [--no-locality] -o wordnet.lcv\n"
    "       lexicove-mkdb dwg WORDS.txt -o NAME.dwg\n"
    "\n"
    "Builds Lexicove's dictionary database from WordNet 3.0 and CMUdict, or a word-list\n"
    "file (*.dwg) from a text file of words, one a line.\n"
    "\n"
    "  --wordnet DIR    WordNet's dict folder (default /usr/share/wordnet)\n"
    "  --cmudict FILE   index.js of the npm package cmu-pronouncing-dictionary, for the\n"
    "                   pronunciations (without it the words have none)\n"
    "  --inflections DIR  the node_modules folder holding the npm packages\n"
    "                   english-verbs-irregular and irregular-plurals, the irregular verbs\n"
    "                   and plurals that WordNet lacks (without it: WordNet's and the rules')\n"
    "  --no-espeak      do not pronounce the words CMUdict lacks with espeak-ng\n"
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
    Sources sources;
    sources.wordnet = kDefaultWordNet;
    std::string output, input;
    bool wordList = false;
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
        } else if (a == "--wordnet" || a == "--cmudict" || a == "--inflections" || a == "-o") {
            std::string* target = a == "--wordnet"   ? &sources.wordnet
                                  : a == "--cmudict" ? &sources.cmudict
                                  : a == "-o"        ? &output
                                                     : &sources.inflections;
            if (!value(target)) {
                return Usage("option " + a + " needs a value");
            }
        } else if (a == "--no-locality") {
            sources.locality = false;
        } else if (a == "--no-espeak") {
            sources.espeak = false;
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
    return BuildDatabase(sources, output);
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

int CMkdbCommand::BuildDatabase(const Sources& sources, const std::string& output) {
    auto start = std::chrono::steady_clock::now();
    if (!IsFolder(sources.wordnet)) {
        return Fail("WordNet folder " + sources.wordnet + " does not exist");
    }
    std::string error;
    Progress("reading WordNet from " + sources.wordnet);
    WordNetData data;
    if (!CWordNetReader::Read(sources.wordnet, &data, &error)) {
        return Fail(error);
    }
    CCmuDict cmu;
    if (!sources.cmudict.empty()) {
        Progress("reading CMUdict from " + sources.cmudict);
        if (!cmu.Read(sources.cmudict, &error)) {
            return Fail(error);
        }
    }
    CInflectionSource inflections;
    if (!sources.inflections.empty()) {
        Progress("reading the irregular verbs and plurals from " + sources.inflections);
        if (!IsFolder(sources.inflections)) {
            return Fail("inflection folder " + sources.inflections + " does not exist");
        }
        if (!inflections.Read(sources.inflections, &error)) {
            return Fail(error);
        }
    }
    // The use counts are optional in the database: without cntlist.rev it is built without.
    CSenseCounts senseCounts;
    std::string countsPath = sources.wordnet + "/cntlist.rev";
    bool haveCounts = std::ifstream(countsPath).good();
    if (haveCounts) {
        Progress("reading the sense tag counts from " + countsPath);
        if (!senseCounts.Read(countsPath, &error)) {
            return Fail(error);
        }
    } else {
        err_ << kProgram << ": " << countsPath << " is missing: the database has no use counts\n";
    }
    CEspeakPhonemizer espeak;
    if (sources.espeak && !espeak.Open(&error)) {
        return Fail(error + " (--no-espeak builds without it)");
    }
    Progress("laying out the entries");
    CContentBuilder content(data, sources.cmudict.empty() ? nullptr : &cmu,
                            sources.inflections.empty() ? nullptr : &inflections,
                            sources.espeak ? &espeak : nullptr);
    content.SetLocality(sources.locality);
    content.SetUseCounts(haveCounts ? &senseCounts.Counts() : nullptr);
    CDatabaseWriter writer;
    if (!content.Build(&writer, &error)) {
        return Fail(error);
    }
    Progress("indexing the senses by meaning");
    CMeaningIndexBuilder meaning;
    meaning.AddWordNet(data);
    writer.AddSection(lcv::kTagMeaning, [&meaning](const CDatabaseWriter::WordNumberOf& numberOf,
                                                   std::vector<uint8_t>* out, std::string* e) {
        return meaning.Build(numberOf, out, e);
    });
    Progress("compressing and writing " + output);
    if (!writer.Write(output, &error)) {
        return Fail(error);
    }
    Summary(sources, output, Seconds(start), content.Stats(), writer.Stats());
    return 0;
}

void CMkdbCommand::Summary(const Sources& sources, const std::string& output, double seconds,
                           const ContentStats& c, const WriterStats& w) {
    auto row = [&](const char* label) -> std::ostream& {
        return out_ << "  " << std::left << std::setw(24) << label << std::right;
    };
    auto percent = [&](uint32_t n) {
        std::ostringstream text;
        text << std::fixed << std::setprecision(1) << (c.lemmas ? 100.0 * n / c.lemmas : 0.0)
             << " %";
        return text.str();
    };
    out_ << output << ": built in " << std::fixed << std::setprecision(2) << seconds << " s\n";
    row("words") << w.words << " (" << c.lemmas << " lemmas, " << c.redirects << " redirects)\n";
    row("senses") << "noun " << c.senses[0] << ", verb " << c.senses[1] << ", adjective "
                  << c.senses[2] << ", adjective satellite " << c.senses[3] << ", adverb "
                  << c.senses[4] << "\n";
    row("relation entries") << c.relations << "\n";
    row("word forms") << "plural " << c.forms[0] << ", past " << c.forms[1] << ", participle "
                      << c.forms[2] << ", adjective " << c.forms[3] << ", adverb " << c.forms[4]
                      << "\n";
    row("word-form records") << c.formRecords << " (and " << c.sampleRecords
                             << " verb sample frames)\n";
    row("pronunciations") << c.pronouncedLemmas << " lemmas (" << percent(c.pronouncedLemmas)
                          << "): CMUdict " << c.pronounced[PRON_CMUDICT] << ", espeak-ng "
                          << c.pronounced[PRON_ESPEAK] << ", composed of parts "
                          << c.pronounced[PRON_COMPOSED] << "; " << c.heteronyms
                          << " with several\n";
    row("pronunciation records") << c.pronunciationRecords << "\n";
    row("most references") << c.maxReferences << " (of one word)\n";
    row("text stream") << w.textBytes << " bytes\n";
    row("compressed") << w.compressedBytes << " bytes in " << w.blocks << " blocks\n";
    row("use counts") << w.useCountBytes << " bytes\n";
    row("meaning index") << w.meaningBytes << " bytes\n";
    row("file size") << w.fileBytes << " bytes\n";
    row("time") << std::setprecision(2) << seconds << " s\n";
    if (sources.cmudict.empty()) {
        err_ << kProgram << ": no --cmudict given: "
             << (sources.espeak ? "only espeak-ng pronounces the words\n"
                                : "the words have no pronunciations\n");
    }
    if (sources.inflections.empty()) {
        err_ << kProgram
             << ": no --inflections given: irregular forms come from WordNet and the rules only\n";
    }
}
