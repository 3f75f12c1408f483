// The syndication set: the items of one kind that an editor's change is copied to, chosen by
// the syndication mode (1 marquee rectangle, 2 marquee name list, 3 both).
#include "app/qx_gui.h"

namespace {

template <typename Record> bool insideMarquee(const int32_t rect[4], const Record& item) {
    const int32_t x = static_cast<int32_t>(item.x);
    const int32_t y = static_cast<int32_t>(item.y);
    return rect[0] <= x && x <= rect[2] && rect[1] <= y && y <= rect[3];
}

} // namespace

void QX_GUI::buildSyndicationSet(int32_t kind) {
    syndicationSetCount = 0;
    // In mode 3 an item in both the marquee and the name list is added twice (copying the same
    // settings twice changes nothing); the set stops at its 64 entries.
    auto add = [this](int32_t index) {
        if (index < 0 || index >= kChannels) return;
        if (syndicationSetCount < kChannels) syndicationSet[syndicationSetCount++] = index;
    };
    if (syndicationMode == 1 || syndicationMode == 3) {
        if (kind == kKindSource) {
            for (int32_t i = 0; i < sourceCount && i < kMaxSources; ++i)
                if (sources[i].shown != 0 && insideMarquee(marqueeRect, sources[i])) add(i);
        } else if (kind == kKindTarget) {
            for (int32_t i = 0; i < targetCount && i < kMaxTargets; ++i)
                if (targets[i].visible != 0 && insideMarquee(marqueeRect, targets[i])) add(i);
        } else if (kind == kKindGroup) {
            for (int32_t i = 0; i < groupCount && i < kMaxGroups; ++i)
                if (groups[i].shown != 0 && insideMarquee(marqueeRect, groups[i])) add(i);
        }
    }
    if (syndicationMode == 2 || syndicationMode == 3) {
        const int32_t count = selectedCount < 255 ? selectedCount : 255;
        for (int32_t i = 0; i < count; ++i)
            if (findItemKindByName(selectedNames[i]) == kind)
                add(findItemIndexByName(selectedNames[i]));
    }
}

bool QX_GUI::isItemInMarqueeList(int32_t kind, int32_t index) {
    if (index < 0) return false;
    const std::string* name = nullptr;
    if (kind == kKindSource && index < kMaxSources)
        name = &sources[index].name;
    else if (kind == kKindTarget && index < kMaxTargets)
        name = &targets[index].name;
    else if (kind == kKindGroup && index < kMaxGroups)
        name = &groups[index].name;
    if (name == nullptr) return false;
    const int32_t count = selectedCount < 255 ? selectedCount : 255;
    for (int32_t i = 0; i < count; ++i)
        if (selectedNames[i] == *name) return true;
    return false;
}

bool QX_GUI::editedItemQualifiesForSyndication(int32_t kind, int32_t index) {
    switch (syndicationMode) {
    case 1:
        return isItemInMarquee(kind, index, 0);
    case 2:
        return isItemInMarqueeList(kind, index);
    case 3:
        return isItemInMarqueeList(kind, index) || isItemInMarquee(kind, index, 1);
    default:
        return false;
    }
}
