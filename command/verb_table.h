// The rows of the verb dispatcher's table.
#pragma once

#include <cstdint>

class QX_GUI;
struct CliObject;

// A verb's handler receives the dispatcher's own copy of the command, which it may take over.
using VerbHandler = int32_t (*)(QX_GUI& gui, CliObject& command);

struct VerbRow {
    const char* verb;
    VerbHandler handler; // null only for UNDO, which the dispatcher handles itself
};

// The table in the order in which verbs are compared.
const VerbRow* verbTableBegin();
const VerbRow* verbTableEnd();
