// The state sender: turns the raised send flags into blobs on their pins, in a fixed order.
#include "app/qx_gui.h"
#include "dsp_link/state_pins.h"

void QX_GUI::sendStateToDsp() {
    if (batch) return; // a macro file is loading: raised flags wait
    for (int flag : kSendOrder) {
        if (!sendFlags[flag]) continue;
        switch (flag) {
        case kSendViewState:
            sendViewStateBlob();
            break;
        case kSendRooms:
            sendRoomsBlob();
            break;
        case kSendTargets:
            sendTargetsBlob();
            break;
        case kSendGroups:
            sendGroupsBlob();
            break;
        case kSendSources:
            sendSourcesBlob();
            break;
        case kSendCables:
            sendCablesBlob();
            break;
        case kSendPanelLayout:
            sendPanelLayoutBlob();
            break;
        case kSendGainMatrix:
            if (localId == 0) computeGainMatrix();
            sendGainMatrixBlob();
            break;
        case kSendMixers:
            sendVirtualChannelTables();
            sendInputMixerBlob();
            sendOutputMixerBlob();
            break;
        case kSendInputDelays:
            sendInputDelaysBlob();
            break;
        case kSendOutputDelays:
            sendOutputDelaysBlob();
            break;
        case kSendInputEq:
            sendInputEqBlob();
            break;
        case kSendOutputEq:
            sendOutputEqBlob();
            break;
        case kSendInputDynamics:
            sendInputDynamicsBlob();
            break;
        case kSendOutputDynamics:
            sendOutputDynamicsBlob();
            break;
        case kSendFeedbackMixes:
            sendFeedbackMixesBlob();
            break;
        case kSendPatchCheck:
            checkPatch();
            break;
        case kSendNameLists:
            sendTextCommandPin();
            break;
        case kSendNotes:
            sendNotesBlob();
            break;
        case kSendPatchRecord:
            sendPatchRecordBlob();
            break;
        case kSendSlices:
            sendSlicesBlob();
            break;
        default:
            break;
        }
        sendFlags[flag] = 0;
    }
}
