// Running one command line: selector expansion, echo, parsing, the argument passes, dispatch,
// the failure report and the commit.
#include <cctype>

#include "app/qx_gui.h"
#include "command/text_utils.h"

namespace {

bool isBlankLine(const std::string& text) {
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    return true;
}

bool contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

// Lines that keep the word MARQUEE: the room and marquee verbs name the marquee itself, and
// a saved syndication mode must come back as it was written.
bool keepsMarqueeWord(const std::string& text) {
    return contains(text, "ROOM_TO_MARQUEE") || contains(text, "MARQUEE_TO_ROOM") ||
           text.compare(0, 9, "SYN_MODE ") == 0;
}

} // namespace

std::string QX_GUI::marqueeNameList(uint8_t force) {
    return markedTargetNames(force) + " " + markedSourceNames(force) + " " +
           markedGroupNames(force);
}

void QX_GUI::keepAsLastCommand(std::string line) {
    lastCommand = std::move(line);
    lastCommandKept = 1;
}

int32_t QX_GUI::executeCommandString(std::string text) {
    // An empty or blank line does nothing (it must not re-run the previous verb).
    if (isBlankLine(text)) return 0;
    if (executedLineTap) executedLineTap->push_back(text);

    rawCommandText = text;
    const uint8_t force = contains(text, "HIDE") ? 1 : 0;

    // Selector expansion, in a fixed order; text inserted by a step is searched by the later
    // steps.
    if (contains(text, "ALL_SOURCES")) replaceAll(text, "ALL_SOURCES", allSourceNames());
    if (contains(text, "ALL_TARGETS")) replaceAll(text, "ALL_TARGETS", allTargetNames());
    if (contains(text, "ALL_GROUPS")) replaceAll(text, "ALL_GROUPS", allGroupNames());
    if (contains(text, "ALL_ROOMS")) replaceAll(text, "ALL_ROOMS", allRoomNames());
    if (contains(text, "SOURCES")) replaceAll(text, "SOURCES", markedSourceNames(force));
    if (contains(text, "TARGETS")) replaceAll(text, "TARGETS", markedTargetNames(force));
    if (contains(text, "GROUPS")) replaceAll(text, "GROUPS", markedGroupNames(force));
    if (contains(text, "SELECTION")) replaceAll(text, "SELECTION", selectionNames());
    if (contains(text, "MARQUEE") && !keepsMarqueeWord(text)) {
        const std::string list = marqueeNameList(force);
        appendConsoleLine("MARQUEE IN STRING");
        replaceAll(text, "MARQUEE", list);
    }
    if (contains(text, "SYNDICATION")) {
        const bool named = touchedKind >= 1 && touchedKind <= 3;
        bool replace = true;
        std::string by;
        switch (syndicationMode) {
        case 0:
            replace = named;
            by = itemName();
            break;
        case 1:
            by = countFlaggedInMarquee() > 0 ? marqueeNameList(force) : itemName();
            break;
        case 2:
            if (selectedCount > 0) {
                by = selectionNames();
            } else {
                replace = named;
                by = itemName();
            }
            break;
        case 3:
            if (selectedCount == 0 && countFlaggedInMarquee() == 0)
                by = itemName();
            else
                by = selectionNames() + " " + marqueeNameList(force);
            break;
        default:
            replace = false;
            break;
        }
        if (replace) replaceAll(text, "SYNDICATION", by);
    }

    if (console.verbose == 0) appendConsoleLine("-> " + text);

    CliObject command;
    command.commandString = text;
    splitTokens(text, ' ');
    command.action = tokens[0];

    const bool oneWord = tokenCount == 1;
    if (!oneWord) {
        command = parseNamedArguments(std::move(command));
        splitTokens(command.commandString, ' ');
        std::string arguments;
        for (int32_t i = 1; i < tokenCount; ++i) {
            arguments += tokens[i];
            arguments += ' ';
        }
        command.arguments = arguments;
        command = resolveItemNames(std::move(command));
        command = trimArguments(std::move(command));
        if (command.mode == -1) command.mode = 1;
        if (command.start == -1 && command.end > -1) command.start = command.end;
        command.arguments = std::move(arguments);
        command.commandString = text;
        dumpCliObject(command);
    }

    // A failure must never print the message of an earlier one.
    console.pendingError.clear();
    const uint8_t outerKept = lastCommandKept;
    lastCommandKept = 0;
    const int32_t result = dispatchCommand(std::move(command));
    const bool verbKeptLastCommand = lastCommandKept != 0;
    lastCommandKept = outerKept;

    if (result != 0) {
        console.errorCount += 1;
        console.highlight = 1;
        const std::string message = console.pendingError;
        appendConsoleLine(message);
        if (message.empty() || message[0] != '\n') {
            for (char c : message)
                if (c == '\n') appendConsoleLine(" ");
        }
        console.lastError = message;
        console.pendingError.clear();
        console.highlight = 0;
    } else {
        console.lastError.clear();
    }
    if (!verbKeptLastCommand) {
        if (oneWord)
            lastCommand = text;
        else
            lastCommand.clear();
    }
    if (result != 0) return 1;
    commitModelChange();
    return 0;
}
