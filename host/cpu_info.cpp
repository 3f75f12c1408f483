#include "host/cpu_info.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace {

CpuInfo::Leaf queryCpuid(uint32_t leaf, uint32_t subLeaf) {
    CpuInfo::Leaf r{};
#if defined(__x86_64__) || defined(__i386__)
    __cpuid_count(leaf, subLeaf, r[0], r[1], r[2], r[3]);
#else
    (void)leaf;
    (void)subLeaf;
#endif
    return r;
}

} // namespace

const CpuInfo& cpuInfo() {
    static const CpuInfo info = CpuInfo::build(queryCpuid);
    return info;
}
