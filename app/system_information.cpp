// The SYSTEM_INFO report and the cursor report beside it.
#include <cstdio>

#include "app/display_table.h"
#include "app/qx_gui.h"
#include "host/cpu_info.h"

namespace {

std::string format(const char* pattern, int32_t a) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a);
    return text;
}

std::string format(const char* pattern, int32_t a, int32_t b) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

} // namespace

int32_t QX_GUI::printMousePosition() {
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    appendConsoleLine("   CURRENT MOUSE POSITION : ");
    appendConsoleLine(format("      X:%i", cursor.x));
    appendConsoleLine(format("      Y:%i", cursor.y));
    const DisplayTable& table = processDisplays();
    int32_t screen = 0;
    for (int i = 0; i < table.count; ++i) {
        if (cursor.x > table.left[i] && cursor.x < table.left[i] + table.width[i] &&
            cursor.y > table.top[i] && cursor.y < table.top[i] + table.height[i])
            screen = i;
    }
    return screen;
}

void QX_GUI::logSystemInformation() {
    appendConsoleLine("SYSTEM INFORMATION :");
    appendConsoleLine(" ");
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    appendConsoleLine(info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64
                          ? "   ACHITECTURE : x64"
                          : "   ACHITECTURE : x86");
    appendConsoleLine(
        format("     LOGICAL PROCESSORS : %i", static_cast<int32_t>(info.dwNumberOfProcessors)));
    const CpuInfo& cpu = cpuInfo();
    if (cpu.sse()) appendConsoleLine("     SSE SUPPORTED");
    if (cpu.sse2()) appendConsoleLine("     SSE2 SUPPORTED");
    if (cpu.sse3()) appendConsoleLine("     SSE3 SUPPORTED");
    if (cpu.avx()) appendConsoleLine("     AVX SUPPORTED");
    if (cpu.avx2()) appendConsoleLine("     AVX2 SUPPORTED");
    appendConsoleLine(" ");
    const DisplayTable& table = processDisplays();
    appendConsoleLine(format("   NUMBER OF DISPLAYS : %i", table.count));
    for (int i = 0; i < table.count; ++i) {
        appendConsoleLine(format("      SCREEN %i :", i + 1));
        appendConsoleLine(
            format("         DIMENSIONS : %i X :%i", table.width[i], table.height[i]));
        appendConsoleLine(format("         POSITION : X:%i Y:%i", table.left[i], table.top[i]));
    }
    appendConsoleLine(" ");
    int32_t screen = printMousePosition();
    appendConsoleLine(format("MOUSE IS ON SCREEN : %i", screen + 1));
}
