#include "app/database_locator.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "app/file_search.h"
#include "app/install_layout.h"
#include "app/program_folder.h"

namespace {

// The --database value; set at start-up on the main thread before any search.
std::string& DatabaseOption() {
    static std::string option;
    return option;
}

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string UserName() {
    const char* user = std::getenv("USER");
    if (user != nullptr && *user != '\0') {
        return user;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_name != nullptr) {
        return found->pw_name;
    }
    return std::string();
}

}  // namespace

CDatabaseLocator::CDatabaseLocator(std::string userPath, std::string programFolder,
                                   std::string installedFolder, std::vector<std::string> cardRoots,
                                   std::string deviceRoot)
    : userPath_(std::move(userPath)),
      programFolder_(WithSlash(std::move(programFolder))),
      installedFolder_(WithSlash(std::move(installedFolder))),
      deviceRoot_(WithSlash(std::move(deviceRoot))) {
    for (std::string& root : cardRoots) {
        if (!root.empty()) {
            cardRoots_.push_back(WithSlash(std::move(root)));
        }
    }
}

CDatabaseLocator CDatabaseLocator::ForThisSystem() {
    std::string userPath = DatabaseOption();
    if (userPath.empty()) {
        const char* env = std::getenv("LEXICOVE_DATABASE");
        userPath = env != nullptr ? env : "";
    }
    std::vector<std::string> cardRoots;
    std::string user = UserName();
    if (!user.empty()) {
        cardRoots = {"/media/" + user + "/", "/run/media/" + user + "/"};
    }
    return CDatabaseLocator(userPath, GetProgramFolder(), InstalledDataFolder(), cardRoots, "/");
}

bool CDatabaseLocator::InFolder(const std::string& folder, std::string* path) {
    if (folder.empty()) {
        return false;
    }
    std::string exact = folder + DATABASE_FILE_NAME;
    if (FileExists(exact)) {
        *path = exact;
        return true;
    }
    // The name in other letter cases, as the folder's own files only.
    if (auto found = FindFileInTree(folder, DATABASE_FILE_NAME, 0)) {
        *path = *found;
        return true;
    }
    return false;
}

bool CDatabaseLocator::LocateDatabase(std::string* path) const {
    path->clear();
    if (!userPath_.empty()) {
        if (FileExists(userPath_)) {
            *path = userPath_;
        }
        return !path->empty();
    }
    if (InFolder(programFolder_, path) || InFolder(installedFolder_, path)) {
        return true;
    }
    // The mount table is read once for the two tree stages.
    std::set<std::string> excluded = ExcludedFoldersOfThisSystem();
    for (const std::string& root : cardRoots_) {
        if (auto found = FindFileInTree(root, DATABASE_FILE_NAME, CARD_SEARCH_DEPTH, excluded)) {
            *path = *found;
            return true;
        }
    }
    if (!deviceRoot_.empty()) {
        if (auto found =
                FindFileInTree(deviceRoot_, DATABASE_FILE_NAME, ROOT_SEARCH_DEPTH, excluded)) {
            *path = *found;
            return true;
        }
    }
    return false;
}

void SetDatabaseOption(std::string_view path) {
    DatabaseOption() = std::string(path);
}

bool LocateDatabase(std::string* path) {
    return CDatabaseLocator::ForThisSystem().LocateDatabase(path);
}
