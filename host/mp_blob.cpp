#include "host/mp_blob.h"

#include <cstring>

MpBlob::MpBlob(const void* data, int32_t size) {
    assign(data, size);
}

MpBlob::MpBlob(const MpBlob& other) {
    assign(other.data_, other.size_);
}

MpBlob& MpBlob::operator=(const MpBlob& other) {
    if (this != &other) assign(other.data_, other.size_);
    return *this;
}

MpBlob::~MpBlob() {
    delete[] data_;
}

void MpBlob::assign(const void* data, int32_t size) {
    if (size < 0) size = 0;
    if (size != size_) {
        delete[] data_;
        data_ = size > 0 ? new uint8_t[size] : nullptr;
        size_ = size;
    }
    if (size > 0) {
        if (data)
            std::memcpy(data_, data, size);
        else
            std::memset(data_, 0, size);
    }
}

bool MpBlob::equals(const void* data, int32_t size) const {
    if (size != size_) return false;
    if (size == 0) return true;
    return data && std::memcmp(data_, data, size) == 0;
}
