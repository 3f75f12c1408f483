// The automatic backup: the patch writer's file with the backup flag set.
#include "app/qx_gui.h"

// writePatchFile (path, backup flag 1).
void QX_GUI::writeBackupFile(const std::string&) {}
