// lexicove-mkdb: builds wordnet.lcv from WordNet and CMUdict, and *.dwg word-list files.

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/mkdb/mkdb_command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CMkdbCommand command(std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
    return command.Run(args);
}
