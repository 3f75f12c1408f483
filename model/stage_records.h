// Stage records: sources, targets, groups, rooms and cables, with their defaults and the small
// operations every part of the program uses on one record.
#pragma once

#include <cstdint>
#include <string>

// Colour components are the packed bytes times this f32 factor (1/255).
constexpr float kColourByteScale = 0.003921569f;

// Flags indexed by another item's index; only entries 0 to 63 are ever used for memberships.
constexpr int kMembershipSlots = 128;
constexpr int kMembershipLive = 64;

struct SourceRecord {
    uint8_t selected = 0;
    std::string name;
    float colourRed = 0.0f;
    float colourGreen = 0.0f;
    float colourBlue = 0.0f;
    uint8_t reservedFlag = 0;
    float dragOffsetX = 0.0f;
    float dragOffsetY = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
    int32_t reservedWords[4] = {};
    int32_t reservedInt = 5;
    float size = 0.0f;   // spread factor of the gain law
    uint32_t colour = 0; // packed 0x00BBGGRR
    int32_t virtualChannel = 64;
    int32_t mute = 0;
    int32_t solo = 0;
    float reservedAngle = 90.0f;
    float level = 0.0f; // linear gain
    float phase = 1.0f; // +1 or -1
    int32_t reservedPair[2] = {};
    int32_t clip = 0; // 1 while the DSP side reports clipping
    float meter[8] = {0.0f, 0.0f, -150.0f, -150.0f, 0.0f, 0.0f, -150.0f, 0.0f};
    // Words of the DSP side's meter record (pins 66 and 67): the pin meter level (w1), the
    // signal level (w2) and the output level (w5), all linear.
    float pinMeterLevel() const { return meter[1]; }
    float signalLevel() const { return meter[2]; }
    float meterOutputLevel() const { return meter[5]; }
    int32_t reservedTail[10] = {};
    int32_t groupFlags[kMembershipSlots] = {};
    int32_t groupCount = 0;
    int32_t groupList[kMembershipSlots] = {};
    int32_t groupMuted = 0;
    int32_t groupSoloed = 0;
    int32_t lastRoom = -1; // kept when the source leaves every room
    int32_t room = -1;
    uint8_t shown = 1;
    float envelope[800] = {};
    int32_t envelopeWrite = 0;
    int32_t envelopeLength = 800;
    int32_t boundsXMin = -5000;
    int32_t boundsYMin = -5000;
    int32_t boundsXMax = 5000;
    int32_t boundsYMax = 5000;

    uint32_t setColour(uint32_t packed);
    void snapToGrid();
    void beginDrag(float px, float py);
    void dragTo(float px, float py);
    void dragClamped(float px, float py);
    void setOffsetFromPosition(float px, float py);
    void setPosition(float px, float py);
    void setBounds(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax);
    void setBoundsFromFloats(float xMin, float yMin, float xMax, float yMax);
    void wrapInto(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    void rebuildGroupList();
    void clearGroups();
    void addToGroup(int32_t g);
    void removeFromGroup(int32_t g);
    void setGroupMuted(int32_t v) { groupMuted = v; }
    void setGroupSoloed(int32_t v) { groupSoloed = v; }
    void setRoomIndex(int32_t v) { lastRoom = v; }
    std::string writePatchSection(int32_t i) const;
};

struct TargetRecord {
    uint8_t selected = 0;
    uint8_t activity = 0; // from the DSP activity pin
    float dragOffsetX = 0.0f;
    float dragOffsetY = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
    int32_t reservedPair[2] = {};
    float level = 1.0f;
    float reservedLevels[2] = {0.0f, 0.0f};
    float phase = 1.0f;
    int32_t clip = 0;
    float meter[18] = {0.0f, 0.0f, -150.0f, -150.0f, 0.0f, 0.0f, -150.0f};
    // Words of the DSP side's meter record (pins 66 and 67): the pin meter level (w1), the
    // signal level (w2) and the output level (w5), all linear.
    float pinMeterLevel() const { return meter[1]; }
    float signalLevel() const { return meter[2]; }
    float meterOutputLevel() const { return meter[5]; }
    float reservedRadius = 5.0f;
    float gainRow[kMembershipSlots] = {};  // gain from source s to this target
    uint8_t cabled[kMembershipSlots] = {}; // 1 when a cable runs from source s
    int32_t reservedRow[kMembershipSlots] = {};
    int32_t reservedBlock[257] = {};
    int32_t virtualChannel = 64;
    int32_t mute = 0;
    int32_t solo = 0;
    std::string reservedTexts[2];
    uint32_t colour = 0;
    float colourRed = 0.0f;
    float colourGreen = 0.0f;
    float colourBlue = 0.0f;
    std::string name;
    int32_t useGlobalRadius = 1;
    float ownRadius = 0.0f;
    int32_t reservedWords[5] = {};
    int32_t reservedIndex = -1;
    int32_t room = 0;
    uint8_t sourceShown[kMembershipSlots]; // mirrors each source's shown flag
    uint8_t visible = 1;
    float envelope[800] = {};
    int32_t envelopeWrite = 0;
    int32_t envelopeLength = 800;
    int32_t boundsXMin = -5000;
    int32_t boundsYMin = -5000;
    int32_t boundsXMax = 5000;
    int32_t boundsYMax = 5000;

