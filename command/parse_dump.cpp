// The parse dump that long-winded mode prints after the argument passes, and the banner.
#include <cstdio>

#include "app/qx_gui.h"

namespace {

std::string format(const char* pattern, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string format(const char* pattern, int32_t value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

// Entries as "1,2,3": every entry but the last followed by a comma, no blanks.
std::string joinNumbers(const NumberList& numbers) {
    std::string text;
    for (int32_t i = 0; i < numbers.count(); ++i) {
        if (i > 0) text += ',';
        text += format("%i", numbers[i]);
    }
    return text;
}

} // namespace

void QX_GUI::dumpItemRef(const ItemRef& ref) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "    -> TYPE [%i] INDEX [%i] RANK[%i]", ref.type,
                  ref.index, ref.rank);
    setStatusMessage(std::string(buffer) + " STRING [" + ref.name + "]");
}

void QX_GUI::dumpCliObject(const CliObject& command) {
    if (console.verbose != 1) return;
    appendConsoleLine("");
    appendConsoleLine("CLI OBJECT >");
    appendConsoleLine("    > COMMAND STRING > " + command.commandString);
    appendConsoleLine("    > ACTION > " + command.action);
    appendConsoleLine("    > ARGUMENTS > " + command.arguments);
    appendConsoleLine("    > MODE > " + format("%i", command.mode));
    appendConsoleLine("    > START > " + format("%i", command.start));
    appendConsoleLine(format("    > NUM STARTS > %i", command.starts.count()));
    appendConsoleLine("    > STARTS > " + joinNumbers(command.starts));
    appendConsoleLine("    > END > " + format("%i", command.end));
    appendConsoleLine(format("    > NUM ENDS > %i", command.ends.count()));
    appendConsoleLine("    > ENDS > " + joinNumbers(command.ends));
    appendConsoleLine("    > VALUE > " + format("%f", static_cast<double>(command.value)));
    appendConsoleLine("    > STRING > " + command.string);
    appendConsoleLine(format("    > VARS BY REF > %i", command.refCount()));
    for (const ItemRef& ref : command.refs) dumpItemRef(ref);
    appendConsoleLine("");
}

void QX_GUI::printBanner() {
    clearConsole();
    appendConsoleLine("VELTRAMONDIS 05/12/22");
    appendConsoleLine("COMMAND LINE");
    appendConsoleLine("");
}
