// Hooks into parts of the program that do not exist yet; each does nothing until then.
#include "app/qx_gui.h"

// The state sender of the DSP link: sends every part whose send flag is raised.
void QX_GUI::runStateSender() {}
