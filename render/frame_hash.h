// A fast 64-bit hash for telling frames apart: words are mixed by multiplication and rotation,
// so equal inputs always hash alike and a changed bit changes the result. Not cryptographic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

constexpr uint64_t kHashSeed = 0x9e3779b97f4a7c15ull;

inline uint64_t hashMix(uint64_t h, uint64_t word) {
    h ^= word * 0xbf58476d1ce4e5b9ull;
    h = (h << 27) | (h >> 37);
    return h * 0x94d049bb133111ebull + 0x2545f4914f6cdd1dull;
}

inline uint64_t hashFloat(uint64_t h, float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return hashMix(h, bits);
}

// The bytes of an array of floats, two at a time.
inline uint64_t hashFloats(uint64_t h, const float* values, size_t count) {
    size_t i = 0;
    for (; i + 1 < count; i += 2) {
        uint64_t pair = 0;
        std::memcpy(&pair, values + i, sizeof pair);
        h = hashMix(h, pair);
    }
    if (i < count) h = hashFloat(h, values[i]);
    return hashMix(h, count);
}

inline uint64_t hashBytes(uint64_t h, const char* bytes, size_t count) {
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t word = 0;
        std::memcpy(&word, bytes + i, sizeof word);
        h = hashMix(h, word);
    }
    uint64_t tail = 0;
    std::memcpy(&tail, bytes + i, count - i);
    return hashMix(hashMix(h, tail), count);
}
