// The source of the random choices of the command-line and patch-file generators: the seeded
// test draws them from a Mersenne twister, a libFuzzer target from the bytes of its input (so
// that the fuzzer's mutations of the input steer the choices).
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>

class FuzzChoices {
public:
    explicit FuzzChoices(uint32_t seed) : random_(seed), seeded_(true) {}
    FuzzChoices(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // A number from 0 to count - 1 (0 when count is 0 or the input is used up).
    uint32_t below(uint32_t count) {
        if (count <= 1) return 0;
        return next(count > 256 ? 2 : 1) % count;
    }
    bool chance(uint32_t oneIn) { return below(oneIn) == 0; }
    // True once a byte-driven source has handed out all of its input.
    bool exhausted() const { return !seeded_ && at_ >= size_; }

private:
    uint32_t next(int bytes) {
        if (seeded_) return static_cast<uint32_t>(random_());
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) value = (value << 8) | (at_ < size_ ? data_[at_++] : 0u);
        return value;
    }

    std::mt19937 random_;
    bool seeded_ = false;
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t at_ = 0;
};
