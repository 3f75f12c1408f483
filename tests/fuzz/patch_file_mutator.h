// Mutated patch files for the fuzz target and the seeded test: a rich saved patch with lines
// dropped, repeated, swapped, cut, or with a number, a word or a byte replaced.
#pragma once

#include <string>
#include <vector>

#include "command_line_generator.h"
#include "fuzz_choices.h"

namespace fuzz_patches {

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Replaces one blank-separated word (or tab-separated field) of the line.
inline void replaceWord(std::string& line, FuzzChoices& choices, const std::string& by) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < line.size(); ++i)
        if (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t') starts.push_back(i);
    if (starts.empty()) {
        line = by;
        return;
    }
    const size_t start = starts[choices.below(static_cast<uint32_t>(starts.size()))];
    size_t end = line.find_first_of(" \t", start);
    if (end == std::string::npos) end = line.size();
    // A named argument keeps its key and gets the new value.
    const size_t colon = line.find(':', start);
    const size_t from = colon != std::string::npos && colon < end ? colon + 1 : start;
    line.replace(from, end - from, by);
}

inline void mutateLine(std::string& line, FuzzChoices& choices) {
    switch (choices.below(6)) {
    case 0:
    case 1:
        replaceWord(line, choices, fuzz_lines::specialNumber(choices));
        break;
    case 2:
        replaceWord(line, choices, fuzz_lines::randomWord(choices));
        break;
    case 3:
        if (!line.empty()) line.resize(choices.below(static_cast<uint32_t>(line.size())));
        break;
    case 4:
        if (!line.empty())
            line[choices.below(static_cast<uint32_t>(line.size()))] =
                static_cast<char>(choices.below(256));
        break;
    default:
        line += (choices.chance(2) ? " " : "\t") + fuzz_lines::randomWord(choices);
        break;
    }
}

inline std::string mutatePatch(const std::vector<std::string>& original, FuzzChoices& choices) {
    std::vector<std::string> lines = original;
    for (uint32_t edits = 1 + choices.below(12); edits > 0 && !lines.empty(); --edits) {
        const uint32_t at = choices.below(static_cast<uint32_t>(lines.size()));
        switch (choices.below(8)) {
        case 0:
            lines.erase(lines.begin() + at);
            break;
        case 1:
            lines.insert(lines.begin() + at, lines[at]);
            break;
        case 2:
            std::swap(lines[at], lines[choices.below(static_cast<uint32_t>(lines.size()))]);
            break;
        case 3:
            lines.insert(lines.begin() + at, fuzz_lines::randomCommandLine(choices));
            break;
        default:
            mutateLine(lines[at], choices);
            break;
        }
    }
    if (choices.chance(10) && !lines.empty())
        lines.resize(choices.below(static_cast<uint32_t>(lines.size())));
    std::string text;
    for (const std::string& line : lines) text += line + (choices.chance(20) ? "\r\n" : "\n");
    return text;
}

} // namespace fuzz_patches
