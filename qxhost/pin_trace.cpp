#include "qxhost/pin_trace.h"

namespace qxhost {

std::string formatPinTraceLine(int32_t instance, PinDirection direction, int32_t pinId,
                               int32_t size, const void* data) {
    static const char kHex[] = "0123456789abcdef";
    std::string line = std::to_string(instance) +
                       (direction == PinDirection::Out ? " out " : " in ") + std::to_string(pinId) +
                       " " + std::to_string(size) + " ";
    if (size <= 0 || !data) return line + "-";
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    line.reserve(line.size() + 2 * static_cast<size_t>(size));
    for (int32_t i = 0; i < size; ++i) {
        line += kHex[bytes[i] >> 4];
        line += kHex[bytes[i] & 0x0F];
    }
    return line;
}

bool LineFile::open(const std::string& path) {
    close();
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void LineFile::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

void LineFile::writeLine(const std::string& line) {
    if (!file_) return;
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

} // namespace qxhost
