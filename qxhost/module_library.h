// The interface module as a loaded library: dlopen, MP_GetFactory, dlclose.
#pragma once

#include <string>

#include "host/gmpi.h"

class ModuleLibrary {
public:
    using GetFactory = int32_t (*)(void** factory);

    ModuleLibrary() = default;
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;
    ~ModuleLibrary() { close(); }

    // Loads the module from a path; false with error() set when it cannot.
    bool open(const std::string& path);
    void close();

    GetFactory getFactory() const { return getFactory_; }
    const std::string& error() const { return error_; }

private:
    void* handle_ = nullptr;
    GetFactory getFactory_ = nullptr;
    std::string error_;
};
