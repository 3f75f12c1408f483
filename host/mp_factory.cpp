#include "host/mp_factory.h"

#include <cstdlib>

#include "host/cpu_info.h"
#include "host/mp_gui_base.h"

namespace {

MpFactory* factory = nullptr;

constexpr int32_t kBuildVersion = 30800;
constexpr char16_t kBuildText[] = u"MS Compiler V1929 (Release)";

} // namespace

MpFactory* MpFactory::instance() {
    if (!factory) factory = new MpFactory;
    return factory;
}

void MpFactory::destroyInstance() {
    delete factory;
    factory = nullptr;
}

int32_t MpFactory::queryInterface(const gmpi::MpGuid& iid, void** object) {
    if (iid == gmpi::MP_IID_FACTORY || iid == gmpi::MP_IID_FACTORY2 ||
        iid == gmpi::MP_IID_UNKNOWN) {
        *object = static_cast<gmpi::IMpFactory2*>(this);
        addRef();
        return gmpi::MP_OK;
    }
    *object = nullptr;
    return gmpi::MP_NOSUPPORT;
}

int32_t MpFactory::create(const char16_t* uniqueId, int32_t kind, gmpi::IMpUnknown*& created) {
    created = nullptr;
    if (!uniqueId) return gmpi::MP_NOSUPPORT;
    auto it = registrations_.find(FactoryKey{kind, uniqueId});
    if (it == registrations_.end() || !it->second) return gmpi::MP_NOSUPPORT;
    try {
        created = it->second();
    } catch (...) {
        return gmpi::MP_FAIL;
    }
    return gmpi::MP_OK;
}

int32_t MpFactory::createInstance(const char16_t* uniqueId, int32_t kind, void** object) {
    *object = nullptr;
    gmpi::IMpUnknown* created = nullptr;
    int32_t result = create(uniqueId, kind, created);
    if (result != gmpi::MP_OK) return result;
    *object = created;
    return gmpi::MP_OK;
}

int32_t MpFactory::createInstanceWithHost(const char16_t* uniqueId, int32_t kind,
                                          gmpi::IMpUnknown* host, void** object) {
    *object = nullptr;
    gmpi::IMpUnknown* created = nullptr;
    int32_t result = create(uniqueId, kind, created);
    if (result != gmpi::MP_OK) return result;
    *object = created;
    // Objects that take no host are created without one.
    auto* legacy = dynamic_cast<gmpi::IMpLegacyInitialization*>(created);
    if (!legacy) return gmpi::MP_OK;
    try {
        legacy->setHost(host);
    } catch (...) {
        return gmpi::MP_FAIL; // the object stays with the caller, as created
    }
    return gmpi::MP_OK;
}

int32_t MpFactory::getBuildInformation(int32_t* version, int32_t bufferSize, char16_t* buffer) {
    *version = kBuildVersion;
    if (buffer && bufferSize > 0) {
        // Cut to the buffer, always terminated.
        int32_t n = 0;
        for (; kBuildText[n] && n < bufferSize - 1; ++n) buffer[n] = kBuildText[n];
        buffer[n] = 0;
    }
    return gmpi::MP_OK;
}

int32_t MpFactory::registerClass(int32_t kind, const std::u16string& identifier,
                                 CreateFunction createFunction) {
    registrations_.emplace(FactoryKey{kind, identifier}, createFunction);
    return 0;
}

int32_t MpFactory::registerQxGui() {
    return registerClass(1, u"MY_QX_GUI", &createQxGui);
}

// Load order: the processor record, then the factory with its one registration; unload
// tears them down in reverse.
namespace {
struct ModuleLifetime {
    ModuleLifetime() {
        cpuInfo();
        MpFactory::instance()->registerQxGui();
    }
    ~ModuleLifetime() { MpFactory::destroyInstance(); }
} moduleLifetime;
} // namespace

extern "C" __attribute__((visibility("default"))) int32_t MP_GetFactory(void** factoryOut) {
    return MpFactory::instance()->queryInterface(gmpi::MP_IID_UNKNOWN, factoryOut);
}
