#include "command/text_utils.h"

#include <cctype>
#include <cstdlib>

std::string replaceAll(std::string& text, const std::string& what, const std::string& by) {
    if (what.empty()) return text;
    size_t at = text.find(what);
    while (at != std::string::npos) {
        text.replace(at, what.size(), by);
        at = text.find(what, at + by.size());
    }
    return text;
}

double readLeadingNumber(const std::string& text) {
    const char* s = text.c_str();
    size_t i = 0;
    if (s[i] == '+' || s[i] == '-') ++i;
    size_t digits = 0;
    while (std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (s[i] == '.') {
        ++i;
        while (std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    if (s[i] == 'e' || s[i] == 'E') {
        size_t j = i + 1;
        if (s[j] == '+' || s[j] == '-') ++j;
        if (std::isdigit(static_cast<unsigned char>(s[j]))) {
            while (std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
            i = j;
        }
    }
    return std::strtod(std::string(s, i).c_str(), nullptr);
}
