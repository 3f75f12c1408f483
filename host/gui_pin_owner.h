// The pin map of a user-interface object: pin id to pin, non-owning (the pins are members of
// the object that owns the map).
#pragma once

#include <cstdint>
#include <map>

class MpGuiPinBase;

class GuiPinOwner {
public:
    // Outgoing pin values go to the host through this slot.
    virtual int32_t sendPinToHost(int32_t pinId, int32_t size, const void* data, int32_t voice) = 0;

    // The first registration of an id wins; later ones are ignored.
    void registerPin(int32_t pinId, MpGuiPinBase* pin) { pins_.emplace(pinId, pin); }
    void clearPins() { pins_.clear(); }
    MpGuiPinBase* findPin(int32_t pinId) const {
        auto it = pins_.find(pinId);
        return it == pins_.end() ? nullptr : it->second;
    }
    const std::map<int32_t, MpGuiPinBase*>& pins() const { return pins_; }

protected:
    ~GuiPinOwner() { clearPins(); }

private:
    std::map<int32_t, MpGuiPinBase*> pins_;
};
