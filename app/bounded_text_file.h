// Reading the text files the module takes from the user (macros and patches, EQ presets, the
// user menu, action lists) in bounded time and memory: only regular files up to a size limit,
// lines cut at a length limit, each refusal or cut told in a console line.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr size_t kMaxTextFileBytes = 8u << 20;
constexpr size_t kMaxTextLineLength = 16384;

struct TextFileRead {
    bool read = false;              // false when the file could not be opened or was refused
    std::vector<std::string> lines; // without their line ends (LF or CR LF)
    bool endsWithLineEnd = false;   // the text is empty or its last byte ends a line
    std::vector<std::string> notes; // console lines: why the file was refused, or lines cut
};

// Reads the file at path (in the module's path form). A file that cannot be opened gives an
// unread result with no note, so the caller reports it as it always has.
TextFileRead readTextFile(const std::string& path);
