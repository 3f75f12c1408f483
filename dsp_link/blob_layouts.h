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
constexpr int32_t kPatchRecordSize = 280;
constexpr int32_t kSlicesSize = 25680;
constexpr int32_t kProcessingStatusSize = 4100;

} // namespace blob_layout
