// Callbacks of the link itself: the local id, the configuration block, scripts, the patch
// retry request, full screen, and the small text and number pins.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/qx_gui.h"
#include "dsp_link/blob_layouts.h"
#include "dsp_link/byte_order.h"
#include "dsp_link/configuration_codec.h"
#include "model/checked_number.h"

namespace {

std::string format(const char* pattern, int32_t value) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// Truncated toward zero; NaN gives 0 and values beyond the int range stop at its ends.
int32_t truncateToInt(float value) {
    return std::isnan(value) ? 0 : saturatingInt(value);
}

} // namespace

void QX_GUI::onLocalIdPin() {
    int32_t id = pinLocalId.getValue();
    // Local ids index the 256-entry tables of the configuration block.
    int32_t instances = configuration.instanceCount;
    if (instances > ConfigurationBlock::kInstances) instances = ConfigurationBlock::kInstances;
    int32_t highest = instances > 0 ? instances - 1 : 0;
    if (id < 0) {
        id = 0;
    } else if (id > highest) {
        id = highest;
    }
    localId = id;
    if (pinLocalId.getValue() != id) pinLocalId.setValue(id); // written back to the host
    ownInstance = configuration.instances[localId];
    appendConsoleLine(format(" --> SET LOCAL ID TO %i", localId));
    if (!interaction.leftButtonHeld) sendStateAndRedraw();
}

bool QX_GUI::wantsFullScreenOnOwnScreen() const {
    if (localId < 0 || localId >= 10) return false; // the once-per-id table has ten entries
    if (localId >= configuration.displayCount) return false;
    return configuration.displays[localId].fullScreen != 0 && fullScreenDone[localId] == 0 &&
           graphicsReady != 0;
}

void QX_GUI::onConfigBlobPin() {
    BlobReader blob(pinConfiguration.getData(), pinConfiguration.getSize());
    if (blob.empty()) {
        appendConsoleLine("CONFIGURATION BLOB IS EMPTY");
        return;
    }
    appendConsoleLine("incoming CONFIG BLOB ...");
    if (blob.i32(0) != 1) return;
    if (blob.size() < ConfigurationBlock::kEncodedSize) {
        setStatusMessage("CONFIGURATION BLOB IS TOO SHORT");
        return;
    }
    appendConsoleLine("CONFIGURATION DATA RECEIVED");
    configuration_codec::decode(blob.data(), blob.size(), configuration);
    ownInstance = configuration.instances[localId];
    if (wantsFullScreenOnOwnScreen()) enterFullScreenOnOwnScreen();
    view.currentPage = ownInstance.startPage;
}

void QX_GUI::onScriptPin() {
    setStatusMessage("RECEIVING SCRIPT ..");
    BlobReader blob(pinScriptIn.getData(), pinScriptIn.getSize());
    if (blob.empty()) return;
    setStatusMessage("  -> SCRIPT HAS SIZE ..");
    script_codec::Received script;
    if (!script_codec::decode(blob.data(), blob.size(), script)) {
        setStatusMessage("SCRIPT IS TOO SHORT");
        return;
    }
    if (script.addressee != localId) {
        setStatusMessage(format("SCRIPT IS FOR : %i", script.addressee));
        return;
    }
    console.highlight = 1;
    appendConsoleLine("SCRIPT IS FOR ME!");
    console.highlight = 0;
    for (size_t j = 0; j < script.lines.size(); ++j) {
        appendConsoleLine(format("   -> ITEM %i -> ", static_cast<int32_t>(j + 1)) +
                          script.lines[j]);
        executeCommandString(script.lines[j]);
    }
}

void QX_GUI::onPatchRetryPin() {
    patchCheckPending = 1;
    patchCheckCountdown = 2;
}

void QX_GUI::onLeaveFullScreenPin() {
    if (view.fullScreen) leaveFullScreen();
}

void QX_GUI::onTextPin38() {
    const std::u16string& wide = pinText38.getValue();
    std::string text;
    for (char16_t unit : wide) text.push_back(static_cast<char>(unit));
    dspLink.pin38Text = text;
    for (int32_t& value : dspLink.pin38Switches) value = 0;
    for (std::string& field : fieldTokens) field.clear();
    if (text.size() < 2048) {
        // Fields past the 128-entry table are dropped.
        int count = 0;
        size_t start = 0;
        while (count < 128) {
            size_t comma = text.find(',', start);
            fieldTokens[count++] =
                text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        for (int k = 0; k < count && k < 100; ++k)
            if (!fieldTokens[k].empty())
                dspLink.pin38Switches[k] = std::atoi(fieldTokens[k].c_str());
    }
    const int32_t* s = dspLink.pin38Switches;
    view.stageLock = s[0] != 0;
    stageView.roomsLocked = s[1];
    stageView.targetsLocked = s[2];
    stageView.groupsLocked = s[3];
    stageView.sourcesLocked = s[4];
    stageView.roomLabels = s[10];
    stageView.targetLabels = s[11];
    stageView.groupLabels = s[12];
    stageView.sourceLabels = s[13];
}

void QX_GUI::onFloatPin58() {
    dspLink.float58Value = truncateToInt(pinFloat58.getValue());
}

void QX_GUI::onFloatPin59() {
    dspLink.float59Value = truncateToInt(pinFloat59.getValue());
}

void QX_GUI::onSourceVirtualsPin() {
    setStatusMessage("SOURCE VIRTUALS UPDATED");
}

void QX_GUI::onTargetVirtualsPin() {
    setStatusMessage("TARGET VIRTUALS UPDATED");
}

void QX_GUI::onPin26Blob() {
    BlobReader blob(pinProcessingStatus.getData(), pinProcessingStatus.getSize());
    if (blob.size() / 12 < 1) return;
    int32_t n = blob.size() < blob_layout::kProcessingStatusSize
                    ? blob.size()
                    : blob_layout::kProcessingStatusSize;
    // The blob replaces the block whole; a shorter blob leaves the rest zero.
    std::memset(pipelineStatus, 0, sizeof pipelineStatus);
    std::memcpy(pipelineStatus, blob.data(), n);
}
