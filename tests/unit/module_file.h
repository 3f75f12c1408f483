// A file written beside the module for one test (the unit tests' module folder is the test
// binary's folder), removed when the test ends.
#pragma once

#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "app/text_services.h"
#include "qxplatform/runtime.h"

struct TempFile {
    std::string name;
    std::string hostPath;
    TempFile(const std::string& moduleRelative, const std::string& text) : name(moduleRelative) {
        hostPath = qxplatform::toHostPath(modulePath(""));
        const size_t slash = moduleRelative.rfind('/');
        if (slash != std::string::npos)
            ::mkdir((hostPath + moduleRelative.substr(0, slash)).c_str(), 0755);
        hostPath += moduleRelative;
        FILE* f = std::fopen(hostPath.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    ~TempFile() { std::remove(hostPath.c_str()); }
};
