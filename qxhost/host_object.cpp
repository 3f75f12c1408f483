#include "qxhost/host_object.h"

namespace qxhost {

HostObject::HostObject(int32_t instance, PinListener& listener)
    : instance_(instance), listener_(listener), windowsGuiHost_(*this), extendedHost_(*this) {}

HostObject::~HostObject() {
    releaseInstance();
}

int32_t HostObject::queryInterface(const gmpi::MpGuid& iid, void** object) {
    *object = nullptr;
    if (iid == gmpi::MP_IID_GUI_HOST || iid == gmpi::MP_IID_UNKNOWN)
        *object = static_cast<gmpi::IMpGuiHost*>(this);
    else if (iid == gmpi::MP_IID_WINDOWS_GUI_HOST)
        *object = &windowsGuiHost_;
    else if (iid == gmpi::MP_IID_EXTENDED_HOST)
        *object = &extendedHost_;
    else
        return gmpi::MP_NOSUPPORT;
    addRef();
    return gmpi::MP_OK;
}

int32_t HostObject::receivePinValue(int32_t pinId, int32_t size, const void* data, int32_t) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    if (size < 0 || !bytes) size = 0;
    pinValues_[pinId].assign(bytes, bytes + size);
    listener_.pinFromModule(instance_, pinId, size, data);
    return gmpi::MP_OK;
}

int32_t HostObject::createInstance(gmpi::IMpFactory2* factory) {
    void* created = nullptr;
    int32_t result = factory->createInstanceWithHost(u"MY_QX_GUI", 1, this, &created);
    // The factory hands the object out even when the host was refused; it is ours to release.
    object_ = static_cast<gmpi::IMpUserInterface*>(created);
    return result;
}

int32_t HostObject::deliverPin(int32_t pinId, const std::vector<uint8_t>& value) {
    if (!object_) return gmpi::MP_FAIL;
    pinValues_[pinId] = value;
    const int32_t size = static_cast<int32_t>(value.size());
    listener_.pinToModule(instance_, pinId, size, value.data());
    int32_t result = object_->setPin(pinId, 0, size, value.data());
    object_->notifyPin(pinId, 0);
    return result;
}

int32_t HostObject::releaseInstance() {
    if (!object_) return 0;
    gmpi::IMpUserInterface* object = object_;
    object_ = nullptr;
    return object->release();
}

const std::vector<uint8_t>* HostObject::pinValue(int32_t pinId) const {
    auto it = pinValues_.find(pinId);
    return it == pinValues_.end() ? nullptr : &it->second;
}

} // namespace qxhost
