// The gain matrix: for every live source and target the linear gain with which the DSP side
// feeds the source into the target, stored as the target's gain row.
//
// The records are large, so each pass first gathers the few fields it reads into small views;
// the products are formed in exactly the order of the gain law, so the views change no value.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"
#include "model/global_radius.h"

namespace {

struct PairSource {
    float x, y, size, level, phase;
    int32_t room;
    int32_t groupCount; // factors that apply: groups below the count, flag set
    const GroupRecord* groups[kMembershipSlots];
};

// The live part of the matrix as one small contiguous block ([target][source]): the passes
// write here and the rows are copied into the target records once.
struct GainMatrixRows {
    float gain[QX_GUI::kMaxLiveItems][QX_GUI::kMaxLiveItems];

    void copyFrom(const QX_GUI& gui, int32_t liveSources, int32_t liveTargets) {
        for (int32_t t = 0; t < liveTargets; ++t)
            std::copy(gui.targets[t].gainRow, gui.targets[t].gainRow + liveSources, gain[t]);
    }
    void copyTo(QX_GUI& gui, int32_t liveSources, int32_t liveTargets) const {
        for (int32_t t = 0; t < liveTargets; ++t)
            std::copy(gain[t], gain[t] + liveSources, gui.targets[t].gainRow);
    }
};

void applyCableGainsTo(QX_GUI& gui, GainMatrixRows& rows, int32_t liveSources, int32_t liveTargets);

struct PairTarget {
    float x, y, radius, level, phase;
    bool ownRadius;
};

void gatherPairSource(const QX_GUI& gui, int32_t s, PairSource& view) {
    const SourceRecord& S = gui.sources[s];
    view = {S.x, S.y, S.size, S.level, S.phase, S.room, 0, {}};
    if (S.groupCount < 1) return;
    const int32_t liveGroups = std::clamp(gui.groupCount, 0, kMembershipSlots);
    for (int32_t j = 0; j < liveGroups; ++j)
        if (S.groupFlags[j] != 0) view.groups[view.groupCount++] = &gui.groups[j];
}

PairTarget gatherPairTarget(const QX_GUI& gui, int32_t t) {
    const TargetRecord& T = gui.targets[t];
    const bool own = !usesGlobalRadiusWhenOne(T);
    return {T.x, T.y, own ? T.ownRadius : gui.viewSettings.globalRadius, T.level, T.phase, own};
}

// The reach law: full gain on the target, falling to 0 at the reach of the source's spread.
float pairValue(const QX_GUI& gui, const PairSource& S, const PairTarget& T) {
    const float R = T.radius;
    const float dx = S.x - T.x;
    const float dy = S.y - T.y;
    float g = 0.0f;
    if (dx * dx == 0.0f && dy * dy == 0.0f) {
        if (T.ownRadius && S.size < 1.0f)
            g = S.level * S.phase * (S.size * R);
        else
            g = (S.size < 1.0f ? S.size * R : R) * S.level * S.phase;
    } else {
        const float d = std::sqrt(dx * dx + dy * dy);
        const float reach = R * S.size;
        if (reach > d) g = std::max(std::min(reach - d, R), 0.0f);
        g = g * S.level * S.phase;
    }
    if (S.room >= 0 && S.room < QX_GUI::kMaxRooms)
        g = g * gui.rooms[S.room].level * gui.rooms[S.room].phase;
    for (int32_t k = 0; k < S.groupCount; ++k) g = g * S.groups[k]->level * S.groups[k]->phase;
    return g * T.level * T.phase * gui.viewSettings.masterVolume;
}

} // namespace

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

    PairTarget targetViews[kMaxLiveItems];
    int32_t targetRoom[kMaxLiveItems];
    bool targetSounds[kMaxLiveItems];
    for (int32_t t = 0; t < liveTargets; ++t) {
        const TargetRecord& T = targets[t];
        targetViews[t] = gatherPairTarget(*this, t);
        targetRoom[t] = T.room;
        targetSounds[t] = T.mute != 1 && (anyTargetSoloed != 1 || T.solo == 1);
    }

    GainMatrixRows rows;
    PairSource pair{};
    for (int32_t s = 0; s < liveSources; ++s) {
        const SourceRecord& source = sources[s];
        const int32_t r = source.room;
        const bool roomSounds =
            r >= 0 && r < kMaxRooms && rooms[r].mute != 1 && (!roomSoloed || rooms[r].solo == 1);
        bool sourceSounds = roomSounds && source.mute + source.groupMuted < 1;
        if (anyGroupSoloed == 1)
            sourceSounds = sourceSounds && (source.groupSoloed == 1 || source.solo == 1);
        else if (anySourceSoloed == 1)
            sourceSounds = sourceSounds && source.solo == 1;
        if (sourceSounds) gatherPairSource(*this, s, pair);
        for (int32_t t = 0; t < liveTargets; ++t) {
            const bool sounds = sourceSounds && targetRoom[t] == r && targetSounds[t];
            rows.gain[t][s] = sounds ? pairValue(*this, pair, targetViews[t]) : 0.0f;
        }
    }
    applyCableGainsTo(*this, rows, liveSources, liveTargets);
    rows.copyTo(*this, liveSources, liveTargets);
}

