// The host side of one interface instance: the three host interfaces the instance asks for, the
// pin values that crossed, and the calls into the instance (creation, pins, release).
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "host/gmpi.h"

namespace qxhost {

// Receives every pin value that crosses between the host and one instance.
class PinListener {
public:
    virtual void pinFromModule(int32_t instance, int32_t pinId, int32_t size, const void* data) = 0;
    virtual void pinToModule(int32_t instance, int32_t pinId, int32_t size, const void* data) = 0;

protected:
    ~PinListener() = default;
};

class HostObject : public gmpi::IMpGuiHost {
public:
    HostObject(int32_t instance, PinListener& listener);
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;
    ~HostObject();

    // The host interfaces: the GUI host (this object), the Windows GUI host and the extended
    // host; the instance only fetches and keeps the last two.
    int32_t queryInterface(const gmpi::MpGuid& iid, void** object) override;
    int32_t addRef() override { return ++refCount_; }
    int32_t release() override { return --refCount_; }
    // Slot 3: a value the instance sends out. It is stored as the pin's current value.
    int32_t receivePinValue(int32_t pinId, int32_t size, const void* data, int32_t voice) override;

    // Creates "MY_QX_GUI" (kind 1) with this host; the factory's result code.
    int32_t createInstance(gmpi::IMpFactory2* factory);
    // Hands a value in: stored, then setPin, then notifyPin. Returns setPin's result code.
    int32_t deliverPin(int32_t pinId, const std::vector<uint8_t>& value);
    // The last release of the instance; its result (0 when it was destroyed).
    int32_t releaseInstance();

    int32_t instanceNumber() const { return instance_; }
    gmpi::IMpUserInterface* instance() const { return object_; }
    // The current value of a pin as the host holds it (sent by the instance or handed in).
    const std::vector<uint8_t>* pinValue(int32_t pinId) const;

private:
    // An interface that the host only has to answer for; its calls go to the host object.
    class ForwardingInterface : public gmpi::IMpUnknown {
    public:
        explicit ForwardingInterface(HostObject& owner) : owner_(owner) {}
        int32_t queryInterface(const gmpi::MpGuid& iid, void** object) override {
            return owner_.queryInterface(iid, object);
        }
        int32_t addRef() override { return owner_.addRef(); }
        int32_t release() override { return owner_.release(); }

    private:
        HostObject& owner_;
    };

    int32_t instance_;
    PinListener& listener_;
    int32_t refCount_ = 1;
    ForwardingInterface windowsGuiHost_;
    ForwardingInterface extendedHost_;
    gmpi::IMpUserInterface* object_ = nullptr;
    std::map<int32_t, std::vector<uint8_t>> pinValues_;
};

} // namespace qxhost
