#include "qxhost/module_library.h"

#include <dlfcn.h>

bool ModuleLibrary::open(const std::string& path) {
    close();
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* message = dlerror();
        error_ = message ? message : "cannot load " + path;
        return false;
    }
    getFactory_ = reinterpret_cast<GetFactory>(dlsym(handle_, "MP_GetFactory"));
    if (!getFactory_) {
        error_ = path + " does not export MP_GetFactory";
        close();
        return false;
    }
    return true;
}

void ModuleLibrary::close() {
    if (handle_) dlclose(handle_);
    handle_ = nullptr;
    getFactory_ = nullptr;
}
