// Small text helpers of the command language.
#pragma once

#include <string>

// Replaces every occurrence of what by by, searching on after each inserted text so that it is
// not searched again. Changes text in place and returns a copy of the result.
std::string replaceAll(std::string& text, const std::string& what, const std::string& by);

// Reads the longest leading part of text that is a decimal number (sign, digits, point,
// digits, exponent); 0.0 when text does not begin with one.
double readLeadingNumber(const std::string& text);
