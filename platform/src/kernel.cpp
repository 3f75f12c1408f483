// Module identity, system information and debug output.
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

#include <cpuid.h>
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace {

std::function<void(const std::string&)>& debugSink() {
    static std::function<void(const std::string&)> sink;
    return sink;
}

// Copies text (and a terminator) into a wide buffer of size units; returns the units copied
// without the terminator, or size when the text was cut (as the Windows calls report it).
DWORD copyWide(const std::u16string& text, LPWSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    DWORD n = static_cast<DWORD>(text.size());
    if (n >= size) {
        std::memcpy(buffer, text.data(), (size - 1) * sizeof(WCHAR));
        buffer[size - 1] = 0;
        return size;
    }
    std::memcpy(buffer, text.data(), n * sizeof(WCHAR));
    buffer[n] = 0;
    return n;
}

} // namespace

namespace qxplatform {
void setDebugOutputSink(std::function<void(const std::string&)> sink) {
    debugSink() = std::move(sink);
}
} // namespace qxplatform

// A module handle is the base address of the shared object that holds the given address.
BOOL GetModuleHandleExW(DWORD flags, LPCWSTR moduleNameOrAddress, HMODULE* module) {
    if (!module) return FALSE;
    *module = nullptr;
    if (!(flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS)) return FALSE;
    Dl_info info;
    if (!dladdr(reinterpret_cast<const void*>(moduleNameOrAddress), &info) || !info.dli_fbase)
        return FALSE;
    *module = static_cast<HMODULE>(info.dli_fbase);
    return TRUE;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    std::string path;
    Dl_info info;
    if (module && dladdr(module, &info) && info.dli_fname && info.dli_fname[0]) {
        path = info.dli_fname;
    }
    if (path.empty() || path.find('/') == std::string::npos) {
        // The main program: its own path.
        char self[PATH_MAX];
        ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
        if (n <= 0) return 0;
        self[n] = 0;
        path = self;
    }
    // The loader keeps a relative name as it was given; it is resolved against the folder of
    // the first call (the one the process started in) and kept, so a later change of the
    // current folder does not move the module.
    static std::mutex cacheLock;
    static std::map<std::string, std::string> resolvedNames;
    {
        std::lock_guard<std::mutex> hold(cacheLock);
        auto known = resolvedNames.find(path);
        if (known != resolvedNames.end()) {
            path = known->second;
        } else {
            char resolved[PATH_MAX];
            const std::string given = path;
            if (::realpath(path.c_str(), resolved)) path = resolved;
            resolvedNames[given] = path;
        }
    }
    return copyWide(qxplatform::widen(qxplatform::toModulePath(path)), buffer, size);
}

void GetNativeSystemInfo(SYSTEM_INFO* info) {
    if (!info) return;
    std::memset(info, 0, sizeof *info);
#if defined(__x86_64__) || defined(__aarch64__)
    info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_AMD64;
#else
    info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
#endif
    long processors = ::sysconf(_SC_NPROCESSORS_ONLN);
    info->dwNumberOfProcessors = processors > 0 ? static_cast<DWORD>(processors) : 1;
    info->dwPageSize = static_cast<DWORD>(::sysconf(_SC_PAGESIZE));
    info->dwAllocationGranularity = 65536;
}

BOOL IsProcessorFeaturePresent(DWORD feature) {
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return FALSE;
    switch (feature) {
    case PF_XMMI_INSTRUCTIONS_AVAILABLE:
        return (edx >> 25) & 1;
    case PF_XMMI64_INSTRUCTIONS_AVAILABLE:
        return (edx >> 26) & 1;
    case PF_SSE3_INSTRUCTIONS_AVAILABLE:
        return ecx & 1;
    default:
        return FALSE;
    }
#else
    (void)feature;
    return FALSE;
#endif
}

// Font files are named relative to this folder by the system font list.
UINT GetWindowsDirectoryW(LPWSTR buffer, UINT size) {
    return copyWide(u"Z:\\usr\\share", buffer, size);
}

void OutputDebugStringA(LPCSTR text) {
    if (text && debugSink()) debugSink()(text);
}

void Sleep(DWORD milliseconds) {
    timespec pause{static_cast<time_t>(milliseconds / 1000),
                   static_cast<long>(milliseconds % 1000) * 1000000L};
    ::nanosleep(&pause, nullptr);
}
