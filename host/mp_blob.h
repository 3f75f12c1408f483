// The binary value of a blob pin: an owned byte buffer of exactly its size.
#pragma once

#include <cstdint>

class MpBlob {
public:
    MpBlob() = default;
    MpBlob(const void* data, int32_t size);
    MpBlob(const MpBlob& other);
    MpBlob& operator=(const MpBlob& other);
    ~MpBlob();

    int32_t getSize() const { return size_; }
    const uint8_t* getData() const { return data_; }

    // Replaces the value by size bytes at data; the buffer is reallocated only when the size
    // changes.
    void assign(const void* data, int32_t size);
    // Two blobs are equal when their sizes and all their bytes are equal.
    bool equals(const void* data, int32_t size) const;
    bool operator==(const MpBlob& other) const { return equals(other.data_, other.size_); }
    bool operator!=(const MpBlob& other) const { return !(*this == other); }

private:
    int32_t size_ = 0;
    uint8_t* data_ = nullptr;
};
