// The common tail of every successful edit, and the cable lookup.
#include "app/qx_gui.h"

void QX_GUI::commitModelChange() {
    // Also inside a batch: the next line of the file may act through an editor.
    followModelInEditors();
    if (batch != 0) return; // a macro file is loading: the whole file lands as one batch
    updateRoomMembership();
    applyGroupMuteSolo();
    updateMuteSoloSummary();
    static constexpr int kModelFlags[] = {kSendSources,       kSendTargets,        kSendGroups,
                                          kSendCables,        kSendRooms,          kSendPanelLayout,
                                          kSendViewState,     kSendGainMatrix,     kSendInputDelays,
                                          kSendOutputDelays,  kSendInputEq,        kSendOutputEq,
                                          kSendInputDynamics, kSendOutputDynamics, kSendMixers,
                                          kSendFeedbackMixes, kSendNameLists};
    for (int flag : kModelFlags) sendFlags[flag] = 1;
}

int32_t QX_GUI::findCableIndex(int32_t source, int32_t target) {
    const int32_t count = cableCount < kMaxCables ? cableCount : kMaxCables;
    for (int32_t i = 0; i < count; ++i)
        if (cables[i].source == source && cables[i].target == target) return i;
    return -1;
}