    TargetRecord();
    uint32_t setColour(uint32_t packed);
    void snapToGrid();
    void beginDrag(float px, float py);
    void dragTo(float px, float py);
    void dragClamped(float px, float py);
    void setPosition(float px, float py);
    void setBounds(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax);
    std::string writePatchSection(int32_t i) const;
};

struct GroupRecord {
    uint32_t colour = 0;
    float colourRed = 0.0f;
    float colourGreen = 0.0f;
    float colourBlue = 0.0f;
    int32_t selected = 0; // low byte: the selected flag
    float rotationSpeed = 0.0001f;
    int32_t rotationOn = 0;
    float reservedScale = 1.0f;
    std::string name;
    int32_t memberFlags[kMembershipSlots] = {};
    int32_t memberList[kMembershipSlots] = {};
    int32_t memberCount = 0;
    float dragOffsetX = 0.0f;
    float dragOffsetY = 0.0f;
    float x = 0.0f; // handle position and centre of rotation
    float y = 0.0f;
    float movementX = 0.0f;
    float movementY = 0.0f;
    int32_t pressPoint[2] = {}; // the stage point of the last drag press, truncated
    int32_t mute = 0;
    int32_t solo = 0;
    float level = 1.0f;
    float phase = 1.0f;
    int32_t movementOn = 0;
    int32_t reservedTail[2] = {};
    uint8_t shown = 1;
    int32_t boundsXMin = -10000;
    int32_t boundsYMin = -10000;
    int32_t boundsXMax = 10000;
    int32_t boundsYMax = 10000;

    uint32_t setColour(uint32_t packed);
    void snapToGrid();
    void beginDrag(float px, float py);
    void dragTo(float px, float py);
    void resetBounds();
    void rebuildMemberList();
    bool isMember(int32_t s) const;
    void clearMembers();
    void addMember(int32_t s);
    void removeMember(int32_t s);
    std::string writePatchSection(int32_t i) const;
};

// Four i32 corners of a room rectangle.
struct IntRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct RoomRecord {
    std::string reservedTexts[128];
    int32_t reservedWord = 0;
    int32_t sourceList[64] = {-1};
    int32_t sourceCount = -1;
    int32_t targetCount = -1;
    int32_t targetList[64] = {-1};
    int32_t groupList[64] = {-1};
    int32_t groupCount = -1;
    int32_t groupFlags[64] = {};
    float x = 0.0f; // top-left corner
    float y = 0.0f;
    float dragOffsetX = 0.0f;
    float dragOffsetY = 0.0f;
    float width = -5.0f;
    float height = -5.0f;
    int32_t sourceFlags[kMembershipSlots] = {};
    int32_t targetFlags[kMembershipSlots] = {};
    uint32_t colour = 0;
    int32_t reservedColourWord = 0;
    float colourRed = 0.0f;
    float colourGreen = 0.0f;
    float colourBlue = 0.0f;
    std::string name;
    int32_t mute = 0;
    int32_t solo = 0;
    float level = 1.0f;
    float phase = 1.0f;
    int32_t reservedTail[3] = {};
    std::string reservedText;

    uint32_t setColour(uint32_t packed);
    void beginDrag(float px, float py);
    void dragTo(float px, float py);
    bool containsPoint(float px, float py) const;
    IntRect rectAsInts() const;
    void setSize(float w, float h) {
        width = w;
        height = h;
    }
    void setPositionRounded(float px, float py);
    std::string writePatchSection(int32_t i) const;
};

struct CableRecord {
    int32_t source = -1; // -1: the slot is free
    int32_t target = -1;
    float level = 0.0f;
    int32_t mute = 0;
    int32_t solo = 0;
    float phase = 1.0f;
    uint8_t useGroups = 1; // the source's group gains apply to the cable
};

// Writes an item's meter level into its level history ring and moves the ring on.
template <class Record> void recordLevelHistory(Record& item) {
    if (item.envelopeLength <= 0 || item.envelopeLength > 800) return;
    if (item.envelopeWrite < 0 || item.envelopeWrite >= item.envelopeLength) item.envelopeWrite = 0;
    item.envelope[item.envelopeWrite] = item.meter[0];
    item.envelopeWrite = (item.envelopeWrite + 1) % item.envelopeLength;
}
