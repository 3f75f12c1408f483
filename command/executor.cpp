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

namespace {

// What SYNDICATION stands for in the current syndication mode; false when the word stays.
bool syndicationNames(QX_GUI& gui, uint8_t force, std::string& by) {
    const bool named = gui.touchedKind >= 1 && gui.touchedKind <= 3;
    switch (gui.syndicationMode) {
    case 0:
        by = gui.itemName();
        return named;
    case 1:
        by = gui.countFlaggedInMarquee() > 0 ? gui.marqueeNameList(force) : gui.itemName();
        return true;
    case 2:
        if (gui.selectedCount > 0) {
            by = gui.selectionNames();
            return true;
        }
        by = gui.itemName();
        return named;
    case 3:
        if (gui.selectedCount == 0 && gui.countFlaggedInMarquee() == 0)
            by = gui.itemName();
        else
            by = gui.selectionNames() + " " + gui.marqueeNameList(force);
        return true;
    default:
        return false;
    }
}

// Selector expansion, in a fixed order; text inserted by a step is searched by the later steps.
void expandSelectors(QX_GUI& gui, std::string& text) {
    const uint8_t force = contains(text, "HIDE") ? 1 : 0;
    if (contains(text, "ALL_SOURCES")) replaceAll(text, "ALL_SOURCES", gui.allSourceNames());
    if (contains(text, "ALL_TARGETS")) replaceAll(text, "ALL_TARGETS", gui.allTargetNames());
    if (contains(text, "ALL_GROUPS")) replaceAll(text, "ALL_GROUPS", gui.allGroupNames());
    if (contains(text, "ALL_ROOMS")) replaceAll(text, "ALL_ROOMS", gui.allRoomNames());
    if (contains(text, "SOURCES")) replaceAll(text, "SOURCES", gui.markedSourceNames(force));
    if (contains(text, "TARGETS")) replaceAll(text, "TARGETS", gui.markedTargetNames(force));
    if (contains(text, "GROUPS")) replaceAll(text, "GROUPS", gui.markedGroupNames(force));
    if (contains(text, "SELECTION")) replaceAll(text, "SELECTION", gui.selectionNames());
    if (contains(text, "MARQUEE") && !keepsMarqueeWord(text)) {
        const std::string list = gui.marqueeNameList(force);
        gui.appendConsoleLine("MARQUEE IN STRING");
        replaceAll(text, "MARQUEE", list);
    }
    if (contains(text, "SYNDICATION")) {
        std::string by;
        if (syndicationNames(gui, force, by)) replaceAll(text, "SYNDICATION", by);
    }
}

// The command of an expanded line: its verb, and for a line of more words its named
// arguments, item references and argument text. `oneWord` tells which it was.
CliObject parseCommandLine(QX_GUI& gui, const std::string& text, bool& oneWord) {
    CliObject command;
    command.commandString = text;
    gui.splitTokens(text, ' ');
    command.action = gui.tokens[0];
    oneWord = gui.tokenCount == 1;
    if (oneWord) return command;
    command = gui.parseNamedArguments(std::move(command));
    gui.splitTokens(command.commandString, ' ');
    std::string arguments;
    for (int32_t i = 1; i < gui.tokenCount; ++i) {
        arguments += gui.tokens[i];
        arguments += ' ';
    }
    command.arguments = arguments;
    command = gui.resolveItemNames(std::move(command));
    command = gui.trimArguments(std::move(command));
    if (command.mode == -1) command.mode = 1;
    if (command.start == -1 && command.end > -1) command.start = command.end;
    command.arguments = std::move(arguments);
    command.commandString = text;
    gui.dumpCliObject(command);
    return command;
}

// Prints the pending error, highlighted, with a blank line for each line break in it, and
// keeps it as the last error.
void reportFailure(QX_GUI& gui) {
    ConsoleRing& console = gui.console;
    console.errorCount += 1;
    console.highlight = 1;
    const std::string message = console.pendingError;
    gui.appendConsoleLine(message);
    if (message.empty() || message[0] != '\n') {
        for (char c : message)
            if (c == '\n') gui.appendConsoleLine(" ");
    }
    console.lastError = message;
    console.pendingError.clear();
    console.highlight = 0;
}

} // namespace

int32_t QX_GUI::executeCommandString(std::string text) {
    // An empty or blank line does nothing (it must not re-run the previous verb).
    if (isBlankLine(text)) return 0;
    if (executedLineTap) executedLineTap->push_back(text);

    rawCommandText = text;
    expandSelectors(*this, text);
    if (console.verbose == 0) appendConsoleLine("-> " + text);
    bool oneWord = false;
    CliObject command = parseCommandLine(*this, text, oneWord);

    // A failure must never print the message of an earlier one.
    console.pendingError.clear();
    const uint8_t outerKept = lastCommandKept;
    lastCommandKept = 0;
    const int32_t result = dispatchCommand(std::move(command));
    const bool verbKeptLastCommand = lastCommandKept != 0;
    lastCommandKept = outerKept;

    if (result != 0)
        reportFailure(*this);
    else
        console.lastError.clear();
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
