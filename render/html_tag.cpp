#include "render/html_tag.h"

#include <cctype>

std::string HtmlTagName(const std::string& tag) {
    std::string name;
    for (char c : tag) {
        if (!std::isalpha(static_cast<unsigned char>(c)) && !(c == '/' && name.empty())) {
            break;
        }
        name.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    return name;
}

std::string HtmlTagAttribute(const std::string& tag, const std::string& name) {
    std::string lower;
    for (char c : tag) {
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    size_t at = lower.find(" " + name + "=");
    if (at == std::string::npos) {
        return "";
    }
    at += name.size() + 2;
    if (at < tag.size() && tag[at] == '"') {
        size_t end = tag.find('"', at + 1);
        return tag.substr(at + 1, end == std::string::npos ? end : end - at - 1);
    }
    size_t end = tag.find(' ', at);
    return tag.substr(at, end == std::string::npos ? end : end - at);
}
