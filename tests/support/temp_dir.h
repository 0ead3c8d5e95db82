#pragma once

// CTempDir: a unique scratch folder under /tmp for one test, removed with everything in it
// when the object goes. Folders a test made unreadable are opened up again before removal.

#include <cstdint>
#include <string>
#include <vector>

class CTempDir {
  public:
    // Creates the folder (/tmp/lexicove-XXXXXX); fails the current test when it cannot.
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    // The folder's absolute path, ending with "/".
    const std::string& Path() const { return path_; }

    // Writes bytes to the file at a path relative to the folder, creating its parent folders
    // and replacing an existing file. Returns the file's full path; a failure fails the test.
    std::string WriteFile(const std::string& relative, const std::string& bytes) const;
    std::string WriteFile(const std::string& relative, const std::vector<uint8_t>& bytes) const;

    // Creates a folder (and its parents) relative to the folder; returns its path with "/".
    std::string MakeDir(const std::string& relative) const;

  private:
    std::string path_;
};
