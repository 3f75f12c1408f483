// A small stage for model tests: rooms, sources and targets placed by hand, unity master.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "app/qx_gui.h"
#include "command_test_support.h"

struct StageFixture : command_test::LineRunner<> {

    StageFixture() { gui->viewSettings.masterVolume = 1.0f; }

    void room(int r, float x, float y, float w, float h) {
        gui->rooms[r].x = x;
        gui->rooms[r].y = y;
        gui->rooms[r].setSize(w, h);
        gui->roomCount = std::max(gui->roomCount, r + 1);
    }
    void source(int s, float x, float y, float size = 1.0f) {
        if (gui->sourceCount <= s) gui->setSourceCount(s + 1);
        gui->sources[s].setPosition(x, y);
        gui->sources[s].size = size;
    }
    void target(int t, float x, float y) {
        if (gui->targetCount <= t) gui->setTargetCount(t + 1);
        gui->targets[t].setPosition(x, y);
    }
    void join(int s, int g) {
        gui->sources[s].addToGroup(g);
        gui->groups[g].addMember(s);
    }
    int cable(int s, int t) {
        gui->pendingCableSource = s;
        gui->pendingCableTarget = t;
        return gui->addPendingCable();
    }
    // The hooks a verb runs after an edit.
    void commit() {
        gui->updateRoomMembership();
        gui->applyGroupMuteSolo();
        gui->updateMuteSoloSummary();
    }
    float gain(int s, int t) const { return gui->targets[t].gainRow[s]; }
    bool consoleHas(const std::string& line) const {
        return std::find(std::begin(gui->console.lines), std::end(gui->console.lines), line) !=
               std::end(gui->console.lines);
    }
};
