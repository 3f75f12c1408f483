// A script of up to 100 short command lines addressed to one instance by local id: sent on
// pin 4, received on pin 3.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScriptItem {
    static constexpr uint32_t kCapacity = 15; // characters an item holds

    char text[16] = {};
    uint32_t length = 0;
    uint32_t capacity = kCapacity;

    // Stores at most 15 characters; the rest of the text field is zero.
    void setText(const std::string& line);
};

struct ScriptRecord {
    static constexpr int kItems = 100;
    static constexpr int32_t kEncodedSize = 2416;
    static constexpr int32_t kItemsOffset = 8;
    static constexpr int32_t kItemSize = 24;
    static constexpr int32_t kCountOffset = 2408;

    int32_t kind = 2;
    int32_t addressee = -1; // local id that runs the script; -1 nobody
    ScriptItem items[kItems];
    int32_t count = 0;
    int32_t reserved = 0;

    // Appends one item; false when the record is full.
    bool append(const std::string& line);
};

namespace script_codec {

std::vector<uint8_t> encode(const ScriptRecord& script);

// The items a received script holds, in order. The item count is clamped to 100 and to the
// blob's size; an item whose capacity field is 16 or more does not hold its text in the blob and
// is skipped; texts end at their NUL and never run past their 16 bytes.
struct Received {
    int32_t kind = 0;
    int32_t addressee = -1;
    std::vector<std::string> lines;
};
// False for a blob too short to hold the kind and the addressee.
bool decode(const uint8_t* data, int32_t size, Received& received);

} // namespace script_codec
