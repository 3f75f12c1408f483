// SIGTERM, SIGINT and SIGHUP ask a run to end: the handler only sets a flag, which the message
// loop and the headless run look at, so that the run ends as any other (session written,
// instances released). A second of any of them ends the process at once; one that the parent
// set to be ignored stays ignored.
#pragma once

#include <string>

namespace qxhost {

// Installs the handlers (once per process); clears an earlier request.
void installStopSignals();
// True once one of the signals arrived.
bool stopRequested();
// The console line that says which signal ended the run.
std::string stopText();

} // namespace qxhost
