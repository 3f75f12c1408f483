// The module's class factory: creates user-interface objects by (kind, identifier).
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "host/gmpi.h"

// Registration key: kind first, then the identifier compared unit by unit as unsigned 16-bit
// values (a proper prefix sorts first).
struct FactoryKey {
    int32_t kind;
    std::u16string identifier;
    bool operator<(const FactoryKey& other) const {
        if (kind != other.kind) return kind < other.kind;
        return identifier < other.identifier;
    }
};

class MpFactory : public gmpi::IMpFactory2 {
public:
    using CreateFunction = gmpi::IMpUnknown* (*)();

    static MpFactory* instance();
    // Destroys the singleton (at unload).
    static void destroyInstance();

    int32_t queryInterface(const gmpi::MpGuid& iid, void** object) override;
    int32_t addRef() override { return 1; }
    int32_t release() override { return 1; }
    int32_t createInstanceWithHost(const char16_t* uniqueId, int32_t kind, gmpi::IMpUnknown* host,
                                   void** object) override;
    int32_t getBuildInformation(int32_t* version, int32_t bufferSize, char16_t* buffer) override;
    int32_t createInstance(const char16_t* uniqueId, int32_t kind, void** object) override;
    virtual ~MpFactory() = default;

    // Registers (kind, identifier) unless present; returns 0 either way.
    int32_t registerClass(int32_t kind, const std::u16string& identifier, CreateFunction create);
    int32_t registerQxGui();

private:
    // Finds and runs the creation function; -2 when unknown, -1 when it throws.
    int32_t create(const char16_t* uniqueId, int32_t kind, gmpi::IMpUnknown*& created);

    std::map<FactoryKey, CreateFunction> registrations_;
};

// Creates one QX_GUI object with reference count 1.
gmpi::IMpUnknown* createQxGui();
