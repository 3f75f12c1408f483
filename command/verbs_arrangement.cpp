// Arrangement verbs: move the addressed items as a whole (contract, expand, snap, spacing, oval,
// circle, align), set the targets' own radius from their spread, and move the view or the
// marquee to an item.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/qx_gui.h"
#include "model/checked_number.h"

ItemMetrics QX_GUI::measureItemRecords(const ItemSnapshotList& list) {
    setStatusMessage("GENERATE METRICS ...");
    char line[64];
    std::snprintf(line, sizeof line, "%i ITEMS", list.count());
    setStatusMessage(line);
    ItemMetrics m;
    if (list.count() > 0) {
        m.minX = m.maxX = list[0].x;
        m.minY = m.maxY = list[0].y;
    }
    for (const ItemSnapshot& item : list) {
        if (item.x < m.minX) m.minX = item.x;
        if (item.x > m.maxX) m.maxX = item.x;
        if (item.y < m.minY) m.minY = item.y;
        if (item.y > m.maxY) m.maxY = item.y;
    }
    m.width = m.maxX - m.minX;
    m.height = m.maxY - m.minY;
    m.centreX = m.width * 0.5f + m.minX;
    m.centreY = m.height * 0.5f + m.minY;
    return m;
}

namespace {

// The common cycle: gather, measure, move every snapshot, write back, commit.
template <typename Move> int32_t arrange(QX_GUI& gui, const CliObject& command, Move move) {
    ItemSnapshotList list = gui.gatherItemRecords(command);
    const ItemMetrics m = gui.measureItemRecords(list);
    const int32_t n = list.count();
    for (int32_t i = 0; i < n; ++i) move(list[i], i, n, m);
    gui.scatterItemRecords(list);
    gui.commitModelChange();
    return 0;
}

constexpr float kTwoPi = 6.2831855f;

} // namespace

int32_t QX_GUI::cmdContract(CliObject command) {
    return arrange(*this, command, [](ItemSnapshot& s, int32_t, int32_t, const ItemMetrics& m) {
        s.x = (s.x - m.centreX) * 0.8f + m.centreX;
        s.y = (s.y - m.centreY) * 0.8f + m.centreY;
    });
}

int32_t QX_GUI::cmdExpand(CliObject command) {
    return arrange(*this, command, [](ItemSnapshot& s, int32_t, int32_t, const ItemMetrics& m) {
        s.x = (s.x - m.centreX) * 1.25f + m.centreX;
        s.y = (s.y - m.centreY) * 1.25f + m.centreY;
    });
}

int32_t QX_GUI::cmdSnap(CliObject command) {
    return arrange(*this, command, [](ItemSnapshot& s, int32_t, int32_t, const ItemMetrics&) {
        s.x = std::trunc(s.x * 0.1f) * 10.0f;
        s.y = std::trunc(s.y * 0.1f) * 10.0f;
    });
}

int32_t QX_GUI::cmdSpacing(CliObject command) {
    const bool horizontal = command.string == "HORIZONTAL";
    const bool vertical = !horizontal && command.string == "VERTICAL";
    return arrange(*this, command,
                   [&](ItemSnapshot& s, int32_t i, int32_t n, const ItemMetrics& m) {
                       // One item has no spacing to spread over (and no n - 1 to divide by).
                       if (n < 2) return;
                       if (horizontal) s.x = static_cast<float>(i) * (m.width / (n - 1)) + m.minX;
                       if (vertical) s.y = static_cast<float>(i) * (m.height / (n - 1)) + m.minY;
                   });
}

int32_t QX_GUI::cmdOval(CliObject command) {
    return arrange(*this, command, [](ItemSnapshot& s, int32_t i, int32_t n, const ItemMetrics& m) {
        float r = (m.width + m.height) * 0.25f;
        float fx = 1.0f, fy = 1.0f;
        if (m.height < m.width) {
            r = m.width * 0.5f;
            fy = m.height / m.width;
        } else if (m.width < m.height) {
            r = m.height * 0.5f;
            fx = m.width / m.height;
        }
        const float a = kTwoPi * static_cast<float>(i) / static_cast<float>(n);
        s.x = m.centreX + r * std::sin(a) * fx;
        s.y = m.centreY - r * std::cos(a) * fy;
    });
}

int32_t QX_GUI::cmdCircle(CliObject command) {
    return arrange(*this, command, [](ItemSnapshot& s, int32_t i, int32_t n, const ItemMetrics& m) {
        const float r = (m.width + m.height) * 0.25f;
        const float a = kTwoPi * static_cast<float>(i) / static_cast<float>(n);
        s.x = m.centreX + r * std::sin(a);
        s.y = m.centreY - r * std::cos(a);
    });
}

