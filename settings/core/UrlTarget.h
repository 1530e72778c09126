#pragma once
// What a hyperlink label opens when clicked.
#include <string>

// The text without leading and trailing blanks (spaces, tabs, line breaks).
std::string TrimText(const std::string& text);

// The label's URL when it holds more than blanks, else its caption; trimmed.
// Empty when both are blank: then a click opens nothing.
std::string UrlLabelTarget(const std::string& url, const std::string& caption);
