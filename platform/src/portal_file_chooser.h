// The file chooser of the desktop portal (org.freedesktop.portal.FileChooser on the session
// bus), asked while the interface stays alive.
#pragma once

#include <string>

#include "qxplatform/desktop_dialogs.h"

namespace qxplatform {

enum class PortalAnswer {
    Unavailable, // no session bus, no portal on it, or the portal refused the request
    Cancelled,   // the person closed the chooser, or the portal went away meanwhile
    Chosen,
};

// Asks the portal for a chooser that stays with the X window `owner` (0: none); on Chosen,
// `path` holds the chosen host path.
PortalAnswer askPortalFileChooser(const desktop::FileRequest& request, unsigned long owner,
                                  std::string& path);

} // namespace qxplatform
