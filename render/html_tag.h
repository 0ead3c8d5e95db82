#pragma once

// Reading the tags of a page the renderer wrote: the text between "<" and ">", as the readers
// of pages (the terminal text, the page outline) meet it.

#include <string>

// The tag's name in lower case, with its "/" for an end tag: "a", "/font".
std::string HtmlTagName(const std::string& tag);

// The value of the tag's attribute name (lower case), quoted or not; empty when it is absent.
std::string HtmlTagAttribute(const std::string& tag, const std::string& name);
