// Verbs that work on the console and the text-entry prompt: VERBOSE, CLS, SET, ENTER, CONFIRM.
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/qx_gui.h"

namespace {

// The leading decimal digits of text (an optional minus first); false when there are none.
bool readLeadingInteger(const std::string& text, long long& value) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) i = 1;
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    long long n = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        if (n < 1000000000LL) n = n * 10 + (text[i] - '0');
    value = negative ? -n : n;
    return true;
}

struct EnterPrompt {
    const char* keyword;
    const char* consoleLine;
    int32_t action;
    const char* title;
    const char* prompt;
};

const EnterPrompt kEnterPrompts[] = {
    {"SOURCE_COUNT", "ENTER NUMBER OF SOURCES", 7, "SET NUMBER OF SOURCES", "MIN 1 -> MAX 64"},
    {"TARGET_COUNT", "ENTER NUMBER OF TARGETS", 8, "SET NUMBER OF TARGETS", "MIN 1 -> MAX 64"},
    {"GROUP_COUNT", "ENTER NUMBER OF GROUPS", 28, "SET NUMBER OF GROUPS", "MIN 1 -> MAX 16"},
    {"ROOM_COUNT", "ENTER NUMBER OF ROOMS", 29, "SET NUMBER OF ROOMS", "MIN 1 -> MAX 8"},
};

} // namespace

int32_t QX_GUI::cmdVerbose(CliObject command) {
    if (command.string == "0") {
        console.verbose = 0;
        appendConsoleLine("> VERBOSITY > CONCISE");
    } else {
        console.verbose = 1;
        appendConsoleLine("> VERBOSITY > LONG WINDED");
    }
    return 0;
}

void QX_GUI::cmdCls() {
    clearConsole();
}

int32_t QX_GUI::cmdSet(CliObject command) {
    enum Kind { kNone, kRooms, kTargets, kSources, kGroups } kind = kNone;
    const std::string& text = command.commandString;
    if (text.find("NUM_ROOM") != std::string::npos) kind = kRooms;
    if (text.find("NUM_TARGET") != std::string::npos) kind = kTargets;
    if (text.find("NUM_SOURCE") != std::string::npos) kind = kSources;
    if (text.find("NUM_GROUP") != std::string::npos) kind = kGroups;
    if (kind == kNone) {
        console.pendingError = "ITEM NOT SPECIFIED";
        return 1;
    }
    // A missing or unreadable number is refused rather than read as 0 (which would remove
    // every item of the kind).
    long long n = 0;
    if (command.mode == -1 || !readLeadingInteger(command.string, n)) {
        console.pendingError = "NUMBER NOT SPECIFIED";
        return 1;
    }
    if (n < 0) {
        console.pendingError = "NEGATIVE NUMBER SPECIFIED";
        return 1;
    }
    const int32_t count = static_cast<int32_t>(std::min(n, 2147483647LL));
    switch (kind) {
    case kSources:
        setSourceCount(count);
        break;
    case kTargets:
        setTargetCount(count);
        break;
    case kGroups:
        setGroupCount(count);
        applyGroupMuteSolo();
        break;
    case kRooms:
        setRoomCount(count);
        updateRoomMembership();
        break;
    case kNone:
        break;
    }
    return 0;
}

int32_t QX_GUI::cmdEnter(CliObject command) {
    for (const EnterPrompt& row : kEnterPrompts) {
        if (command.string != row.keyword) continue;
        int32_t current = 0;
        switch (row.action) {
        case 7:
            current = sourceCount;
            break;
        case 8:
            current = targetCount;
            break;
        case 28:
            current = groupCount;
            break;
        default:
            current = roomCount;
            break;
        }
        char initial[16];
        std::snprintf(initial, sizeof initial, "%i", current);
        appendConsoleLine(row.consoleLine);
        textEntry.textEntryId = row.action;
        openTextEntry(static_cast<int32_t>(windowWidth / 2), static_cast<int32_t>(windowHeight / 2),
                      60, 20, initial, 2, 3, row.title, row.prompt, 1);
        break;
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdConfirm(CliObject command) {
    const std::string& text = command.commandString;
    size_t quotes[6];
    int found = 0;
    for (size_t i = 0; i < text.size() && found < 6; ++i)
        if (text[i] == '\'') quotes[found++] = i;
    if (found < 6) {
        console.pendingError = "INVALID CONFIRM COMMAND";
        return 1;
    }
    auto between = [&](int open) {
        return text.substr(quotes[open] + 1, quotes[open + 1] - quotes[open] - 1);
    };
    const std::string title = between(0);
    const std::string prompt = between(2);
    const std::string confirmed = between(4);
    appendConsoleLine("CONFIRM STRING 1 : " + title);
    appendConsoleLine("CONFIRM STRING 2 : " + prompt);
    appendConsoleLine("COMMAND STRING : " + confirmed);
    pendingConfirm = 1;
    textEntry.textEntryId = 35;
    confirmCommand = confirmed;
    openTextEntry(static_cast<int32_t>(windowWidth / 2), static_cast<int32_t>(windowHeight / 2), 60,
                  20, "NO", 3, 5, title, prompt, 1);
    return 0;
}
