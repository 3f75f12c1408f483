// Group motion: timed rotation of member sources about the group's position, timed drift along
// the movement vector wrapping inside each member's room, and an immediate turn.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"
#include "qxplatform/runtime.h"

namespace {

bool isGroup(int32_t g) {
    return g >= 0 && g < QX_GUI::kMaxGroups;
}

} // namespace

void QX_GUI::setRotationClock(int32_t on) {
    if (on == 1 && !timerStarted) startMotionTimer();
    rotationRunning = on == 1 ? 1 : 0;
    rotationLastTime = qxplatform::processClock();
}

void QX_GUI::setMovementClock(int32_t on) {
    if (on == 1 && !timerStarted) startMotionTimer();
    movementRunning = on == 1 ? 1 : 0;
    movementLastTime = qxplatform::processClock();
}

// Each member keeps its distance from the centre exactly, so rounding does not make the circle
// drift. A member on the centre itself has no direction to turn and stays where it is.
void QX_GUI::rotateGroupMembers(int32_t g, int32_t elapsed) {
    if (!isGroup(g)) return;
    const GroupRecord& group = groups[g];
    const float angle = static_cast<float>(elapsed) * group.rotationSpeed * 0.1f;
    const float s = std::sin(angle);
    const float c = std::cos(angle);
    for (int32_t m = 0; m < group.memberCount; ++m) {
        SourceRecord& member = sources[group.memberList[m]];
        const float px = member.x - group.x;
        const float py = member.y - group.y;
        const float before = std::sqrt(px * px + py * py);
        if (before == 0.0f) continue;
        const float rx = px * c - py * s;
        const float ry = px * s + py * c;
        const float k = before / std::sqrt(rx * rx + ry * ry);
        member.x = group.x + k * rx;
        member.y = group.y + k * ry;
    }
}

void QX_GUI::stepGroupMovement(int32_t g, int32_t elapsed) {
    if (!isGroup(g)) return;
    const GroupRecord& group = groups[g];
    if (group.memberCount == 0) return;
    const float dx = static_cast<float>(elapsed) * group.movementX * 0.1f;
    const float dy = static_cast<float>(elapsed) * group.movementY * 0.1f;
    for (int32_t m = 0; m < group.memberCount; ++m) {
        SourceRecord& member = sources[group.memberList[m]];
        if (member.room < 0 || member.room >= kMaxRooms) continue;
        member.x += dx;
        member.y += dy;
        const IntRect r = rooms[member.room].rectAsInts();
        const float left = static_cast<float>(r.left);
        const float right = static_cast<float>(r.right);
        const float top = static_cast<float>(r.top);
        const float bottom = static_cast<float>(r.bottom);
        const float w = static_cast<float>(r.right - r.left);
        const float h = static_cast<float>(r.bottom - r.top);
        if (member.x < left) member.x += w;
        if (member.y < top) member.y += h;
        if (member.x > right) member.x -= w;
        if (member.y > bottom) member.y -= h;
    }
}

void QX_GUI::rotateGroup(int32_t g, float amount) {
    if (!isGroup(g)) return;
    const GroupRecord& group = groups[g];
    const float angle = static_cast<float>(static_cast<double>(amount) * 0.0005);
    const float s = std::sin(angle);
    const float c = std::cos(angle);
    for (int32_t m = 0; m < group.memberCount; ++m) {
        SourceRecord& member = sources[group.memberList[m]];
        const float px = member.x - group.x;
        const float py = member.y - group.y;
        member.x = group.x + (px * c - py * s);
        member.y = group.y + (px * s + py * c);
    }
}

void QX_GUI::advanceGroupMotion() {
    const int32_t liveGroups = std::clamp(groupCount, 0, static_cast<int32_t>(kMaxGroups));
    if (rotationRunning == 1) {
        const int32_t now = qxplatform::processClock();
        for (int32_t g = 0; g < liveGroups; ++g)
            if (groups[g].rotationOn == 1) rotateGroupMembers(g, now - rotationLastTime);
        rotationLastTime = now;
    }
    if (movementRunning == 1) {
        const int32_t now = qxplatform::processClock();
        for (int32_t g = 0; g < liveGroups; ++g)
            if (groups[g].movementOn == 1) stepGroupMovement(g, now - movementLastTime);
        movementLastTime = now;
        raiseSendFlag(kSendGainMatrix);
    }
}
