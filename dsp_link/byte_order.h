// Little-endian reads and writes at explicit offsets, so blob layouts hold on any compiler and
// word size. Writers assume the caller sized the buffer; the reader checks every access.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace le {

inline void putU8(uint8_t* out, size_t offset, uint8_t value) {
    out[offset] = value;
}

inline void putU16BigEndian(uint8_t* out, size_t offset, uint16_t value) {
    out[offset] = static_cast<uint8_t>(value >> 8);
    out[offset + 1] = static_cast<uint8_t>(value);
}

// On a little-endian machine the value's own bytes are already in wire order.
constexpr bool kHostIsLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

inline void putU32(uint8_t* out, size_t offset, uint32_t value) {
    if (kHostIsLittleEndian) {
        std::memcpy(out + offset, &value, 4);
        return;
    }
    for (int b = 0; b < 4; ++b) out[offset + b] = static_cast<uint8_t>(value >> (8 * b));
}

inline void putI32(uint8_t* out, size_t offset, int32_t value) {
    putU32(out, offset, static_cast<uint32_t>(value));
}

inline void putU64(uint8_t* out, size_t offset, uint64_t value) {
    if (kHostIsLittleEndian) {
        std::memcpy(out + offset, &value, 8);
        return;
    }
    for (int b = 0; b < 8; ++b) out[offset + b] = static_cast<uint8_t>(value >> (8 * b));
}

inline void putF32(uint8_t* out, size_t offset, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    putU32(out, offset, bits);
}

inline void putF64(uint8_t* out, size_t offset, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    putU64(out, offset, bits);
}

// Runs of 32-bit values (f32 or i32) laid end to end.
template <class Word>
inline void putWords(uint8_t* out, size_t offset, const Word* values, size_t count) {
    static_assert(sizeof(Word) == 4, "32-bit words");
    if (kHostIsLittleEndian) {
        std::memcpy(out + offset, values, 4 * count);
        return;
    }
    for (size_t k = 0; k < count; ++k) {
        uint32_t bits;
        std::memcpy(&bits, &values[k], 4);
        putU32(out, offset + 4 * k, bits);
    }
}

template <class Word>
inline void getWords(const uint8_t* in, size_t offset, Word* values, size_t count) {
    static_assert(sizeof(Word) == 4, "32-bit words");
    if (kHostIsLittleEndian) {
        std::memcpy(values, in + offset, 4 * count);
        return;
    }
    for (size_t k = 0; k < count; ++k) {
        uint32_t bits = 0;
        for (int b = 0; b < 4; ++b)
            bits |= static_cast<uint32_t>(in[offset + 4 * k + b]) << (8 * b);
        std::memcpy(&values[k], &bits, 4);
    }
}

// A name field of `width` bytes: at most width - 1 characters and a NUL; the bytes after the
// NUL keep what the field held (its fill).
inline void putName(uint8_t* out, size_t offset, const std::string& name, size_t width = 16) {
    size_t n = name.size() < width - 1 ? name.size() : width - 1;
    std::memcpy(out + offset, name.data(), n);
    out[offset + n] = 0;
}

inline uint32_t getU32(const uint8_t* in, size_t offset) {
    uint32_t value = 0;
    if (kHostIsLittleEndian) {
        std::memcpy(&value, in + offset, 4);
        return value;
    }
    for (int b = 0; b < 4; ++b) value |= static_cast<uint32_t>(in[offset + b]) << (8 * b);
    return value;
}

inline int32_t getI32(const uint8_t* in, size_t offset) {
    return static_cast<int32_t>(getU32(in, offset));
}

inline uint64_t getU64(const uint8_t* in, size_t offset) {
    uint64_t value = 0;
    if (kHostIsLittleEndian) {
        std::memcpy(&value, in + offset, 8);
        return value;
    }
    for (int b = 0; b < 8; ++b) value |= static_cast<uint64_t>(in[offset + b]) << (8 * b);
    return value;
}

inline float getF32(const uint8_t* in, size_t offset) {
    uint32_t bits = getU32(in, offset);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

inline double getF64(const uint8_t* in, size_t offset) {
    uint64_t bits = getU64(in, offset);
    double value;
    std::memcpy(&value, &bits, 8);
    return value;
}

// A name field of `width` bytes, read up to its first NUL and never past the field.
inline std::string getName(const uint8_t* in, size_t offset, size_t width = 16) {
    const char* text = reinterpret_cast<const char*>(in + offset);
    size_t n = 0;
    while (n < width && text[n] != 0) ++n;
    return std::string(text, n);
}

} // namespace le

// A received blob: every read is checked against its size and reads 0 past the end.
class BlobReader {
public:
    BlobReader(const void* data, int32_t size)
        : data_(static_cast<const uint8_t*>(data)), size_(data && size > 0 ? size : 0) {}

    int32_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const uint8_t* data() const { return data_; }
    bool holds(int64_t offset, int64_t length) const {
        return offset >= 0 && length >= 0 && offset + length <= size_;
    }

    uint8_t u8(int64_t offset) const { return holds(offset, 1) ? data_[offset] : 0; }
    uint32_t u32(int64_t offset) const { return holds(offset, 4) ? le::getU32(data_, offset) : 0; }
    int32_t i32(int64_t offset) const { return holds(offset, 4) ? le::getI32(data_, offset) : 0; }
    uint64_t u64(int64_t offset) const { return holds(offset, 8) ? le::getU64(data_, offset) : 0; }
    float f32(int64_t offset) const { return holds(offset, 4) ? le::getF32(data_, offset) : 0.0f; }
    std::string name(int64_t offset, int64_t width = 16) const {
        if (!holds(offset, 1)) return std::string();
        int64_t available = size_ - offset < width ? size_ - offset : width;
        return le::getName(data_, offset, available);
    }

private:
    const uint8_t* data_;
    int32_t size_;
};
