#pragma once

// Runs lexicove-cli (or another program of the build, such as lexicove) as a process for
// tests: the program is looked for in the build folder, one level above the running test
// program (build/tests/...), and its output, error output and exit status are captured.

#include <string>
#include <vector>

struct CliResult {
    int status;  // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// The full path of the named program in the build folder.
std::string BuildProgramPath(const std::string& name);
// The full path of lexicove-cli in the build folder.
std::string CliProgramPath();

// Runs the program at path with args, standard input from /dev/null; scratchFolder (ending
// with "/") receives the captured output files.
CliResult RunProgram(const std::string& path, const std::vector<std::string>& args,
                     const std::string& scratchFolder);

// Runs lexicove-cli with args, standard input from /dev/null; scratchFolder (ending with
// "/") receives the captured output files.
CliResult RunCli(const std::vector<std::string>& args, const std::string& scratchFolder);
