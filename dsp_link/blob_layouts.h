// Record sizes and prepared record counts of the blobs on the pins.
#pragma once

#include <cstdint>

namespace blob_layout {

constexpr int32_t kSourceSize = 64;
constexpr int32_t kSourceRecords = 64;
constexpr int32_t kTargetSize = 64;
constexpr int32_t kTargetRecords = 64;
constexpr int32_t kGroupSize = 80;
constexpr int32_t kGroupRecords = 32;
constexpr int32_t kRoomSize = 64;
constexpr int32_t kRoomRecords = 16;
constexpr int32_t kCableSize = 16;
constexpr int32_t kDelayHeadSize = 8;
constexpr int32_t kDelaySize = 8;
constexpr int32_t kFilterSize = 368;
constexpr int32_t kDynamicsSize = 860;
constexpr int32_t kMixSize = 912;
constexpr int32_t kMixTableSize = 64 * kMixSize; // 58,368
constexpr int32_t kVirtualTableSize = 256;
constexpr int32_t kViewStateSize = 60;
constexpr int32_t kPanelLayoutSize = 236;
constexpr int32_t kPanelSlots = 12;
constexpr int32_t kNameListSlotSize = 1032;
constexpr int32_t kNameListSlots = 16;
constexpr int32_t kNameListsSize = 16528;
constexpr int32_t kNoteSize = 320;
// The patch record (pin 30): the patch path and the auto save switches in its first 280 bytes
// (a record stored before the fields below is that long), then the patch file's stamp as this
// stage last loaded or saved it: held (u8) at 280, nanoseconds (i32) at 284, size (u64) at 288,
// seconds (i64) at 296; whether a file holds the stage as it is (u8) at 281, with the hash of
// that stage's patch text (u64) at 304.
constexpr int32_t kPatchRecordFirstSize = 280;
constexpr int32_t kPatchRecordSize = 312;
constexpr int32_t kSlicesSize = 25680;
constexpr int32_t kProcessingStatusSize = 4100;

// The meter blob (pin 61), in 32-bit words: after the meter words, at fixed places, the
// monitored channel's scope samples (f32) and its newest spectrum (f32 levels in dB, one per
// spectrum curve point); the spectrum section is kSpectrumBytes long.
constexpr int32_t kMeterScopeWord = 507;
constexpr int32_t kMeterSpectrumWord = kMeterScopeWord + 512; // 1019
constexpr int32_t kMeterSpectrumBytes = 7792;                 // 1948 levels

} // namespace blob_layout
