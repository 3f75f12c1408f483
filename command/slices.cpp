// Slice operations: storing the sources inside the marquee, starting a drift towards a stored
// slice, and moving the members by the drift parameter (the timer tick advances it).
#include "app/qx_gui.h"
#include "model/checked_number.h"

namespace {

constexpr int32_t kSlices = 20;

bool sliceInRange(int32_t slice) {
    return slice >= 0 && slice < kSlices;
}

} // namespace

void QX_GUI::storeSlice(int32_t slice) {
    if (!sliceInRange(slice)) return;
    SliceRecord& record = slices[slice];
    // Entries past the new count are no members: they go back to the defaults, as a loaded
    // slice has them, instead of keeping an earlier store's members.
    record = SliceRecord();
    if (stageView.sourcesShown != 0) {
        for (int32_t i = 0; i < sourceCount && i < kMaxSources; ++i) {
            const SourceRecord& s = sources[i];
            const int32_t x = saturatingInt(s.x);
            const int32_t y = saturatingInt(s.y);
            if (x < marqueeRect[0] || x > marqueeRect[2] || y < marqueeRect[1] ||
                y > marqueeRect[3])
                continue;
            // A slice holds 64 members; further sources inside the marquee are left out.
            if (record.memberCount >= SliceRecord::kMembers) break;
            const int32_t k = record.memberCount++;
            record.sourceIndex[k] = i;
            record.level[k] = s.level;
            record.x[k] = s.x;
            record.y[k] = s.y;
            record.size[k] = s.size;
        }
    }
    raiseSendFlag(kSendSlices);
}

void QX_GUI::beginSliceDrift(int32_t slice, float speed) {
    if (!sliceInRange(slice)) return;
    const SliceRecord& record = slices[slice];
    if (record.memberCount <= 0) return;
    SliceRecord start;
    start.memberCount = record.memberCount;
    for (int32_t k = 0; k < record.memberCount && k < SliceRecord::kMembers; ++k) {
        const int32_t s = record.sourceIndex[k];
        start.sourceIndex[k] = s;
        if (s < 0 || s >= kMaxSources) continue;
        start.level[k] = sources[s].level;
        start.x[k] = sources[s].x;
        start.y[k] = sources[s].y;
        start.size[k] = sources[s].size;
    }
    sliceDrift.driftStart = start;
    sliceDrift.driftSlice = slice;
    sliceDrift.driftStep = speed;
    sliceDrift.drifting = 1;
    sliceDrift.driftT = 0.0f;
    sliceDrift.driftBlinkCount = 0;
    sliceDrift.driftBlink = 0;
    raiseSendFlag(kSendSlices);
}

void QX_GUI::moveSliceMembers(float t) {
    if (!sliceInRange(sliceDrift.driftSlice)) return;
    const SliceRecord& target = slices[sliceDrift.driftSlice];
    const int32_t count =
        target.memberCount < SliceRecord::kMembers ? target.memberCount : SliceRecord::kMembers;
    for (int32_t j = 0; j < count; ++j) {
        const int32_t s = target.sourceIndex[j];
        // A member whose name matched no source moves nothing.
        if (s < 0 || s >= kMaxSources) continue;
        SourceRecord& source = sources[s];
        source.x = sliceDrift.driftStart.x[j] + (target.x[j] - sliceDrift.driftStart.x[j]) * t;
        source.y = sliceDrift.driftStart.y[j] + (target.y[j] - sliceDrift.driftStart.y[j]) * t;
        source.size =
            sliceDrift.driftStart.size[j] + (target.size[j] - sliceDrift.driftStart.size[j]) * t;
        source.level =
            sliceDrift.driftStart.level[j] + (target.level[j] - sliceDrift.driftStart.level[j]) * t;
    }
}
