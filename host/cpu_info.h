// The processor description built once when the module loads, from CPUID.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct CpuInfo {
    using Leaf = std::array<uint32_t, 4>; // EAX, EBX, ECX, EDX

    int32_t highestStandardLeaf = 0;
    uint32_t highestExtendedLeaf = 0;
    std::string vendor;
    std::string brand;
    uint8_t isIntel = 0;
    uint8_t isAmd = 0;
    uint32_t leaf1Ecx = 0;
    uint32_t leaf1Edx = 0;
    uint32_t leaf7Ebx = 0;
    uint32_t leaf7Ecx = 0;
    uint32_t extendedLeaf1Ecx = 0;
    uint32_t extendedLeaf1Edx = 0;
    std::vector<Leaf> standardLeaves;
    std::vector<Leaf> extendedLeaves;

    bool sse() const { return (leaf1Edx >> 25) & 1; }
    bool sse2() const { return (leaf1Edx >> 26) & 1; }
    bool sse3() const { return leaf1Ecx & 1; }
    bool avx() const { return (leaf1Ecx >> 28) & 1; }
    bool avx2() const { return (leaf7Ebx >> 5) & 1; }

    // Builds the record from a CPUID query (leaf, sub-leaf) -> registers.
    template <class Query> static CpuInfo build(Query cpuid);
};

// The record of this process, built before the host can call in.
const CpuInfo& cpuInfo();

template <class Query> CpuInfo CpuInfo::build(Query cpuid) {
    CpuInfo info;
    Leaf leaf0 = cpuid(0u, 0u);
    info.highestStandardLeaf = static_cast<int32_t>(leaf0[0]);
    for (int32_t i = 0; i <= info.highestStandardLeaf; ++i)
        info.standardLeaves.push_back(cpuid(static_cast<uint32_t>(i), 0u));
    info.highestExtendedLeaf = cpuid(0x80000000u, 0u)[0];
    if (info.highestExtendedLeaf >= 0x80000000u)
        for (uint32_t i = 0x80000000u; i <= info.highestExtendedLeaf && i < 0x80000100u; ++i)
            info.extendedLeaves.push_back(cpuid(i, 0u));

    // Vendor: EBX, EDX, ECX of leaf 0, up to the first zero byte.
    char vendor[13] = {};
    const uint32_t vendorWords[3] = {leaf0[1], leaf0[3], leaf0[2]};
    for (int w = 0; w < 3; ++w)
        for (int b = 0; b < 4; ++b)
            vendor[w * 4 + b] = static_cast<char>(vendorWords[w] >> (8 * b));
    info.vendor = vendor;
    info.isIntel = info.vendor == "GenuineIntel";
    info.isAmd = info.vendor == "AuthenticAMD";

    if (info.highestStandardLeaf >= 1) {
        info.leaf1Ecx = info.standardLeaves[1][2];
        info.leaf1Edx = info.standardLeaves[1][3];
    }
    if (info.highestStandardLeaf >= 7) {
        info.leaf7Ebx = info.standardLeaves[7][1];
        info.leaf7Ecx = info.standardLeaves[7][2];
    }
    if (info.highestExtendedLeaf >= 0x80000001u) {
        Leaf l = cpuid(0x80000001u, 0u);
        info.extendedLeaf1Ecx = l[2];
        info.extendedLeaf1Edx = l[3];
    }
    if (info.highestExtendedLeaf >= 0x80000004u) {
        char brand[49] = {};
        for (uint32_t k = 0; k < 3; ++k) {
            Leaf l = cpuid(0x80000002u + k, 0u);
            for (int w = 0; w < 4; ++w)
                for (int b = 0; b < 4; ++b)
                    brand[k * 16 + w * 4 + b] = static_cast<char>(l[w] >> (8 * b));
        }
        info.brand = brand;
    }
    return info;
}
