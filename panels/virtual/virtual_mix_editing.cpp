// The VIRTUAL editor's mix editing: point the editor at a virtual input or output channel,
// reset, store, compact and renumber the edited mix. Modes 1 and 11 edit the input mixers,
// 2 and 12 the output mixers; the editor always works on a channel number.
#include "app/qx_gui.h"
#include "panels/dynamics/editor_item.h"
#include "panels/frame/panel_ids.h"

namespace {

bool editsInputs(int32_t mode) {
    return mode == 1 || mode == 11;
}
bool editsOutputs(int32_t mode) {
    return mode == 2 || mode == 12;
}

// The caption says which way the edited mix runs; the frame takes the colour of the source or
// target loaded, grey for a direct channel or an item not in use.
void captionVirtualPanel(QX_GUI& gui, int32_t mode, int32_t index) {
    PanelWindow& panel = gui.panelFrame.panels[kPanelVirtual];
    panel.subtitle = mode == 11          ? "MIX DIRECT"
                     : editsInputs(mode) ? "MIX PLUGIN INPUT PINS TO VIRTUAL INPUT PINS"
                                         : "MIX VIRTUAL OUTPUT PINS TO PLUGIN OUTPUT PINS";
    ColourQuad c{0.5f, 0.5f, 0.5f, 1.0f};
    if (mode == 1 && index < gui.sourceCount) c = editorItemColour(gui, kKindSource, index);
    if (mode == 2 && index < gui.targetCount) c = editorItemColour(gui, kKindTarget, index);
    panel.setColour(c.red, c.green, c.blue);
}

} // namespace

MixRecord* QX_GUI::virtualEditMix() {
    const int32_t i = virtualEditor.virtualEditIndex;
    if (i < 0 || i >= kChannels) return nullptr;
    if (editsInputs(virtualEditor.virtualEditMode)) return &inputMixers[i];
    if (editsOutputs(virtualEditor.virtualEditMode)) return &outputMixers[i];
    return nullptr;
}

void QX_GUI::loadVirtualPanel(int32_t mode, int32_t index) {
    if (index > 63) {
        setStatusMessage("INDEX TOO HIGH");
        return;
    }
    if (index < 0) {
        setStatusMessage("INDEX TOO LOW");
        return;
    }
    int32_t channel = index;
    if (mode == 1 || mode == 2) {
        // An item that is routed to no channel (64 after construction) addresses no table.
        channel = mode == 1 ? sources[index].virtualChannel : targets[index].virtualChannel;
        if (channel < 0 || channel >= kChannels) {
            setStatusMessage("NO VIRTUAL CHANNEL FOR THIS ITEM");
            return;
        }
    }
    if (!editsInputs(mode) && !editsOutputs(mode)) {
        virtualEditor.virtualEditMode = mode;
        virtualEditor.virtualEditIndex = index;
        return;
    }
    virtualEditor.virtualEditMode = mode;
    virtualEditor.virtualEditIndex = channel;
    virtualEditor.virtualEditItem = mode == 1 || mode == 2 ? index : -1;
    captionVirtualPanel(*this, mode, index);
    MixRecord* mix = virtualEditMix();
    if (mix != nullptr && mix->inUse == 0) resetMixRecord(mode, channel);
}

// An editor on a source or target edits the channel that item is routed to now.
void QX_GUI::followVirtualItem() {
    const int32_t mode = virtualEditor.virtualEditMode;
    const int32_t item = virtualEditor.virtualEditItem;
    if ((mode != 1 && mode != 2) || item < 0 || item >= kChannels) return;
    const int32_t channel = mode == 1 ? sources[item].virtualChannel : targets[item].virtualChannel;
    if (channel < 0 || channel >= kChannels) return;
    if (channel != virtualEditor.virtualEditIndex)
        loadVirtualPanel(mode, item);
    else
        captionVirtualPanel(*this, mode, item);
}

void QX_GUI::resetMixRecord(int32_t mode, int32_t index) {
    MixRecord* mix = virtualEditMix();
    if (mix == nullptr || index < 0 || index >= kChannels) return;
    (void)mode;
    mix->masterLevel = 1.0f;
    for (int32_t j = 0; j < 64; ++j) {
        mix->pinNumbers[j] = -1;
        mix->gains[j] = 1.0f;
        mix->phases[j] = 1.0f;
        mix->mutes[j] = 0;
        mix->routed[j] = 0;
    }
    // The first pin is the channel's own: the pin a reset of the channel's own item routes.
    mix->pinNumbers[0] = index;
    mix->pinCount = 1;
    mix->inUse = 1;
    mix->routed[0] = 1;
    mix->index = index;
}

void QX_GUI::storeVirtualChannel(int32_t mode, int32_t index) {
    MixRecord* mix = virtualEditMix();
    if (mix == nullptr || index < 0 || index >= kChannels) return;
    if (editsInputs(mode)) {
        inputMixers[index] = *mix;
    } else if (editsOutputs(mode)) {
        outputMixers[index] = *mix;
    } else {
        return;
    }
    sendMixerTable(mode);
}

// The mixer table of the mode goes to the DSP side at once.
void QX_GUI::sendMixerTable(int32_t mode) {
    if (editsInputs(mode)) sendInputMixerBlob();
    if (editsOutputs(mode)) sendOutputMixerBlob();
}

void QX_GUI::compactVirtualChannel(int32_t mode, int32_t index, int32_t slot) {
    MixRecord* mix = virtualEditMix();
    if (mix == nullptr) return;
    const int32_t count = mix->pinCount < 64 ? mix->pinCount : 64;
    if (slot < 0 || slot >= count) return;
    MixRecord fresh;
    int32_t k = 0;
    for (int32_t j = 0; j < count; ++j) {
        if (j == slot) continue;
        fresh.pinNumbers[k] = mix->pinNumbers[j];
        fresh.gains[k] = mix->gains[j];
        fresh.phases[k] = mix->phases[j];
        fresh.mutes[k] = mix->mutes[j];
        ++k;
    }
    fresh.inUse = 1;
    fresh.pinCount = count - 1;
    fresh.index = mix->index;
    for (int32_t j = 0; j < 64; ++j) fresh.routed[j] = j < fresh.pinCount ? 1 : 0;
    if (fresh.index < 0 || fresh.index >= kChannels) return;
    if (editsInputs(mode)) {
        inputMixers[fresh.index] = fresh;
    } else if (editsOutputs(mode)) {
        outputMixers[fresh.index] = fresh;
    } else {
        return;
    }
    storeVirtualChannel(mode, index);
}

void QX_GUI::swapVirtualChannels(int32_t mode, int32_t index, int32_t slot, int32_t channel) {
    setStatusMessage("SWAP VIRTUAL CHANNELS");
    MixRecord* mix = virtualEditMix();
    if (mix == nullptr) return;
    bool taken = false;
    for (int32_t j = 0; j < mix->pinCount && j < 64; ++j) {
        if (mix->pinNumbers[j] != channel) continue;
        setStatusMessage("CHANNEL ALREADY SETUP IN ROUTING");
        taken = true;
    }
    if (!taken && slot >= 0 && slot < 64 && channel >= 0 && channel < kChannels)
        mix->pinNumbers[slot] = channel;
    storeVirtualChannel(mode, index);
}
