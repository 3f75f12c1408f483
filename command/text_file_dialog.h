// The desktop's chooser for a text file, as the patch and macro verbs open it.
#pragma once

#include <string>

enum class TextFileDialog { Open, Save };

enum class TextFileOutcome {
    Chosen,
    Cancelled,
    PathTooLong, // the chosen path does not fit the chooser's buffer
    NameNotUtf8, // the chosen name is not UTF-8, so it cannot be kept unchanged
};

struct TextFileChoice {
    TextFileOutcome outcome = TextFileOutcome::Cancelled;
    std::string name; // set when chosen
};

// The file the user chose, or why there is none. Both choosers list text files first and add
// ".txt" to a bare name; saving asks before overwriting.
TextFileChoice chooseTextFile(TextFileDialog kind);
