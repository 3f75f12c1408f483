// The desktop's chooser for a text file, as the patch and macro verbs open it.
#pragma once

#include <string>

enum class TextFileDialog { Open, Save };

// The file the user chose, or an empty name when the dialog was cancelled. Both choosers list
// text files first and add ".txt" to a bare name; saving asks before overwriting.
std::string chooseTextFile(TextFileDialog kind);
