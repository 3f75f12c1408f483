// Arrow-key nudging on the STAGE page: the arrows move one source, target or group, the page
// keys step through the items of that kind (with SHIFT they choose the kind), and C or V with
// UP or DOWN scale or turn a group's members about the group.
#include <algorithm>

#include "app/qx_gui.h"
#include "view/input/key_predicates.h"

namespace {

struct ArrowKind {
    int32_t* current[3];
    const char* status;
};

} // namespace

int32_t QX_GUI::arrowKindCount(int32_t mode) const {
    switch (mode) {
    case 1:
        return std::clamp(sourceCount, 0, static_cast<int32_t>(kMaxSources));
    case 2:
        return std::clamp(targetCount, 0, static_cast<int32_t>(kMaxTargets));
    case 3:
        return std::clamp(groupCount, 0, static_cast<int32_t>(kMaxGroups));
    default:
        return 0;
    }
}

void QX_GUI::chooseArrowKind(int32_t mode) {
    const ArrowKind kinds[3] = {
        {{&currentSource, &currentTarget, &currentGroup}, "move sources with arrow keys"},
        {{&currentTarget, &currentSource, &currentGroup}, "move targets with arrow keys"},
        {{&currentGroup, &currentSource, &currentTarget}, "move groups with arrow keys"},
    };
    const ArrowKind& kind = kinds[mode - 1];
    *kind.current[0] = 0;
    *kind.current[1] = -1;
    *kind.current[2] = -1;
    keyboard.arrowIndex = 0;
    setStatusMessage(kind.status);
}

void QX_GUI::nudgeSelectionWithArrows() {
    float step = 1.0f;
    const bool pageUp = isKeyDownPageUp();
    const bool pageDown = isKeyDownPageDown();
    int32_t& mode = keyboard.arrowMode;
    if (isKeyDownShift()) {
        step = 10.0f;
        if (pageDown) mode = std::min(mode + 1, 3);
        if (pageUp) mode = std::max(mode - 1, 1);
        if (pageUp || pageDown) chooseArrowKind(mode);
    }
    const int32_t count = arrowKindCount(mode);
    if (count == 0) return;
    int32_t& index = keyboard.arrowIndex;
    index = std::clamp(index, 0, count - 1);
    if (mode == 3) {
        if (!nudgeGroup(index, step)) return;
    } else {
        float& x = mode == 1 ? sources[index].x : targets[index].x;
        float& y = mode == 1 ? sources[index].y : targets[index].y;
        if (isKeyDownUp()) y -= step;
        if (isKeyDownDown()) y += step;
        if (isKeyDownLeft()) x -= step;
        if (isKeyDownRight()) x += step;
    }
    if (pageUp && --index < 0) index = count - 1;
    if (pageDown && ++index > count - 1) index = 0;
}

// False when C or V turned the key into a scale or a rotation, which ends the nudge.
bool QX_GUI::nudgeGroup(int32_t g, float step) {
    GroupRecord& group = groups[g];
    const bool ctrl = isKeyDownCtrl();
    const int istep = static_cast<int>(step);
    for (int direction : {-1, 1}) {
        if (!(direction < 0 ? isKeyDownUp() : isKeyDownDown())) continue;
        if (isKeyDownC()) {
            scaleGroupMembers(g, direction < 0 ? 1.1111 : 0.9);
            return false;
        }
        if (isKeyDownV()) {
            rotateGroup(g, direction < 0 ? 100.0f : -100.0f);
            return false;
        }
        group.y += direction * step;
        if (ctrl) moveGroupMembers(g, 0, direction * istep);
    }
    if (isKeyDownLeft()) {
        group.x -= step;
        if (ctrl) moveGroupMembers(g, -istep, 0);
    }
    if (isKeyDownRight()) {
        group.x += step;
        if (ctrl) moveGroupMembers(g, istep, 0);
    }
    return true;
}

void QX_GUI::scaleGroupMembers(int group, double factor) {
    if (group < 0 || group >= kMaxGroups) return;
    const GroupRecord& g = groups[group];
    for (int32_t m = 0; m < g.memberCount && m < kMaxSources; ++m) {
        const int32_t s = g.memberList[m];
        if (s < 0 || s >= kMaxSources) continue;
        SourceRecord& member = sources[s];
        member.x = static_cast<float>(g.x + (static_cast<double>(member.x) - g.x) * factor);
        member.y = static_cast<float>(g.y + (static_cast<double>(member.y) - g.y) * factor);
    }
    updateRoomMembership();
    raiseSendFlag(kSendGroups);
    raiseSendFlag(kSendSources);
}

void QX_GUI::moveGroupMembers(int group, int dx, int dy) {
    if (group < 0 || group >= kMaxGroups) return;
    const GroupRecord& g = groups[group];
    for (int32_t m = 0; m < g.memberCount && m < kMaxSources; ++m) {
        const int32_t s = g.memberList[m];
        if (s < 0 || s >= kMaxSources) continue;
        sources[s].x += static_cast<float>(dx);
        sources[s].y += static_cast<float>(dy);
    }
}
