#include "tools/mkdb/inflection_source.h"

#include "tools/mkdb/json_file.h"

namespace {

bool IsLowerWord(const std::string& s) {
    if (s.empty()) {
        return false;
    }
    for (char c : s) {
        if (!((c >= 'a' && c <= 'z') || c == '-' || c == ' ' || c == '\'')) {
            return false;
        }
    }
    return true;
}

bool ReadVerbs(const std::string& path, std::map<std::string, std::vector<VerbForms>>* verbs,
               std::string* error) {
    JsonValue root;
    if (!ReadJsonFile(path, &root, error)) {
        return false;
    }
    if (!root.is_object()) {
        *error = path + ": not an object of verbs";
        return false;
    }
    for (const auto& [base, pairs] : root.items()) {
        std::vector<VerbForms> forms;
        for (const JsonValue& pair : pairs.is_array() ? pairs : JsonValue::array()) {
            if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string() ||
                !pair[1].is_string()) {
                *error = path + ": verb \"" + base + "\" has a form that is not [past, participle]";
                return false;
            }
            forms.push_back({pair[0].get<std::string>(), pair[1].get<std::string>()});
        }
        if (!pairs.is_array() || forms.empty()) {
            *error = path + ": verb \"" + base + "\" has no [past, participle] list";
            return false;
        }
        if (IsLowerWord(base)) {
            (*verbs)[base] = std::move(forms);
        }
    }
    return true;
}

bool ReadStrings(const std::string& path, std::set<std::string>* words, std::string* error) {
    JsonValue root;
    if (!ReadJsonFile(path, &root, error)) {
        return false;
    }
    if (!root.is_array()) {
        *error = path + ": not an array of verbs";
        return false;
    }
    for (const JsonValue& item : root) {
        if (!item.is_string()) {
            *error = path + ": an entry that is not a string";
            return false;
        }
        words->insert(item.get<std::string>());
    }
    return true;
}

bool ReadPlurals(const std::string& path, std::map<std::string, std::string>* plurals,
                 std::string* error) {
    JsonValue root;
    if (!ReadJsonFile(path, &root, error)) {
        return false;
    }
    if (!root.is_object()) {
        *error = path + ": not an object of nouns";
        return false;
    }
    for (const auto& [noun, plural] : root.items()) {
        if (!plural.is_string()) {
            *error = path + ": the plural of \"" + noun + "\" is not a string";
            return false;
        }
        if (IsLowerWord(noun) && IsLowerWord(plural.get<std::string>())) {
            (*plurals)[noun] = plural.get<std::string>();
        }
    }
    return true;
}

}  // namespace

bool CInflectionSource::Read(const std::string& nodeModules, std::string* error) {
    std::string verbs = nodeModules + "/english-verbs-irregular/resources/";
    return ReadVerbs(verbs + "irregularVerbs.json", &verbs_, error) &&
           ReadStrings(verbs + "consonantDoubled.json", &doubled_, error) &&
           ReadPlurals(nodeModules + "/irregular-plurals/irregular-plurals.json", &plurals_, error);
}

const std::vector<VerbForms>* CInflectionSource::Verb(const std::string& base) const {
    auto it = verbs_.find(base);
    return it == verbs_.end() ? nullptr : &it->second;
}

const std::string* CInflectionSource::Plural(const std::string& noun) const {
    auto it = plurals_.find(noun);
    return it == plurals_.end() ? nullptr : &it->second;
}
