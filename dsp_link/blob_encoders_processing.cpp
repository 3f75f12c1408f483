// Encoders of the processing blobs: delays, equalisers, dynamics, the three mix tables and the
// virtual-channel tables.
#include <vector>

#include "app/qx_gui.h"
#include "dsp_link/blob_layouts.h"
#include "dsp_link/byte_order.h"
#include "dsp_link/processing_codec.h"

namespace {

int32_t liveCount(int32_t count) {
    return count < 0 ? 0 : count > 64 ? 64 : count;
}

// Head (255, m) and one 8-byte record per channel, m being the lowest enabled delay when it is
// negative, so that every delay sent is at least 0.
std::vector<uint8_t> encodeDelays(DelayRecord* records, int32_t count) {
    int32_t n = liveCount(count);
    for (int i = 0; i < n; ++i) records[i].channel = static_cast<uint8_t>(i);
    float lowest = 0.0f;
    for (int i = 0; i < n; ++i)
        if (records[i].on && records[i].time < lowest) lowest = records[i].time;
    std::vector<uint8_t> out(static_cast<size_t>(n) * 8 + 8, 0);
    le::putI32(out.data(), 0, 255);
    le::putF32(out.data(), 4, lowest);
    for (int i = 0; i < n; ++i) {
        uint8_t* r = out.data() + 8 + i * 8;
        r[0] = static_cast<uint8_t>(i);
        r[1] = 1;
        r[2] = records[i].on;
        r[3] = lowest < 0.0f ? 1 : 0;
        le::putF32(r, 4, records[i].time - lowest);
    }
    return out;
}

template <class Record, class Encode>
std::vector<uint8_t> encodeTable(const Record* records, int32_t n, int32_t size, Encode encode) {
    std::vector<uint8_t> out(static_cast<size_t>(n) * size, 0);
    for (int i = 0; i < n; ++i) encode(records[i], out.data() + static_cast<size_t>(i) * size);
    return out;
}

void sendBytes(MpGuiPin<MpBlob>& pin, const std::vector<uint8_t>& bytes) {
    pin.setValue(bytes.data(), static_cast<int32_t>(bytes.size()));
}

} // namespace

void QX_GUI::sendInputDelaysBlob() {
    sendBytes(pinInputDelays, encodeDelays(inputDelays, sourceCount));
}

void QX_GUI::sendOutputDelaysBlob() {
    sendBytes(pinOutputDelays, encodeDelays(outputDelays, targetCount));
}

void QX_GUI::sendInputEqBlob() {
    sendBytes(pinInputEq, encodeTable(inputFilters, liveCount(sourceCount),
                                      blob_layout::kFilterSize, processing_codec::encodeFilter));
}

void QX_GUI::sendOutputEqBlob() {
    sendBytes(pinOutputEq, encodeTable(outputFilters, liveCount(targetCount),
                                       blob_layout::kFilterSize, processing_codec::encodeFilter));
}

void QX_GUI::sendInputDynamicsBlob() {
    sendBytes(pinInputDynamics,
              encodeTable(inputDynamics, liveCount(sourceCount), blob_layout::kDynamicsSize,
                          processing_codec::encodeDynamics));
}

void QX_GUI::sendOutputDynamicsBlob() {
    sendBytes(pinOutputDynamics,
              encodeTable(outputDynamics, liveCount(targetCount), blob_layout::kDynamicsSize,
                          processing_codec::encodeDynamics));
}

void QX_GUI::sendInputMixerBlob() {
    sendBytes(pinInputMixer, encodeTable(inputMixers, kChannels, blob_layout::kMixSize,
                                         processing_codec::encodeMix));
}

void QX_GUI::sendOutputMixerBlob() {
    sendBytes(pinOutputMixer, encodeTable(outputMixers, kChannels, blob_layout::kMixSize,
                                          processing_codec::encodeMix));
}

void QX_GUI::sendFeedbackMixesBlob() {
    sendBytes(pinFeedbackMixes, encodeTable(feedbackMixes, kChannels, blob_layout::kMixSize,
                                            processing_codec::encodeMix));
}

void QX_GUI::sendVirtualChannelTables() {
    std::vector<uint8_t> sourceTable(blob_layout::kVirtualTableSize, 0);
    std::vector<uint8_t> targetTable(blob_layout::kVirtualTableSize, 0);
    for (int i = 0; i < kChannels; ++i) {
        le::putI32(sourceTable.data(), 4 * i, sources[i].virtualChannel);
        le::putI32(targetTable.data(), 4 * i, targets[i].virtualChannel);
        int32_t c = sources[i].virtualChannel;
        if (c >= 0 && c < 64) dspLink.reverseSourceVirtuals[c] = i;
        c = targets[i].virtualChannel;
        if (c >= 0 && c < 64) dspLink.reverseTargetVirtuals[c] = i;
    }
    sendBytes(pinSourceVirtuals, sourceTable);
    sendBytes(pinTargetVirtuals, targetTable);
}
