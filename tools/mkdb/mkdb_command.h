#pragma once

// CMkdbCommand: the command line of lexicove-mkdb.
//
//   lexicove-mkdb [--wordnet DIR] [--cmudict FILE] [--inflections DIR] [--no-espeak]
//                 [--no-locality] -o wordnet.lcv
//   lexicove-mkdb dwg WORDS.txt -o NAME.dwg
//
// Exit status 0 on success, 1 when the build fails (the message names the file and line;
// no output file is written), 2 for a command line it does not understand.

#include <iosfwd>
#include <string>
#include <vector>

struct ContentStats;
struct WriterStats;

class CMkdbCommand {
  public:
    // out receives the summary, err the messages; progress goes to err when terminal.
    CMkdbCommand(std::ostream& out, std::ostream& err, bool terminal)
        : out_(out), err_(err), terminal_(terminal) {}

    // args without the program name.
    int Run(const std::vector<std::string>& args);

  private:
    struct Sources {
        std::string wordnet, cmudict, inflections;
        bool espeak = true;
        bool locality = true;
    };
    int BuildDatabase(const Sources& sources, const std::string& output);
    void Summary(const Sources& sources, const std::string& output, double seconds,
                 const ContentStats& c, const WriterStats& w);
    int BuildWordList(const std::string& input, const std::string& output);
    void Progress(const std::string& step);
    int Fail(const std::string& message);
    int Usage(const std::string& message);

    std::ostream& out_;
    std::ostream& err_;
    bool terminal_;
};
