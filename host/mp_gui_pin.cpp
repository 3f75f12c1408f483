#include "host/mp_gui_pin.h"

#include <cstring>

void MpGuiPinBase::bind(GuiPinOwner* owner, int32_t pinId, IGuiPinCallbackImpl* callback) {
    delete callback_;
    callback_ = callback;
    pinId_ = pinId;
    owner_ = owner;
    owner->registerPin(pinId, this);
}

void MpGuiPinBase::sendToHost() {
    if (owner_) owner_->sendPinToHost(pinId_, getSize(), getData(), 0);
}

// Only the first four bytes reach the value field, whatever size the host hands in.
template <class T, int32_t Datatype>
bool MpGuiWordPin<T, Datatype>::setValueRaw(int32_t, int32_t size, const void* data) {
    if (size <= 0 || !data) return false;
    if (size == 4 && std::memcmp(&value_, data, 4) == 0) return false;
    std::memcpy(&value_, data, size < 4 ? size : 4);
    return true;
}

template <class T, int32_t Datatype> void MpGuiWordPin<T, Datatype>::setValue(T value) {
    if (std::memcmp(&value_, &value, 4) == 0) return;
    value_ = value;
    sendToHost();
}

template class MpGuiWordPin<int32_t, MP_PIN_INT>;
template class MpGuiWordPin<float, MP_PIN_FLOAT>;

bool MpGuiPin<bool>::setValueRaw(int32_t, int32_t size, const void* data) {
    if (size <= 0 || !data) return false; // nothing to read: the value stays
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    if (size == 1 && bytes[0] == value_) return false;
    if (size == 4) {
        int32_t word;
        std::memcpy(&word, data, 4);
        value_ = word != 0;
    } else {
        value_ = bytes[0];
    }
    return true;
}

void MpGuiPin<bool>::setValue(bool value) {
    if ((value_ != 0) == value) return;
    value_ = value ? 1 : 0;
    sendToHost();
}

bool MpGuiPin<MpBlob>::setValueRaw(int32_t, int32_t size, const void* data) {
    if (size < 0) size = 0;
    if (size > 0 && !data) return false; // bytes promised but none given: the value stays
    if (value_.equals(data, size)) return false;
    value_.assign(data, size);
    return true;
}

const MpBlob& MpGuiPin<MpBlob>::setValue(const MpBlob& blob) {
    return setValue(blob.getData(), blob.getSize());
}

const MpBlob& MpGuiPin<MpBlob>::setValue(const void* data, int32_t size) {
    if (size < 0) size = 0;
    if (size > 0 && !data) return value_;
    if (value_.equals(data, size)) return value_;
    value_.assign(data, size);
    sendToHost();
    return value_;
}

bool StringGuiPin::setValueRaw(int32_t, int32_t size, const void* data) {
    if (size < 0 || (size > 0 && !data)) return false;
    size_t units = static_cast<size_t>(size) / 2;
    if (size == getSize() && (size == 0 || std::memcmp(value_.data(), data, units * 2) == 0))
        return false;
    // The host's bytes need not be aligned for 16-bit units: copy them as bytes.
    value_.resize(units);
    if (units > 0) std::memcpy(&value_[0], data, units * 2);
    return true;
}
