// Grouping verbs: sources join and leave groups, on both sides of the membership.
#include <vector>

#include "app/qx_gui.h"
#include "command/verb_support.h"

namespace {

// The sources named before the first group, and that group (-1 when the line names none).
struct GroupLine {
    std::vector<int32_t> sources;
    int32_t group = -1;
};

GroupLine readGroupLine(const CliObject& command) {
    GroupLine line;
    for (const ItemRef& ref : command.refs) {
        if (ref.type == kKindGroup) {
            line.group = ref.index;
            break;
        }
        if (ref.type == kKindSource && line.sources.size() < QX_GUI::kMaxLiveItems)
            line.sources.push_back(ref.index);
    }
    return line;
}

void setMembership(QX_GUI& gui, int32_t s, int32_t g, int32_t flag) {
    if (s < 0 || s >= kMembershipLive || g < 0 || g >= kMembershipLive) return;
    SourceRecord& source = gui.sources[s];
    GroupRecord& group = gui.groups[g];
    source.groupFlags[g] = flag;
    source.rebuildGroupList();
    group.memberFlags[s] = flag;
    group.rebuildMemberList();
}

int32_t changeMembership(QX_GUI& gui, const CliObject& command, int32_t flag) {
    if (!verbs::checkItemWords(gui, command, verbs::LastWord::ItemsOnly)) return 1;
    const GroupLine line = readGroupLine(command);
    if (line.group == -1) {
        gui.console.pendingError = "NO GROUP SPECIFIED";
        return 1;
    }
    if (line.sources.empty()) {
        gui.console.pendingError = "NO SOURCES SPECIFIED";
        return 1;
    }
    for (int32_t s : line.sources) setMembership(gui, s, line.group, flag);
    gui.applyGroupMuteSolo();
    gui.commitModelChange();
    return 0;
}

} // namespace

int32_t QX_GUI::cmdGroupify(CliObject command) {
    return changeMembership(*this, command, 1);
}

int32_t QX_GUI::cmdUngroupify(CliObject command) {
    return changeMembership(*this, command, 0);
}

int32_t QX_GUI::cmdToggleGroupify(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    const GroupLine line = readGroupLine(command);
    if (line.sources.empty()) {
        console.pendingError = "NO SOURCE SPECIFIED";
        return 1;
    }
    if (line.group == -1) {
        console.pendingError = "NO GROUP SPECIFIED";
        return 1;
    }
    const bool member = sources[line.sources.front()].groupFlags[line.group] == 1;
    executeCommandString((member ? "UNGROUPIFY " : "GROUPIFY ") + command.arguments);
    // Repeating the last command toggles again instead of repeating the nested line. The
    // arguments end with one blank however often the line is repeated.
    std::string arguments = command.arguments;
    while (!arguments.empty() && arguments.back() == ' ') arguments.pop_back();
    keepAsLastCommand("TOGGLE_GROUPIFY " + arguments + " ");
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdUngroup(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    const int32_t liveSources = std::min(sourceCount, static_cast<int32_t>(kMembershipLive));
    const int32_t liveGroups = std::min(groupCount, static_cast<int32_t>(kMembershipLive));
    for (const ItemRef& ref : command.refs) {
        if (ref.type == kKindGroup)
            for (int32_t s = 0; s < liveSources; ++s) setMembership(*this, s, ref.index, 0);
        if (ref.type == kKindSource)
            for (int32_t g = 0; g < liveGroups; ++g) setMembership(*this, ref.index, g, 0);
    }
    applyGroupMuteSolo();
    return 0;
}
