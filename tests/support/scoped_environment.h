#pragma once

// CScopedEnvironment: sets or removes environment variables for one test and puts back what
// was there before when it goes, so that a test sees exactly the environment it describes
// (no runtime folder, its own HOME, a stand-in sound server) whatever the machine has.

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CScopedEnvironment {
  public:
    CScopedEnvironment() = default;
    ~CScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) {
                setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                unsetenv(it->first.c_str());
            }
        }
    }
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

    void Set(const std::string& name, const std::string& value) {
        Save(name);
        setenv(name.c_str(), value.c_str(), 1);
    }
    void Unset(const std::string& name) {
        Save(name);
        unsetenv(name.c_str());
    }

  private:
    void Save(const std::string& name) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
