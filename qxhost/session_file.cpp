#include "qxhost/session_file.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "dsp_link/state_pins.h"

namespace qxhost {
namespace {

const char kMagic[] = "QXHOST SESSION ";
constexpr size_t kMaxHeadLine = 128;

void putU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<uint8_t>(value >> (8 * b)));
}

uint32_t getU32(const uint8_t* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

// A whole decimal number as the writer writes it (no sign, no leading zero), at most `high`.
bool parseDecimal(const std::string& text, uint64_t high, uint64_t& value) {
    if (text.empty() || text.size() > 19 || (text.size() > 1 && text[0] == '0')) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value <= high;
}

bool parseHex32(const std::string& text, uint32_t& value) {
    if (text.size() != 8) return false;
    value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return true;
}

std::vector<std::string> splitBlanks(const std::string& text) {
    std::vector<std::string> words;
    size_t at = 0;
    while (at <= text.size()) {
        size_t blank = text.find(' ', at);
        if (blank == std::string::npos) blank = text.size();
        words.push_back(text.substr(at, blank - at));
        at = blank + 1;
    }
    return words;
}

SessionReadResult failure(SessionReadResult::Status status, std::string message,
                          int32_t version = 0) {
    SessionReadResult result;
    result.status = status;
    result.message = std::move(message);
    result.version = version;
    return result;
}

SessionReadResult damaged(std::string message) {
    return failure(SessionReadResult::Status::Damaged, std::move(message));
}

// The body after the head line: `count` instances, nothing left over.
SessionReadResult readBody(const uint8_t* at, size_t size, uint64_t count) {
    SessionReadResult result;
    const uint8_t* end = at + size;
    for (uint64_t i = 0; i < count; ++i) {
        const std::string which = "instance " + std::to_string(i);
        if (end - at < 4) return damaged(which + " is cut short");
        const uint32_t pins = getU32(at);
        at += 4;
        if (pins > sessionPins().size())
            return damaged(which + " claims " + std::to_string(pins) + " pins");
        SessionInstance instance;
        for (uint32_t p = 0; p < pins; ++p) {
            if (end - at < 8) return damaged(which + " is cut short");
            const uint32_t id = getU32(at);
            const uint32_t bytes = getU32(at + 4);
            at += 8;
            if (id > 0x7fffffffu || !isSessionPin(static_cast<int32_t>(id)))
                return damaged(which + " holds pin " + std::to_string(id) +
                               ", which is no state pin");
            const int32_t pinId = static_cast<int32_t>(id);
            if (std::any_of(instance.begin(), instance.end(),
                            [&](const SessionPinValue& v) { return v.pinId == pinId; }))
                return damaged(which + " holds pin " + std::to_string(id) + " twice");
            if (bytes > kSessionMaxValueBytes || bytes > static_cast<size_t>(end - at))
                return damaged(which + " pin " + std::to_string(id) + " claims " +
                               std::to_string(bytes) + " bytes");
            instance.push_back({pinId, std::vector<uint8_t>(at, at + bytes)});
            at += bytes;
        }
        result.instances.push_back(std::move(instance));
    }
    if (at != end) return damaged("it has bytes after its last instance");
    result.status = SessionReadResult::Status::Ok;
    result.version = kSessionFormatVersion;
    return result;
}

} // namespace

const std::vector<int32_t>& sessionPins() {
    static const std::vector<int32_t> pins = [] {
        std::vector<int32_t> ids;
        for (const StatePin& pin : kStatePinsInRestoreOrder) ids.push_back(pin.pinId);
        return ids;
    }();
    return pins;
}

bool isSessionPin(int32_t pinId) {
    return isStatePin(pinId);
}

uint32_t crc32Of(const uint8_t* data, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::vector<uint8_t> writeSession(const std::vector<SessionInstance>& instances) {
    std::vector<uint8_t> body;
    for (const SessionInstance& instance : instances) {
        putU32(body, static_cast<uint32_t>(instance.size()));
        for (const SessionPinValue& pin : instance) {
            putU32(body, static_cast<uint32_t>(pin.pinId));
            putU32(body, static_cast<uint32_t>(pin.value.size()));
            body.insert(body.end(), pin.value.begin(), pin.value.end());
        }
    }
    char head[kMaxHeadLine];
    std::snprintf(head, sizeof head, "%s%d %zu %zu %08x\n", kMagic, kSessionFormatVersion,
                  instances.size(), body.size(), crc32Of(body.data(), body.size()));
    std::vector<uint8_t> file(head, head + std::char_traits<char>::length(head));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

SessionReadResult readSession(const uint8_t* data, size_t size, int32_t maxInstances) {
    const size_t magicLength = sizeof kMagic - 1;
    if (size < magicLength || !std::equal(kMagic, kMagic + magicLength, data))
        return damaged("it is not a qxhost session file");
    const uint8_t* newline = std::find(data, data + std::min(size, kMaxHeadLine), '\n');
    if (newline == data + std::min(size, kMaxHeadLine))
        return damaged("its head line is cut short");
    const std::vector<std::string> words = splitBlanks(std::string(data + magicLength, newline));
    uint64_t version = 0, count = 0, bodyBytes = 0;
    uint32_t crc = 0;
    if (words.empty() || !parseDecimal(words[0], 0x7fffffff, version))
        return damaged("its head line is damaged");
    if (version != static_cast<uint64_t>(kSessionFormatVersion))
        return failure(SessionReadResult::Status::OtherVersion,
                       "it is of format version " + std::to_string(version) +
                           ", and this qxhost reads version " +
                           std::to_string(kSessionFormatVersion),
                       static_cast<int32_t>(version));
    if (words.size() != 4 || !parseDecimal(words[1], kSessionMaxInstances, count) ||
        !parseDecimal(words[2], UINT64_MAX / 2, bodyBytes) || !parseHex32(words[3], crc))
        return damaged("its head line is damaged");
    const uint8_t* body = newline + 1;
    const size_t held = static_cast<size_t>(data + size - body);
    if (held < bodyBytes)
        return damaged("it is cut short (" + std::to_string(held) + " of " +
                       std::to_string(bodyBytes) + " bytes)");
    if (held > bodyBytes) return damaged("it is longer than its head line says");
    if (crc32Of(body, held) != crc) return damaged("its checksum does not match");
    if (count > static_cast<uint64_t>(std::max(maxInstances, 0)))
        return failure(SessionReadResult::Status::TooManyInstances,
                       "it holds " + std::to_string(count) + " instances, more than the " +
                           std::to_string(maxInstances) + " asked for",
                       kSessionFormatVersion);
    return readBody(body, held, count);
}

} // namespace qxhost
