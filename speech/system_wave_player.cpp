#include "speech/system_wave_player.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <string_view>

extern char** environ;

namespace {

constexpr const char* kPlayers[] = {"pw-play", "paplay", "aplay"};

// The program's full path in one of the PATH folders, or an empty string.
std::string FindOnPath(std::string_view program) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/bin:/bin";
    while (!folders.empty()) {
        const size_t end = folders.find(':');
        std::string_view folder = folders.substr(0, end);
        folders = end == std::string_view::npos ? std::string_view() : folders.substr(end + 1);
        if (folder.empty()) {
            continue;
        }
        std::string candidate(folder);
        if (candidate.back() != '/') {
            candidate += '/';
        }
        candidate += program;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::string();
}

// Waits for the child; true when it exited with status 0.
bool WaitForSuccess(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::string CSystemWavePlayer::FindPlayer() {
    for (const char* player : kPlayers) {
        std::string found = FindOnPath(player);
        if (!found.empty()) {
            return found;
        }
    }
    return std::string();
}

bool CSystemWavePlayer::PlayWave(const std::string& path) {
    const std::string player = FindPlayer();
    if (player.empty()) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return false;
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string arg0 = player;
    std::string arg1 = path;
    char* argv[] = {arg0.data(), arg1.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, player.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 && WaitForSuccess(child);
}
