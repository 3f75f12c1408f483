#include "dsp_link/processing_codec.h"

#include <cstring>

#include "dsp_link/byte_order.h"

namespace processing_codec {

void encodeFilter(const FilterRecord& record, uint8_t* out) {
    out[0] = record.channel;
    out[1] = record.activeBandCount;
    out[2] = record.inUse;
    out[3] = record.enabled;
    le::putI32(out, 4, record.reserved);
    for (int b = 0; b < 5; ++b) {
        const FilterBandRecord& band = record.bands[b];
        size_t at = 8 + b * 72;
        le::putI32(out, at, band.enabled);
        le::putI32(out, at + 4, band.type);
        le::putF32(out, at + 8, band.frequency);
        le::putF32(out, at + 12, band.gain);
        le::putF32(out, at + 16, band.width);
        le::putI32(out, at + 20, 0); // alignment gap
        for (int k = 0; k < 6; ++k) le::putF64(out, at + 24 + 8 * k, band.coefficients[k]);
    }
}

void decodeFilter(const uint8_t* in, FilterRecord& record) {
    record.channel = in[0];
    record.activeBandCount = in[1];
    record.inUse = in[2];
    record.enabled = in[3];
    record.reserved = le::getI32(in, 4);
    for (int b = 0; b < 5; ++b) {
        FilterBandRecord& band = record.bands[b];
        size_t at = 8 + b * 72;
        band.enabled = le::getI32(in, at);
        band.type = le::getI32(in, at + 4);
        band.frequency = le::getF32(in, at + 8);
        band.gain = le::getF32(in, at + 12);
        band.width = le::getF32(in, at + 16);
        band.alignment = 0;
        for (int k = 0; k < 6; ++k) band.coefficients[k] = le::getF64(in, at + 24 + 8 * k);
    }
}

void encodeDynamics(const DynamicsRecord& record, uint8_t* out) {
    out[0] = record.channel;
    out[1] = record.type;
    out[2] = record.mode;
    out[3] = record.active;
    le::putF32(out, 4, record.attack);
    le::putF32(out, 8, record.release);
    le::putF32(out, 12, record.thresholdX);
    le::putF32(out, 16, record.ratio);
    le::putF32(out, 20, record.ratioParameter);
    le::putF32(out, 24, record.knee);
    le::putWords(out, 28, record.points, 10);
    le::putF32(out, 68, record.attackCoefficient);
    le::putF32(out, 72, record.releaseCoefficient);
    le::putI32(out, 76, record.reserved);
    le::putWords(out, 80, record.curve, 192);
    le::putI32(out, 848, record.channelIndex);
    le::putI32(out, 852, record.direction);
    le::putI32(out, 856, record.sideChainLocation);
}

void decodeDynamics(const uint8_t* in, DynamicsRecord& record) {
    record.channel = in[0];
    record.type = in[1];
    record.mode = in[2];
    record.active = in[3];
    record.attack = le::getF32(in, 4);
    record.release = le::getF32(in, 8);
    record.thresholdX = le::getF32(in, 12);
    record.ratio = le::getF32(in, 16);
    record.ratioParameter = le::getF32(in, 20);
    record.knee = le::getF32(in, 24);
    le::getWords(in, 28, record.points, 10);
    record.attackCoefficient = le::getF32(in, 68);
    record.releaseCoefficient = le::getF32(in, 72);
    record.reserved = le::getI32(in, 76);
    le::getWords(in, 80, record.curve, 192);
    record.channelIndex = le::getI32(in, 848);
    record.direction = le::getI32(in, 852);
    record.sideChainLocation = le::getI32(in, 856);
}

void encodeMix(const MixRecord& record, uint8_t* out) {
    out[0] = record.inUse;
    out[1] = out[2] = out[3] = 0;
    le::putI32(out, 4, record.pinCount);
    le::putI32(out, 8, record.index);
    le::putWords(out, 12, record.pinNumbers, 64);
    std::memcpy(out + 268, record.routed, 64);
    le::putWords(out, 332, record.gains, 64);
    le::putWords(out, 588, record.phases, 64);
    std::memcpy(out + 844, record.mutes, 64);
    le::putF32(out, 908, record.masterLevel);
}

void decodeMix(const uint8_t* in, MixRecord& record) {
    record.inUse = in[0];
    record.pinCount = le::getI32(in, 4);
    record.index = le::getI32(in, 8);
    le::getWords(in, 12, record.pinNumbers, 64);
    std::memcpy(record.routed, in + 268, 64);
    le::getWords(in, 332, record.gains, 64);
    le::getWords(in, 588, record.phases, 64);
    std::memcpy(record.mutes, in + 844, 64);
    record.masterLevel = le::getF32(in, 908);
}

} // namespace processing_codec
