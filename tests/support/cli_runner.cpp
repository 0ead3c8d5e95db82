#include "support/cli_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Quote(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

}  // namespace

std::string BuildProgramPath(const std::string& name) {
    char self[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, n > 0 ? static_cast<size_t>(n) : 0);
    path = path.substr(0, path.rfind('/'));
    return path.substr(0, path.rfind('/')) + "/" + name;
}

std::string CliProgramPath() {
    return BuildProgramPath("lexicove-cli");
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& scratchFolder) {
    return RunProgram(CliProgramPath(), args, scratchFolder);
}

CliResult RunProgram(const std::string& path, const std::vector<std::string>& args,
                     const std::string& scratchFolder) {
    std::string command = Quote(path);
    for (const std::string& arg : args) {
        command += " " + Quote(arg);
    }
    std::string out = scratchFolder + "cli-out", err = scratchFolder + "cli-err";
    command += " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null";
    int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(out), ReadAll(err)};
}
