// The fader law, decibels, interpolation and the dynamics transfer curve.
#pragma once

#include <cstdint>
#include <string>

// Logarithmic fader law: position 0 is -60 dB, position 1 is about 0 dB.
struct FaderLaw {
    float dragSpeed = 1.2f;
    float scale = 1.0f;
    float gainFloor = 0.001f; // gain at position 0
    float expFactor = 6.91f;
    float gainScale = 1000.0f;
    float logFactor = 0.1447178f; // 1/6.91 rounded to f32

    // The refined constants: exponent 6.908 and its exact inverses.
    void init();
    float gainToPosition(float gain) const;
    float gainToPositionForward(float gain) const { return gainToPosition(gain); }
    float positionToGain(float position) const;
    // The level a drag reaches `travel` positions above `startLevel`'s, held within
    // 0 .. kMaxDragLevel and snapped to unity just around it.
    float levelAfterDrag(float startLevel, float travel) const;
};

// The highest level a drag gives (about +12 dB).
constexpr float kMaxDragLevel = 4.0f;

// Levels just around unity (0.98 .. 1.05, open) land on it exactly.
float snapToUnity(float level);

float gainToDb(float gain);
float dbToGain(float db);
float lerp(float a, float b, float t);
double ln2();

struct CurvePoint {
    float x = 0.0f;
    float y = 0.0f;
};

void lerpPoint(CurvePoint& out, float x0, float y0, float x1, float y1, float t);

// A transfer curve given by up to ten control points in the unit square (x input level,
// y output level; 0 is -60 dB and 1 is 0 dB), sampled into tables.
struct DynamicsCurve {
    static constexpr int kMaxPoints = 10;
    static constexpr int kTableSize = 512;
    static constexpr int kTable60Size = 192;

    CurvePoint points[kMaxPoints];
    int32_t pointCount = 5;
    float attackMs = 500.0f;
    float releaseMs = 500.0f;
    float ratio = 1.0f;
    float auxParameter = 0.0f;
    float attackCoefficient = 0.0f;
    float releaseCoefficient = 0.0f;
    int32_t enabled = 1;
    // Plot geometry of the dynamics editor, panel units.
    float plotWidth = 272.0f;
    float plotHeight = 272.0f;
    float plotTop = 23.0f;
    float plotLeft = 54.0f;
    int32_t dynamicsType = 0;
    float knee = 0.1f;
    float kneeAtGrab = 0.1f;   // the knee when the middle point was grabbed
    CurvePoint previousMiddle; // the middle point before the current drag step
    int32_t pickedPoint = 0;
    float gridStepX = 0.1f;
    float gridStepY = 0.1f;
    int32_t reservedTail[6] = {};
    float tableSize = 100.0f; // the n of the last buildTable
    std::string name;
    float table[kTableSize] = {};
    float secondTable[kTableSize] = {};
    float thirdTable[1024] = {};
    float table60[kTable60Size] = {};
    uint8_t sidechainIndex = 0;
    uint8_t sidechainKind = 0;
    uint8_t sidechainLocation = 2;
    CurvePoint curveMidpoint; // the curve at t = 0.5, written by the editor's drawing

    // De Casteljau evaluation of a list of control points at t.
    static CurvePoint evalBezier(const CurvePoint* controlPoints, int32_t count, float t);
    CurvePoint evalBezier(float t) const { return evalBezier(points, pointCount, t); }
    void buildTable60();
    void buildTable(int32_t n);

    // Between these two, buildTable only notes its n; the second builds the last table asked
    // for, from the points as they are then. A verb that reshapes many records through the
    // editor builds the editor's table once instead of several times per record.
    void deferTableBuilds();
    void finishDeferredTableBuilds();

private:
    bool tableBuildsDeferred_ = false;
    bool tableBuildPending_ = false;
    int32_t pendingTableSize_ = 0;
};
