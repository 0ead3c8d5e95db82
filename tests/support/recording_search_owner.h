#pragma once

// A search panel owner for window tests: it records the searches and help requests the panel
// sends and starts nothing.

#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "frame/search_panel_owner.h"

// Records the searches and help requests the panel sends.
class CRecordingOwner : public ISearchPanelOwner {
  public:
    struct Search {
        uint32_t message;
        QString path;
        QString query;
    };

    bool SendSearch(uint32_t message, const std::u16string& wordListPath,
                    const std::u16string& query) override {
        searches.push_back(
            {message, QString::fromStdU16String(wordListPath), QString::fromStdU16String(query)});
        return true;
    }
    bool SendMeaningSearch(const std::u16string& description,
                           const std::u16string& pattern) override {
        meaningSearches.push_back(
            {QString::fromStdU16String(description), QString::fromStdU16String(pattern)});
        return true;
    }
    void RunHelp(const std::u16string& target) override {
        help.push_back(QString::fromStdU16String(target));
    }

    std::vector<Search> searches;
    std::vector<std::pair<QString, QString>> meaningSearches;  // description, pattern
    std::vector<QString> help;
};
