// The configuration block's wire form (13,324 bytes, little-endian, padding zero).
#pragma once

#include <cstdint>
#include <vector>

#include "app/configuration_block.h"

namespace configuration_codec {

constexpr int32_t kDisplaysOffset = 4;
constexpr int32_t kDisplayRecordSize = 20;
constexpr int32_t kDisplayCountOffset = 5124;
constexpr int32_t kInstancesOffset = 5128;
constexpr int32_t kInstanceCountOffset = 13320;

void encodeInstance(const InstanceRecord& record, uint8_t* out);
InstanceRecord decodeInstance(const uint8_t* in);

std::vector<uint8_t> encode(const ConfigurationBlock& block);

// Takes a received block into `block`. A blob shorter than the whole block is refused (false);
// the display and instance counts are clamped to 0 .. 256.
bool decode(const uint8_t* data, int32_t size, ConfigurationBlock& block);

} // namespace configuration_codec
