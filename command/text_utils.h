// Small text helpers of the command language.
#pragma once

#include <string>

// Replaces every occurrence of what by by, searching on after each inserted text so that it is
// not searched again. Changes text in place and returns a copy of the result.
std::string replaceAll(std::string& text, const std::string& what, const std::string& by);

// Reads the longest leading part of text that is a decimal number (sign, digits, point,
// digits, exponent); 0.0 when text does not begin with one.
double readLeadingNumber(const std::string& text);

// Whether text holds ";" or "#": a file line that holds either is a comment, so a name or a
// note text with one could never come back from a saved patch.
inline bool holdsCommentMark(const std::string& text) {
    return text.find_first_of(";#") != std::string::npos;
}
constexpr const char* kNameCommentMarkRefused = "A NAME CANNOT HOLD ; OR #";
constexpr const char* kNoteCommentMarkRefused = "A NOTE CANNOT HOLD ; OR #";
