// Full-screen requests that arrive on pins (the configuration block asks for the own display,
// pin 37 asks to leave). The window code carries them out once it offers the switch.
#include "app/qx_gui.h"

void QX_GUI::enterOwnFullScreen() {}

void QX_GUI::leaveOwnFullScreen() {}
