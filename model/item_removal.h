// Steps shared by the count setters and the resets when a source or target loses its ties or
// gets its default state.
#pragma once

#include <cstdint>
#include <string>

class QX_GUI;
struct DelayRecord;
struct FilterRecord;
struct DynamicsRecord;

// Both sides of the memberships of source s in groups first..last - 1.
void leaveGroups(QX_GUI& gui, int32_t s, int32_t first, int32_t last);

// Removes every cable from source s (or to target t) and clears its mark in the target's row.
void dropCablesOfSource(QX_GUI& gui, int32_t s);
void dropCablesOfTarget(QX_GUI& gui, int32_t t);

// Turns off a channel's delay, filter and dynamics.
void switchOffProcessing(DelayRecord& delay, FilterRecord& filter, DynamicsRecord& dynamics);

// A default item name: the prefix and the number, as in "S1".
std::string numberedName(const char* prefix, int32_t number);
