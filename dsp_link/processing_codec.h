// Field-by-field wire form of the per-channel processing records and the mix record.
#pragma once

#include <cstdint>

#include "model/mix_record.h"
#include "model/processing_records.h"

namespace processing_codec {

void encodeFilter(const FilterRecord& record, uint8_t* out); // 368 bytes
void decodeFilter(const uint8_t* in, FilterRecord& record);
void encodeDynamics(const DynamicsRecord& record, uint8_t* out); // 860 bytes
void decodeDynamics(const uint8_t* in, DynamicsRecord& record);
void encodeMix(const MixRecord& record, uint8_t* out); // 912 bytes
void decodeMix(const uint8_t* in, MixRecord& record);

} // namespace processing_codec
