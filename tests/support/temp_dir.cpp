#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Gives the owner full rights on every folder below root so that removal can enter it.
void OpenUp(const fs::path& root) {
    std::error_code ec;
    ::chmod(root.c_str(), 0700);
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) {
            OpenUp(it->path());
        }
    }
}

}  // namespace

CTempDir::CTempDir() {
    char pattern[] = "/tmp/lexicove-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        ADD_FAILURE() << "cannot create a temporary folder under /tmp";
        return;
    }
    path_ = std::string(pattern) + "/";
}

CTempDir::~CTempDir() {
    if (path_.empty()) {
        return;
    }
    std::error_code ec;
    OpenUp(path_);
    fs::remove_all(path_, ec);
}

std::string CTempDir::WriteFile(const std::string& relative, const std::string& bytes) const {
    fs::path full = fs::path(path_) / relative;
    std::error_code ec;
    fs::create_directories(full.parent_path(), ec);
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        ADD_FAILURE() << "cannot write " << full;
    }
    return full.string();
}

std::string CTempDir::WriteFile(const std::string& relative,
                                const std::vector<uint8_t>& bytes) const {
    return WriteFile(relative, std::string(bytes.begin(), bytes.end()));
}

std::string CTempDir::MakeDir(const std::string& relative) const {
    fs::path full = fs::path(path_) / relative;
    std::error_code ec;
    fs::create_directories(full, ec);
    if (ec) {
        ADD_FAILURE() << "cannot create " << full << ": " << ec.message();
    }
    std::string result = full.string();
    if (result.empty() || result.back() != '/') {
        result += '/';
    }
    return result;
}
