// Until the command executor is linked in, a script line reaching this instance is only echoed.
// The executor's own definition replaces this weak one.
#include "app/qx_gui.h"

__attribute__((weak)) int32_t QX_GUI::executeCommandString(std::string line) {
    appendConsoleLine("-> " + line);
    return 1;
}
