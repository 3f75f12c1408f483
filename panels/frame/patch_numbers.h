// Numbers in patch lines that must read back as the value they were written from.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// The text of a number in a patch line: the usual format of the line when the reader turns it
// back into exactly the stored value, otherwise the shortest general form of the exact value
// that does. readBack is what the verb makes of the written number.
template <typename ReadBack>
std::string roundTripNumber(const char* usualFormat, double usualValue, double exactValue,
                            float stored, ReadBack readBack) {
    char text[64];
    std::snprintf(text, sizeof text, usualFormat, usualValue);
    if (readBack(std::atof(text)) == stored) return text;
    for (int digits = 6; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, exactValue);
        if (readBack(std::atof(text)) == stored) return text;
    }
    return text;
}
