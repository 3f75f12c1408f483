#include "dsp_link/configuration_codec.h"

#include "dsp_link/byte_order.h"

namespace configuration_codec {

static_assert(kDisplaysOffset + ConfigurationBlock::kDisplays * kDisplayRecordSize ==
                  kDisplayCountOffset,
              "display table ends at the display count");
static_assert(kInstancesOffset + ConfigurationBlock::kInstances * InstanceRecord::kEncodedSize ==
                  kInstanceCountOffset,
              "instance table ends at the instance count");
static_assert(kInstanceCountOffset + 4 == ConfigurationBlock::kEncodedSize, "block size");

void encodeInstance(const InstanceRecord& record, uint8_t* out) {
    le::putI32(out, 0, record.reserved);
    le::putU8(out, 4, record.asleep);
    le::putU8(out, 5, record.reservedByte5);
    le::putU8(out, 6, 0);
    le::putU8(out, 7, 0);
    le::putI32(out, 8, record.startPage);
    for (int k = 0; k < 16; ++k) le::putU8(out, 12 + k, record.switches[k]);
    le::putU8(out, 28, record.reservedByte28);
    for (int k = 29; k < 32; ++k) le::putU8(out, k, 0);
}

InstanceRecord decodeInstance(const uint8_t* in) {
    InstanceRecord record;
    record.reserved = le::getI32(in, 0);
    record.asleep = in[4];
    record.reservedByte5 = in[5];
    record.startPage = le::getI32(in, 8);
    for (int k = 0; k < 16; ++k) record.switches[k] = in[12 + k];
    record.reservedByte28 = in[28];
    return record;
}

std::vector<uint8_t> encode(const ConfigurationBlock& block) {
    std::vector<uint8_t> out(ConfigurationBlock::kEncodedSize, 0);
    uint8_t* p = out.data();
    le::putI32(p, 0, block.valid);
    for (int i = 0; i < ConfigurationBlock::kDisplays; ++i) {
        const DisplayRecord& d = block.displays[i];
        size_t at = kDisplaysOffset + i * kDisplayRecordSize;
        le::putI32(p, at, d.left);
        le::putI32(p, at + 4, d.top);
        le::putI32(p, at + 8, d.width);
        le::putI32(p, at + 12, d.height);
        le::putU8(p, at + 16, d.fullScreen);
    }
    le::putI32(p, kDisplayCountOffset, block.displayCount);
    for (int i = 0; i < ConfigurationBlock::kInstances; ++i)
        encodeInstance(block.instances[i], p + kInstancesOffset + i * InstanceRecord::kEncodedSize);
    le::putI32(p, kInstanceCountOffset, block.instanceCount);
    return out;
}

static int32_t clampCount(int32_t count, int32_t capacity) {
    return count < 0 ? 0 : count > capacity ? capacity : count;
}

bool decode(const uint8_t* data, int32_t size, ConfigurationBlock& block) {
    if (!data || size < ConfigurationBlock::kEncodedSize) return false;
    block.valid = le::getI32(data, 0);
    for (int i = 0; i < ConfigurationBlock::kDisplays; ++i) {
        DisplayRecord& d = block.displays[i];
        size_t at = kDisplaysOffset + i * kDisplayRecordSize;
        d.left = le::getI32(data, at);
        d.top = le::getI32(data, at + 4);
        d.width = le::getI32(data, at + 8);
        d.height = le::getI32(data, at + 12);
        d.fullScreen = data[at + 16];
    }
    block.displayCount =
        clampCount(le::getI32(data, kDisplayCountOffset), ConfigurationBlock::kDisplays);
    for (int i = 0; i < ConfigurationBlock::kInstances; ++i)
        block.instances[i] =
            decodeInstance(data + kInstancesOffset + i * InstanceRecord::kEncodedSize);
    block.instanceCount =
        clampCount(le::getI32(data, kInstanceCountOffset), ConfigurationBlock::kInstances);
    return true;
}

} // namespace configuration_codec
