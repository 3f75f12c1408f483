// Services of the C runtime as the module expects them on its home platform, and the file
// namespace mapping that every file call of the layer uses.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

namespace qxplatform {

// Wall milliseconds since the process started (what the module's home C runtime returns from
// clock()), as a 32-bit value.
int32_t processClock();

// This moment in local time.
std::tm localTimeNow();

// Maps a path of the module's Windows-shaped namespace to a host path: "Z:\a\b" becomes
// "/a/b", every "\" becomes "/", a drive-relative "Z:name" is taken from the current folder,
// and a component that does not exist as written is matched case-insensitively against the
// folder's entries (command lines arrive upper-cased).
std::string toHostPath(const std::string& path);
std::string toHostPath(const std::u16string& path);

// The reverse: an absolute host path in the module's form ("/a/b" becomes "Z:\a\b").
std::string toModulePath(const std::string& hostPath);

// fopen over the mapped namespace.
FILE* openFile(const std::string& path, const char* mode);
FILE* openFile(const std::u16string& path, const char* mode);

// Narrow (UTF-8) and 16-bit wide text.
std::u16string widen(const std::string& text);
std::string narrow(const std::u16string& text);

} // namespace qxplatform