int32_t QX_GUI::cmdAlign(CliObject command) {
    const std::string edge = command.string;
    ItemSnapshotList list = gatherItemRecords(command);
    const ItemMetrics m = measureItemRecords(list);
    char line[96];
    std::snprintf(line, sizeof line, "ALIGN %i OBJECTS", list.count());
    setStatusMessage(line);
    setStatusMessage("ALIGN TO \"" + edge + "\"");
    if (edge == "TOP") {
        std::snprintf(line, sizeof line, "TOP %f", m.minY);
        setStatusMessage(line);
    }
    for (ItemSnapshot& s : list) {
        if (edge == "TOP")
            s.y = m.minY;
        else if (edge == "BOTTOM")
            s.y = m.maxY;
        else if (edge == "LEFT")
            s.x = m.minX;
        else if (edge == "RIGHT")
            s.x = m.maxX;
        else if (edge == "CENTRE")
            s.x = m.centreX;
        else if (edge == "MIDDLE")
            s.y = m.centreY;
    }
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdFind(CliObject command) {
    const ItemSnapshotList list = gatherItemRecords(command);
    if (list.count() == 0 || list[0].type == 4) {
        console.pendingError = "NAMED OBJECT NOT FOUND";
        return 1;
    }
    const ItemSnapshot& first = list[0];
    if (first.type == kKindRoom) {
        const RoomRecord& room = rooms[first.index];
        view.viewPanX = heldPan(-room.x - room.width * 0.5f, view.viewPanX);
        view.viewPanY = heldPan(-room.y - room.height * 0.5f, view.viewPanY);
    } else {
        view.viewPanX = heldPan(-first.x, view.viewPanX);
        view.viewPanY = heldPan(-first.y, view.viewPanY);
    }
    return 0;
}

int32_t QX_GUI::cmdNormalise(CliObject command) {
    // Only the addressed targets take part: another kind's index is no target index.
    const ItemSnapshotList list = gatherItemRecords(command);
    std::vector<int32_t> chosen;
    for (const ItemSnapshot& s : list)
        if (s.type == 2) chosen.push_back(s.index);
    const int32_t n = static_cast<int32_t>(chosen.size());
    if (n == 0) return 0;
    float sum = 0.0f;
    for (int32_t t : chosen) sum += targets[t].y;
    const float mean = sum / static_cast<float>(n);
    float d = 0.0f;
    for (int32_t t : chosen)
        if (targets[t].y - mean > d) d = targets[t].y - mean;
    char line[96];
    std::snprintf(line, sizeof line, "DISTANCE TO CENTRE = %.2f %.2f", d, d);
    appendConsoleLine(line);
    // One target has no spread to measure (n - 1 would divide by zero): it keeps its radius.
    if (n < 2) return 0;
    const float radius = static_cast<float>(static_cast<double>(d) / (n - 1) * n);
    for (int32_t t : chosen) {
        targets[t].ownRadius = radius;
        targets[t].useGlobalRadius = 0;
    }
    return 0;
}

int32_t QX_GUI::cmdMarqueeToRoom(CliObject command) {
    const ItemSnapshotList list = gatherItemRecords(command);
    if (list.count() == 0 || list[0].type != 5) {
        console.pendingError = "SPECIFIED ITEM MUST BE A ROOM";
        return 1;
    }
    const RoomRecord& room = rooms[list[0].index];
    marqueeRect[0] = saturatingInt(room.x - 10.0f);
    marqueeRect[1] = saturatingInt(room.y - 10.0f);
    marqueeRect[2] = saturatingInt(room.x + room.width + 10.0f);
    marqueeRect[3] = saturatingInt(room.y + room.height + 10.0f);
    return 0;
}

int32_t QX_GUI::cmdRoomToMarquee(CliObject command) {
    const ItemSnapshotList list = gatherItemRecords(command);
    if (list.count() > 0 && list[0].type == 5) {
        setupRoom(list[0].index);
        return 0;
    }
    const std::string& word = command.string;
    if (!word.empty() && word != "NO STRING") {
        const int32_t n = std::atoi(word.c_str());
        const bool readable = n != 0 || word == "0";
        if (readable && n >= 0 && n < roomCount) {
            setupRoom(n);
            return 0;
        }
    }
    console.pendingError = "NO ROOM SPECIFIED OR INVALID ROOM ID";
    return 1;
}
