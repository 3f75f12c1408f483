// The pin trace: one line per pin value that crosses between host and module, in the order they
// cross: "<instance> out|in <pin id> <size> <lower-case hex of every byte>" ("-" when empty).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace qxhost {

enum class PinDirection { Out, In }; // out: module to host; in: host to module

// The trace line of one value, without its line end.
std::string formatPinTraceLine(int32_t instance, PinDirection direction, int32_t pinId,
                               int32_t size, const void* data);

// A file of trace lines (or of console lines); each line is flushed as it is written, so the
// file holds everything up to the moment a run stops.
class LineFile {
public:
    LineFile() = default;
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;
    ~LineFile() { close(); }

    bool open(const std::string& path);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    void writeLine(const std::string& line);

private:
    FILE* file_ = nullptr;
};

} // namespace qxhost
