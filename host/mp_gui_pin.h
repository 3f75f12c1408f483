// Host pins: numbered value slots shared with the host, each with the callback that runs when
// the host notifies a change.
#pragma once

#include <cstdint>
#include <string>

#include "host/gui_pin_owner.h"
#include "host/mp_blob.h"

// Value-type codes of the pins, as the host knows them.
enum MpPinDatatype : int32_t {
    MP_PIN_STRING = 1,
    MP_PIN_BOOL = 4,
    MP_PIN_FLOAT = 6,
    MP_PIN_INT = 8,
    MP_PIN_BLOB = 10,
};

class IGuiPinCallbackImpl {
public:
    virtual ~IGuiPinCallbackImpl() = default;
    // Runs the bound member operation; the voice is not passed on.
    virtual void invoke(int32_t voice) = 0;
};

// A callback bound to a member operation without argument of the owning object.
template <class Owner> class IGuiPinCallback : public IGuiPinCallbackImpl {
public:
    using Member = void (Owner::*)();
    IGuiPinCallback(Owner* object, Member member) : object_(object), member_(member) {}
    void invoke(int32_t) override { (object_->*member_)(); }

private:
    Owner* object_;
    Member member_;
};

class MpGuiPinBase {
public:
    MpGuiPinBase() = default;
    MpGuiPinBase(const MpGuiPinBase&) = delete;
    MpGuiPinBase& operator=(const MpGuiPinBase&) = delete;
    virtual ~MpGuiPinBase() { delete callback_; }

    // Stores a value from the host; true when the stored value changed.
    virtual bool setValueRaw(int32_t voice, int32_t size, const void* data) = 0;
    virtual int32_t getDatatype() const = 0;
    virtual int32_t getSize() const = 0;
    virtual const void* getData() const = 0;
    virtual int32_t reserved() const { return 0; }

    // Binds the pin to its owner under an id with a callback and registers it.
    template <class Owner> void initialise(Owner* owner, int32_t pinId, void (Owner::*member)()) {
        bind(owner, pinId, new IGuiPinCallback<Owner>(owner, member));
    }
    // The bool pin 37 is bound the same way as every other pin.
    template <class Owner>
    void initialisePin37(Owner* owner, int32_t pinId, void (Owner::*member)()) {
        initialise(owner, pinId, member);
    }

    int32_t getId() const { return pinId_; }
    IGuiPinCallbackImpl* callback() const { return callback_; }
    // Runs the callback, if any (the host's notifyPin).
    void notify(int32_t voice) {
        if (callback_) callback_->invoke(voice);
    }

protected:
    // Hands the current value to the host as (id, size, data, voice 0).
    void sendToHost();

private:
    void bind(GuiPinOwner* owner, int32_t pinId, IGuiPinCallbackImpl* callback);

    int32_t pinId_ = -1;
    GuiPinOwner* owner_ = nullptr;
    IGuiPinCallbackImpl* callback_ = nullptr;
};

template <class T> class MpGuiPin;

// A 32-bit value (int or float): stored as given, compared as a bit pattern.
template <class T, int32_t Datatype> class MpGuiWordPin : public MpGuiPinBase {
    static_assert(sizeof(T) == 4, "word pins hold four bytes");

public:
    bool setValueRaw(int32_t voice, int32_t size, const void* data) override;
    int32_t getDatatype() const override { return Datatype; }
    int32_t getSize() const override { return 4; }
    const void* getData() const override { return &value_; }

    T getValue() const { return value_; }
    // Stores a new value and sends it to the host when it differs from the stored one.
    void setValue(T value);

private:
    T value_{};
};

template <> class MpGuiPin<int> : public MpGuiWordPin<int32_t, MP_PIN_INT> {};
template <> class MpGuiPin<float> : public MpGuiWordPin<float, MP_PIN_FLOAT> {};

template <> class MpGuiPin<bool> : public MpGuiPinBase {
public:
    bool setValueRaw(int32_t voice, int32_t size, const void* data) override;
    int32_t getDatatype() const override { return MP_PIN_BOOL; }
    int32_t getSize() const override { return 1; }
    const void* getData() const override { return &value_; }

    bool getValue() const { return value_ != 0; }
    void setValue(bool value);

private:
    uint8_t value_ = 0;
};

template <> class MpGuiPin<MpBlob> : public MpGuiPinBase {
public:
    bool setValueRaw(int32_t voice, int32_t size, const void* data) override;
    int32_t getDatatype() const override { return MP_PIN_BLOB; }
    int32_t getSize() const override { return value_.getSize(); }
    const void* getData() const override { return value_.getData(); }

    const MpBlob& getValue() const { return value_; }
    // The one way a blob is sent: only when its size or bytes differ from the stored value.
    const MpBlob& setValue(const MpBlob& blob);
    const MpBlob& setValue(const void* data, int32_t size);

private:
    MpBlob value_;
};

// A wide-text pin: 16-bit units, no terminator counted.
class StringGuiPin : public MpGuiPinBase {
public:
    bool setValueRaw(int32_t voice, int32_t size, const void* data) override;
    int32_t getDatatype() const override { return MP_PIN_STRING; }
    int32_t getSize() const override { return static_cast<int32_t>(value_.size() * 2); }
    const void* getData() const override { return value_.data(); }

    const std::u16string& getValue() const { return value_; }

private:
    std::u16string value_;
};
