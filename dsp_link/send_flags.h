// Indexes of the send flags: one per part of the state that travels to the DSP side.
#pragma once

enum SendFlag : int {
    kSendSources = 1,
    kSendTargets = 2,
    kSendGroups = 3,
    kSendCables = 4,
    kSendRooms = 5,
    kSendPanelLayout = 11,
    kSendViewState = 12,
    kSendGainMatrix = 15,
    kSendTextEntry = 16, // raised by the text-entry commit, never sent
    kSendInputDelays = 17,
    kSendOutputDelays = 18,
    kSendInputEq = 19,
    kSendOutputEq = 20,
    kSendInputDynamics = 21,
    kSendOutputDynamics = 22,
    kSendMixers = 23,
    kSendFeedbackMixes = 24,
    kSendNameLists = 25,
    kSendNotes = 28,
    kSendPatchRecord = 29,
    kSendSlices = 30,
    kSendPatchCheck = 63,
};
