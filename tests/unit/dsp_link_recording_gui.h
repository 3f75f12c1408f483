// A QX_GUI whose pin values go to a log instead of a host, and helpers to build golden bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/qx_gui.h"

struct SentPin {
    int32_t id;
    std::vector<uint8_t> bytes;
};

class RecordingGui : public QX_GUI {
public:
    int32_t sendPinToHost(int32_t pinId, int32_t size, const void* data, int32_t) override {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        sent.push_back({pinId, std::vector<uint8_t>(p, p + (size > 0 ? size : 0))});
        return 0;
    }

    // Hands a value in as a host does: store, then notify.
    void deliver(int32_t id, const std::vector<uint8_t>& bytes) {
        setPin(id, 0, static_cast<int32_t>(bytes.size()), bytes.empty() ? nullptr : bytes.data());
        notifyPin(id, 0);
    }
    void deliverInt(int32_t id, int32_t value) {
        setPin(id, 0, 4, &value);
        notifyPin(id, 0);
    }

    std::vector<int32_t> sentIds() const {
        std::vector<int32_t> ids;
        for (const SentPin& p : sent) ids.push_back(p.id);
        return ids;
    }
    // The last value sent on a pin (empty when none was sent).
    std::vector<uint8_t> lastSent(int32_t id) const {
        for (auto it = sent.rbegin(); it != sent.rend(); ++it)
            if (it->id == id) return it->bytes;
        return {};
    }
    bool wasSent(int32_t id) const {
        for (const SentPin& p : sent)
            if (p.id == id) return true;
        return false;
    }

    std::vector<SentPin> sent;
};

inline std::unique_ptr<RecordingGui> makeGui() {
    return std::make_unique<RecordingGui>();
}

// Golden byte builders: little-endian words written into a byte vector by hand.
struct Golden {
    std::vector<uint8_t> bytes;
    explicit Golden(size_t size, uint8_t fill = 0) : bytes(size, fill) {}
    Golden& u8(size_t at, uint8_t v) {
        bytes.at(at) = v;
        return *this;
    }
    Golden& u32(size_t at, uint32_t v) {
        for (int b = 0; b < 4; ++b) bytes.at(at + b) = static_cast<uint8_t>(v >> (8 * b));
        return *this;
    }
    Golden& i32(size_t at, int32_t v) { return u32(at, static_cast<uint32_t>(v)); }
    Golden& f32(size_t at, float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        return u32(at, bits);
    }
    Golden& text(size_t at, const std::string& s) {
        for (size_t i = 0; i < s.size(); ++i) bytes.at(at + i) = static_cast<uint8_t>(s[i]);
        return *this;
    }
    Golden& fill(size_t from, size_t to, uint8_t v) {
        for (size_t i = from; i < to; ++i) bytes.at(i) = v;
        return *this;
    }
};
