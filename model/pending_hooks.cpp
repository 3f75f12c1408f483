// Hooks into parts of the program that do not exist yet; each does nothing until then.
#include "app/qx_gui.h"

// The state sender of the DSP link: sends every part whose send flag is raised.
void QX_GUI::runStateSender() {}

// Invalidates the object's window (InvalidateRect on it) once the platform's windows exist.
void QX_GUI::invalidateWindow() {}

// Starts the 10 ms window timer (SetTimer on the window, id 0) once the platform's windows
// exist, remembering its id and that it runs.
void QX_GUI::startMotionTimer() {}
