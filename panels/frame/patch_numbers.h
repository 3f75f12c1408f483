// Numbers in patch lines that must read back as the value they were written from.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// The text of a number in a patch line: the usual format of the line when the reader turns it
// back into exactly the stored value, otherwise the exact value with the fewest decimals that
// does. Fixed notation only: a named value keeps digits, signs and points, so an exponent would
// be lost. readBack is what the verb makes of the written number.
template <typename ReadBack>
std::string roundTripNumber(const char* usualFormat, double usualValue, double exactValue,
                            float stored, ReadBack readBack) {
    char text[128];
    std::snprintf(text, sizeof text, usualFormat, usualValue);
    if (readBack(std::atof(text)) == stored) return text;
    // Up to 60 decimals reach the smallest normal float; a float's 39 integer digits fit.
    // When no text gives it back (the verb limits the value), the exact value itself.
    for (int decimals = 1; decimals <= 60; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, exactValue);
        if (readBack(std::atof(text)) == stored || std::atof(text) == exactValue) break;
    }
    return text;
}
