// Name lists of stage items (all of a kind, those inside the marquee, the selection, the
// touched item) and the lookups from a name to an item.
#include "app/qx_gui.h"
#include "model/checked_number.h"

namespace {

template <typename Record> std::string allNames(const Record* records, int32_t count) {
    std::string text;
    for (int32_t i = 0; i < count; ++i) {
        text += records[i].name;
        text += ' ';
    }
    return text;
}

bool insideRect(const int32_t rect[4], float x, float y) {
    const int32_t ix = saturatingInt(x);
    const int32_t iy = saturatingInt(y);
    return rect[0] <= ix && ix <= rect[2] && rect[1] <= iy && iy <= rect[3];
}

// Every qualifying item but the kind's last contributes "name "; the last contributes "name".
// The source list always ends with one more blank after the last item's place.
template <typename Record, typename Shown>
std::string markedNames(const Record* records, int32_t count, const int32_t rect[4], uint8_t force,
                        bool blankAfterLast, Shown shown) {
    std::string text;
    for (int32_t i = 0; i < count; ++i) {
        const Record& item = records[i];
        const bool qualifies = insideRect(rect, item.x, item.y) && (shown(item) || force);
        const bool last = i == count - 1;
        if (qualifies) {
            text += item.name;
            if (!last) text += ' ';
        }
        if (last && (blankAfterLast || !qualifies)) text += ' ';
    }
    return text;
}

} // namespace

std::string QX_GUI::allSourceNames() {
    return allNames(sources, sourceCount);
}
std::string QX_GUI::allTargetNames() {
    return allNames(targets, targetCount);
}
std::string QX_GUI::allGroupNames() {
    return allNames(groups, groupCount);
}
std::string QX_GUI::allRoomNames() {
    return allNames(rooms, roomCount);
}

std::string QX_GUI::markedSourceNames(uint8_t force) {
    if (stageView.sourcesLocked != 0 || stageView.sourcesShown == 0) return "";
    return markedNames(sources, sourceCount, marqueeRect, force, true,
                       [](const SourceRecord& s) { return s.shown != 0; });
}

std::string QX_GUI::markedTargetNames(uint8_t force) {
    if (stageView.targetsLocked != 0 || stageView.targetsShown == 0) return "";
    return markedNames(targets, targetCount, marqueeRect, force, false,
                       [](const TargetRecord& t) { return t.visible != 0; });
}

std::string QX_GUI::markedGroupNames(uint8_t force) {
    if (stageView.groupsLocked != 0 || stageView.groupsShown == 0) return "";
    return markedNames(groups, groupCount, marqueeRect, force, false,
                       [](const GroupRecord& g) { return g.shown != 0; });
}

// With nothing selected the list is empty: verbs that act on the selection then act on
// nothing rather than on a name left over from an earlier selection.
std::string QX_GUI::selectionNames() {
    std::string text;
    const int32_t count = selectedCount < 255 ? selectedCount : 255;
    for (int32_t i = 0; i < count; ++i) {
        if (i > 0) text += ' ';
        text += selectedNames[i];
    }
    return text;
}

std::string QX_GUI::itemName() {
    if (touchedIndex < 0) return "";
    switch (touchedKind) {
    case 1:
        return touchedIndex < kMaxSources ? sources[touchedIndex].name : "";
    case 2:
        return touchedIndex < kMaxTargets ? targets[touchedIndex].name : "";
    case 3:
        return touchedIndex < kMaxGroups ? groups[touchedIndex].name : "";
    default:
        return "";
    }
}

bool QX_GUI::isItemInMarquee(int32_t kind, int32_t index, uint8_t force) {
    if (index < 0) return false;
    switch (kind) {
    case 1:
        if (stageView.sourcesLocked != 0 || stageView.sourcesShown == 0 || index >= kMaxSources)
            return false;
        return insideRect(marqueeRect, sources[index].x, sources[index].y) &&
               (sources[index].shown != 0 || force);
    case 2:
        if (stageView.targetsLocked != 0 || stageView.targetsShown == 0 || index >= kMaxTargets)
            return false;
        return insideRect(marqueeRect, targets[index].x, targets[index].y) &&
               (targets[index].visible != 0 || force);
    case 3:
        if (stageView.groupsLocked != 0 || stageView.groupsShown == 0 || index >= kMaxGroups)
            return false;
        return insideRect(marqueeRect, groups[index].x, groups[index].y) &&
               (groups[index].shown != 0 || force);
    default:
        return false;
    }
}

int32_t QX_GUI::countFlaggedInMarquee() {
    int32_t count = 0;
    for (int32_t i = 0; i < sourceCount; ++i) count += isItemInMarquee(1, i, 0) ? 1 : 0;
    for (int32_t i = 0; i < targetCount; ++i) count += isItemInMarquee(2, i, 0) ? 1 : 0;
    for (int32_t i = 0; i < groupCount; ++i) count += isItemInMarquee(3, i, 0) ? 1 : 0;
    return count;
}

int32_t QX_GUI::findItemIndexByName(const std::string& name) {
    for (int32_t i = 0; i < sourceCount; ++i)
        if (sources[i].name == name) return i;
    for (int32_t i = 0; i < targetCount; ++i)
        if (targets[i].name == name) return i;
    for (int32_t i = 0; i < groupCount; ++i)
        if (groups[i].name == name) return i;
    for (int32_t i = 0; i < roomCount; ++i)
        if (rooms[i].name == name) return i;
    return -1;
}

int32_t QX_GUI::findItemKindByName(const std::string& name) {
    for (int32_t i = 0; i < sourceCount; ++i)
        if (sources[i].name == name) return 1;
    for (int32_t i = 0; i < targetCount; ++i)
        if (targets[i].name == name) return 2;
    for (int32_t i = 0; i < groupCount; ++i)
        if (groups[i].name == name) return 3;
    for (int32_t i = 0; i < roomCount; ++i)
        if (rooms[i].name == name) return 5;
    return -1;
}

void QX_GUI::findObjectPosition(const std::string& name, float& x, float& y) {
    auto found = [&](float fx, float fy) {
        x = fx;
        y = fy;
    };
    for (int32_t i = 0; i < sourceCount; ++i)
        if (sources[i].name == name) return found(sources[i].x, sources[i].y);
    for (int32_t i = 0; i < targetCount; ++i)
        if (targets[i].name == name) return found(targets[i].x, targets[i].y);
    for (int32_t i = 0; i < groupCount; ++i)
        if (groups[i].name == name) return found(groups[i].x, groups[i].y);
    found(0.0f, 0.0f);
}
