// Checks and small readers shared by the stage edit verbs: words that name no item, the
// number of the last word, switch words, and the sources and targets a line names.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "command/command_records.h"

class QX_GUI;

namespace verbs {

// How a verb reads the last word of its line.
enum class LastWord {
    ItemsOnly, // every word must name an item
    Parameter, // the last word is the verb's parameter (a number, a name, a switch word) and
               // never an item, even when an item carries that name
    Optional,  // the last word is an item when it names one, else one of the verb's words
};

// Checks that every argument word names an item, as the verb reads its last word. On a word
// that names nothing, leaves the message ITEM "word" NOT FOUND as the pending error and
// returns false. For Optional, an empty list of words accepts any last word.
bool checkItemWords(QX_GUI& gui, const CliObject& command, LastWord lastWord,
                    const std::vector<const char*>& words = {});

// Drops the reference that the last word made, so a parameter never counts as an item.
void dropLastWordRef(CliObject& command);

// Reads a word that begins with a decimal number ("-6", "0.5", "-6DB", "1E3") or is an
// infinity ("-INF", "INF", as patch files write a level of zero); false for any other word.
bool readNumberWord(const std::string& word, double& value);

bool isOneOf(const std::string& word, const std::vector<const char*>& words);

// The indices of the sources and the targets a line names, in word order, each at most once.
struct SourceTargetLists {
    std::vector<int32_t> sources;
    std::vector<int32_t> targets;
};
SourceTargetLists sortSourcesAndTargets(const CliObject& command);

} // namespace verbs
