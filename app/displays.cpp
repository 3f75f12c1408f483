// Display enumeration into the process-wide table, and the configuration block it fills.
#include "app/display_table.h"
#include "app/qx_gui.h"

namespace {

constexpr int kKeptDisplays = 15; // rectangles the configuration block takes

} // namespace

DisplayTable& processDisplays() {
    static DisplayTable table;
    return table;
}

BOOL CALLBACK monitorEnumProc(HMONITOR, HDC, LPRECT rect, LPARAM) {
    DisplayTable& table = processDisplays();
    if (!rect || table.count >= DisplayTable::kCapacity) return FALSE;
    table.left[table.count] = rect->left;
    table.top[table.count] = rect->top;
    table.width[table.count] = rect->right - rect->left;
    table.height[table.count] = rect->bottom - rect->top;
    ++table.count;
    return TRUE;
}

void QX_GUI::enumerateDisplays() {
    if (localId != 0) return;
    DisplayTable& table = processDisplays();
    if (table.count == 0) EnumDisplayMonitors(nullptr, nullptr, monitorEnumProc, 0);

    // Distinct rectangles in enumeration order; the full-screen bytes stay as they are.
    int kept = 0;
    for (int i = 0; i < table.count && kept < kKeptDisplays; ++i) {
        bool seen = false;
        for (int k = 0; k < kept && !seen; ++k) {
            const DisplayRecord& d = configuration.displays[k];
            seen = d.left == table.left[i] && d.top == table.top[i] && d.width == table.width[i] &&
                   d.height == table.height[i];
        }
        if (seen) continue;
        DisplayRecord& d = configuration.displays[kept++];
        d.left = table.left[i];
        d.top = table.top[i];
        d.width = table.width[i];
        d.height = table.height[i];
    }
    configuration.displayCount = kept;

    // Instance 1 shows INPUTS full screen on the second display and takes the mouse;
    // instance 2 shows MATRIX and ignores the mouse.
    static const uint8_t kInstance1Switches[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 0, 0, 0};
    static const uint8_t kInstance2Switches[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0};
    struct Setup {
        int index;
        int32_t page;
        const uint8_t* switches;
    };
    for (const Setup& setup : {Setup{1, 1, kInstance1Switches}, Setup{2, 3, kInstance2Switches}}) {
        InstanceRecord& record = configuration.instances[setup.index];
        record.asleep = 0;
        record.reservedByte5 = 0;
        record.startPage = setup.page;
        for (int k = 0; k < 16; ++k) record.switches[k] = setup.switches[k];
        record.reservedByte28 = 0;
    }
    configuration.displays[1].fullScreen = 1;
    communicateConfiguration();
}