// The value is not divided by the target's radius here; the blob encoder does that.
void QX_GUI::pairGain(int32_t s, int32_t t) {
    PairSource pair;
    gatherPairSource(*this, s, pair);
    targets[t].gainRow[s] = pairValue(*this, pair, gatherPairTarget(*this, t));
}

namespace {

// What a cable needs of its source and target, gathered once per pass.
struct CableTarget {
    bool gathered = false;
    bool silent = false;
    float level = 0.0f;
    float phase = 0.0f;
    float roomFactor = 1.0f;
};

struct CableSource {
    bool gathered = false;
    bool silent = false;
    float level = 0.0f;
    float phase = 0.0f;
    int32_t groupCount = 0; // phase x level of each group in the source's list, in list order
    float groupFactors[kMembershipSlots];
};

} // namespace

// Cables overwrite the entries of their pairs; a later cable for the same pair decides. Only
// the target's room counts for a cable.
void QX_GUI::applyCableGains() {
    const int32_t liveSources = std::clamp(sourceCount, 0, static_cast<int32_t>(kMaxLiveItems));
    const int32_t liveTargets = std::clamp(targetCount, 0, static_cast<int32_t>(kMaxLiveItems));
    GainMatrixRows rows;
    rows.copyFrom(*this, liveSources, liveTargets);
    applyCableGainsTo(*this, rows, liveSources, liveTargets);
    rows.copyTo(*this, liveSources, liveTargets);
}

namespace {

// Entries of live pairs go to the rows; a cable beyond the counts writes its record directly.
void applyCableGainsTo(QX_GUI& gui, GainMatrixRows& rows, int32_t liveSources,
                       int32_t liveTargets) {
    const int32_t liveCables =
        std::clamp(gui.cableCount, 0, static_cast<int32_t>(QX_GUI::kMaxCables));
    const float M = gui.viewSettings.masterVolume;
    CableSource sourceEnds[kMembershipSlots];
    CableTarget targetEnds[QX_GUI::kMaxTargets];

    for (int32_t c = 0; c < liveCables; ++c) {
        const CableRecord& cable = gui.cables[c];
        const int32_t s = cable.source;
        const int32_t t = cable.target;
        if (s < 0 || s >= kMembershipSlots || t < 0 || t >= QX_GUI::kMaxTargets) continue;

        CableSource& S = sourceEnds[s];
        if (!S.gathered) {
            const SourceRecord& source = gui.sources[s];
            S.gathered = true;
            S.silent = source.mute == 1 || (gui.anySourceSoloed == 1 && source.solo != 1) ||
                       (gui.anyGroupSoloed == 1 && source.groupSoloed != 1) ||
                       (gui.anyGroupMuted == 1 && source.groupMuted == 1);
            S.level = source.level;
            S.phase = source.phase;
            S.groupCount = std::clamp(source.groupCount, 0, kMembershipSlots);
            for (int32_t k = 0; k < S.groupCount; ++k) {
                const GroupRecord& group = gui.groups[source.groupList[k]];
                S.groupFactors[k] = group.phase * group.level;
            }
        }
        CableTarget& T = targetEnds[t];
        if (!T.gathered) {
            const TargetRecord& target = gui.targets[t];
            T.gathered = true;
            T.silent = target.mute == 1 || (gui.anyTargetSoloed == 1 && target.solo != 1);
            T.level = target.level;
            T.phase = target.phase;
            if (target.room >= 0 && target.room < QX_GUI::kMaxRooms) {
                const RoomRecord& room = gui.rooms[target.room];
                T.roomFactor = room.mute == 1 ? 0.0f : room.level * room.phase;
                if (gui.anyRoomSoloed != 0 && room.solo != 1) T.roomFactor = 0.0f;
            }
        }

        float g = T.roomFactor;
        if (cable.useGroups != 0)
            for (int32_t k = 0; k < S.groupCount; ++k) g = g * S.groupFactors[k];
        if (T.silent || S.silent || cable.mute == 1 || (gui.anyCableSoloed == 1 && cable.solo != 1))
            g = 0.0f;
        g = g * S.phase;
        g = g * cable.phase;
        g = g * T.phase;
        g = g * T.level;
        g = g * S.level;
        g = g * cable.level;
        g = g * M;
        if (s < liveSources && t < liveTargets)
            rows.gain[t][s] = g;
        else
            gui.targets[t].gainRow[s] = g;
    }
}

} // namespace
