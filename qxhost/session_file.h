// The session file: the latest value of every state pin of every instance, as qxhost keeps it
// between runs. The writer and the reader are pure functions over bytes.
//
// Layout: one text line, then a binary body (all numbers little-endian):
//   "QXHOST SESSION <version> <instances> <body bytes> <crc32 of the body, 8 hex digits>\n"
//   per instance: u32 pin count, then per pin: u32 pin id, u32 size, size bytes.
// The length and checksum in the head line make a truncated or damaged file known as such.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qxhost {

constexpr int32_t kSessionFormatVersion = 1;
// Bounds of what a reader accepts, whatever the file claims.
constexpr int32_t kSessionMaxInstances = 256;
constexpr uint32_t kSessionMaxValueBytes = 1u << 20;

// The pins a session holds, in the order a restore hands them back: the module's state pins.
const std::vector<int32_t>& sessionPins();
bool isSessionPin(int32_t pinId);

struct SessionPinValue {
    int32_t pinId = 0;
    std::vector<uint8_t> value;
};

// One instance's pin values, each pin at most once.
using SessionInstance = std::vector<SessionPinValue>;

struct SessionReadResult {
    enum class Status { Ok, Damaged, OtherVersion, TooManyInstances };
    Status status = Status::Damaged;
    std::string message; // what is wrong, for the user; empty when Ok
    int32_t version = 0;
    std::vector<SessionInstance> instances;
};

std::vector<uint8_t> writeSession(const std::vector<SessionInstance>& instances);

// Reads a whole file's bytes; a file for more than `maxInstances` instances is refused.
SessionReadResult readSession(const uint8_t* data, size_t size, int32_t maxInstances);

uint32_t crc32Of(const uint8_t* data, size_t size);

} // namespace qxhost
