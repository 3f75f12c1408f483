// The gain matrix: for every live source and target the linear gain with which the DSP side
// feeds the source into the target, stored as the target's gain row.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"

void QX_GUI::computeGainMatrix() {
    const int32_t liveSources = std::clamp(sourceCount, 0, static_cast<int32_t>(kMaxLiveItems));
    const int32_t liveTargets = std::clamp(targetCount, 0, static_cast<int32_t>(kMaxLiveItems));
    const int32_t liveRooms = std::clamp(roomCount, 0, static_cast<int32_t>(kMaxRooms));
    const int32_t liveCables = std::clamp(cableCount, 0, static_cast<int32_t>(kMaxCables));

    int32_t roomSoloed = 0;
    for (int32_t r = 0; r < liveRooms; ++r)
        if (rooms[r].solo == 1) roomSoloed = 1;

    // One soloed cable switches the whole matrix to cables only.
    anyCableSoloed = 0;
    for (int32_t c = 0; c < liveCables; ++c) {
        if (cables[c].solo != 1) continue;
        anyCableSoloed = 1;
        for (int32_t t = 0; t < liveTargets; ++t)
            for (int32_t s = 0; s < liveSources; ++s) targets[t].gainRow[s] = 0.0f;
        applyCableGains();
        return;
    }

    for (int32_t s = 0; s < liveSources; ++s) {
        const SourceRecord& source = sources[s];
        const int32_t r = source.room;
        const bool roomSounds = r >= 0 && r < kMaxRooms && rooms[r].mute != 1 &&
                                (!roomSoloed || rooms[r].solo == 1);
        bool sourceSounds = roomSounds && source.mute + source.groupMuted < 1;
        if (anyGroupSoloed == 1)
            sourceSounds = sourceSounds && (source.groupSoloed == 1 || source.solo == 1);
        else if (anySourceSoloed == 1)
            sourceSounds = sourceSounds && source.solo == 1;
        for (int32_t t = 0; t < liveTargets; ++t) {
            const TargetRecord& target = targets[t];
            const bool sounds = sourceSounds && target.room == r && target.mute != 1 &&
                                (anyTargetSoloed != 1 || target.solo == 1);
            if (sounds)
                pairGain(s, t);
            else
                targets[t].gainRow[s] = 0.0f;
        }
    }
    applyCableGains();
}

// The linear reach law: full gain on the target, falling to 0 at the reach of the source's
// spread; the division by the target's radius happens in the blob encoder.
void QX_GUI::pairGain(int32_t s, int32_t t) {
    const SourceRecord& S = sources[s];
    TargetRecord& T = targets[t];
    const float R = T.useGlobalRadius == 1 ? viewSettings.globalRadius : T.ownRadius;
    const float dx = S.x - T.x;
    const float dy = S.y - T.y;
    float g = 0.0f;
    if (dx * dx == 0.0f && dy * dy == 0.0f) {
        if (T.useGlobalRadius != 1 && S.size < 1.0f)
            g = S.level * S.phase * (S.size * R);
        else
            g = (S.size < 1.0f ? S.size * R : R) * S.level * S.phase;
    } else {
        const float d = std::sqrt(dx * dx + dy * dy);
        const float reach = R * S.size;
        if (reach > d) g = std::max(std::min(reach - d, R), 0.0f);
        g = g * S.level * S.phase;
    }
    if (S.room >= 0 && S.room < kMaxRooms) g = g * rooms[S.room].level * rooms[S.room].phase;
    if (S.groupCount >= 1) {
        const int32_t liveGroups = std::clamp(groupCount, 0, kMembershipSlots);
        for (int32_t j = 0; j < liveGroups; ++j)
            if (S.groupFlags[j] != 0) g = g * groups[j].level * groups[j].phase;
    }
    T.gainRow[s] = g * T.level * T.phase * viewSettings.masterVolume;
}

// Cables overwrite the entries of their pairs; a later cable for the same pair decides. Only
// the target's room counts for a cable.
void QX_GUI::applyCableGains() {
    const int32_t liveCables = std::clamp(cableCount, 0, static_cast<int32_t>(kMaxCables));
    const float M = viewSettings.masterVolume;
    for (int32_t c = 0; c < liveCables; ++c) {
        const CableRecord& cable = cables[c];
        if (cable.source < 0 || cable.source >= kMembershipSlots || cable.target < 0 ||
            cable.target >= kMaxTargets)
            continue;
        const SourceRecord& S = sources[cable.source];
        TargetRecord& T = targets[cable.target];
        float g = 1.0f;
        if (T.room != -1 && T.room >= 0 && T.room < kMaxRooms) {
            const RoomRecord& room = rooms[T.room];
            g = room.mute == 1 ? 0.0f : room.level * room.phase;
            if (anyRoomSoloed != 0 && room.solo != 1) g = 0.0f;
        }
        if (cable.useGroups != 0) {
            for (int32_t k = 0; k < S.groupCount && k < kMembershipSlots; ++k) {
                const GroupRecord& group = groups[S.groupList[k]];
                g = g * (group.phase * group.level);
            }
        }
        if (T.mute == 1 || S.mute == 1 || (anySourceSoloed == 1 && S.solo != 1) ||
            (anyTargetSoloed == 1 && T.solo != 1) ||
            (anyGroupSoloed == 1 && S.groupSoloed != 1) ||
            (anyGroupMuted == 1 && S.groupMuted == 1) || cable.mute == 1 ||
            (anyCableSoloed == 1 && cable.solo != 1))
            g = 0.0f;
        g = g * S.phase;
        g = g * cable.phase;
        g = g * T.phase;
        g = g * T.level;
        g = g * S.level;
        g = g * cable.level;
        g = g * M;
        T.gainRow[cable.source] = g;
    }
}
