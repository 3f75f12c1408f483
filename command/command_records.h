// The parsed command line, item references and item snapshots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One stage object named in a command line.
struct ItemRef {
    int32_t index = -1; // index into the kind's table
    int32_t type = -1;  // 1 source, 2 target, 3 group, 4 cable, 5 room; -1 none
    std::string name = "-";
    float value = 0.0f;
    int32_t rank = -1; // position of the naming word among the arguments
};

// The editable fields of one stage object, gathered before a verb and written back after it.
struct ItemSnapshot {
    int32_t type = -1; // 1 source, 2 target, 3 group, 4 cable, 5 room
    int32_t index = -1;
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f; // rooms only
    float height = 0.0f;
    int32_t mute = 0;
    int32_t solo = 0;
    float level = 0.0f;
    float phase = 1.0f;
    float size = 1.0f; // source spread, or a target's own radius
    int32_t cableSource = -1;
    int32_t cableTarget = -1;
    std::string name;
    uint8_t shown = 1;
    int32_t useGlobalRadius = 0;
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    uint32_t colour = 0; // packed 0x00BBGGRR
    uint8_t selected = 0;
    uint8_t rotationOn = 0;
    uint8_t movementOn = 0;
    float rotationSpeed = 0.0f;
    float moveX = 0.0f;
    float moveY = 0.0f;
    int32_t virtualChannel = 0;
};

// Up to a fixed number of records with a count. Only the slots in use are stored, so a copy
// costs what the list holds rather than its capacity; a slot past the count reads as a
// default record.
template <typename Record, int Capacity> class BoundedList {
public:
    static constexpr int kCapacity = Capacity;

    int32_t count() const { return static_cast<int32_t>(entries_.size()); }
    bool full() const { return count() >= Capacity; }
    // Appends unless the list is full; false when the record was dropped.
    bool append(Record record) {
        if (full()) return false;
        entries_.push_back(std::move(record));
        return true;
    }
    void clear() { entries_.clear(); }
    Record& operator[](int32_t i) { return entries_[static_cast<size_t>(i)]; }
    const Record& operator[](int32_t i) const { return entries_[static_cast<size_t>(i)]; }
    typename std::vector<Record>::iterator begin() { return entries_.begin(); }
    typename std::vector<Record>::iterator end() { return entries_.end(); }
    typename std::vector<Record>::const_iterator begin() const { return entries_.begin(); }
    typename std::vector<Record>::const_iterator end() const { return entries_.end(); }

private:
    std::vector<Record> entries_;
};

// 256 snapshots and a count: the result of gathering, the argument of scattering, and the
// one-level undo store.
struct ItemSnapshotList : BoundedList<ItemSnapshot, 256> {};
struct ItemRefList : BoundedList<ItemRef, 256> {};
struct NumberList : BoundedList<int32_t, 256> {};

// The named-argument keys, in the order in which the parser searches them.
enum NamedKey : int {
    kKeyX,
    kKeyY,
    kKeyBW,
    kKeyW,
    kKeyH,
    kKeyRed,
    kKeyGreen,
    kKeyBlue,
    kKeyR,
    kKeyS,
    kKeyL,
    kKeyTime,
    kKeyBand,
    kKeyType,
    kKeyG,
    kKeyF,
    kKeyAttack,
    kKeyRelease,
    kKeyThreshold,
    kKeyRatio,
    kKeyKnee,
    kKeyLimit,
    kKeySidechain,
    kKeyX1,
    kKeyY1,
    kKeyX2,
    kKeyY2,
    kKeyX3,
    kKeyY3,
    kKeyX4,
    kKeyY4,
    kKeyX5,
    kKeyY5,
    kNamedKeyCount
};

// The key texts, indexed by NamedKey.
extern const char* const kNamedKeyTexts[kNamedKeyCount];

// One parsed command line.
struct CliObject {
    ItemSnapshotList items; // scratch list; the parser leaves it empty
    ItemRefList refs;       // the stage objects named in the line, in word order
    std::string commandString = "NO COMMAND STRING";
    std::string action = "NO ACTION";
    std::string arguments = "NO ARGUMENTS";
    int32_t mode = -1;
    int32_t start = -1;
    int32_t end = -1;
    NumberList starts;
    NumberList ends;
    float value = -1.0f;
    std::string string = "NO STRING";
    uint8_t disqualified = 0;
    std::string text;
    float namedValue[kNamedKeyCount] = {};
    uint8_t namedSet[kNamedKeyCount] = {};

    int32_t refCount() const { return refs.count(); }
    bool has(NamedKey key) const { return namedSet[key] != 0; }
    float named(NamedKey key) const { return namedValue[key]; }
};

// One equaliser preset: its name and the lines of its block, each followed by "\n".
struct EqPresetEntry {
    std::string name;
    std::string lines;
};

struct EqPresetTable {
    static constexpr int kCapacity = 200;
    EqPresetEntry entries[kCapacity];
    int32_t count = 0;
};
