// Syndication selectors: the words that address one pressed item under the syndication mode
// (0 the item, 1 the marquee, 2 the selection list, 3 both) when its command line is built.
#include "app/qx_gui.h"

bool QX_GUI::isNameInMarqueeList(std::string name) {
    for (int32_t i = 0; i < std::min(selectedCount, 255); ++i)
        if (selectedNames[i] == name) return true;
    return false;
}

std::string QX_GUI::chooseSyndicationMode(std::string name, int32_t kind, int32_t index,
                                          uint8_t force) {
    switch (syndicationMode) {
    case 1:
        return isItemInMarquee(kind, index, force) ? "MARQUEE" : name;
    case 2:
        return isNameInMarqueeList(name) ? "SYNDICATION" : name;
    case 3: {
        std::string word;
        if (isNameInMarqueeList(name)) word = "SYNDICATION";
        if (isItemInMarquee(kind, index, force)) word += "MARQUEE";
        return word.empty() ? name : word;
    }
    default:
        return name;
    }
}

// The selection list's names of one kind, each followed by a space.
std::string QX_GUI::marqueeListNamesOfKind(int32_t kind) {
    std::string names;
    for (int32_t i = 0; i < std::min(selectedCount, 255); ++i)
        if (findItemKindByName(selectedNames[i]) == kind) names += selectedNames[i] + " ";
    return names;
}

std::string QX_GUI::markedNamesOfKind(int32_t kind, uint8_t force) {
    if (kind == kKindSource) return markedSourceNames(force);
    if (kind == kKindTarget) return markedTargetNames(force);
    if (kind == kKindGroup) return markedGroupNames(force);
    return "";
}

std::string QX_GUI::selectSyndicationFromType(std::string name, int32_t kind, int32_t index,
                                              uint8_t force) {
    switch (syndicationMode) {
    case 1:
        appendConsoleLine("SELECT SYNDICATION FROM TYPE -> MARQUEE");
        return isItemInMarquee(kind, index, force) ? markedNamesOfKind(kind, force) : name;
    case 2:
        if (!isNameInMarqueeList(name)) return name;
        appendConsoleLine("SELECT SYNDICATION FROM TYPE -> SELECTION");
        return marqueeListNamesOfKind(kind);
    case 3: {
        appendConsoleLine("SELECT SYNDICATION FROM TYPE -> MARQUEE AND SELECTION");
        std::string names;
        if (isNameInMarqueeList(name)) names = marqueeListNamesOfKind(kind);
        if (isItemInMarquee(kind, index, force)) names += markedNamesOfKind(kind, force);
        return names.empty() ? name : names;
    }
    default:
        return name;
    }
}
