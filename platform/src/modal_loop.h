// The loop that keeps the interface alive while a dialog of another process is open, as under a
// modal dialog: paints, timers and posted messages are dispatched, mouse and key input to the
// windows and requests to close them are dropped.
#pragma once

namespace qxplatform {

// Waits up to waitMs for X input, a due timer or the descriptor fd (ignored when negative) to
// become readable, then dispatches what is due. True when a mouse button was pressed on one of
// the windows meanwhile (the press is dropped; the dialog is raised for it).
bool pumpWhileModal(int fd, int waitMs);

// Tells the windows to cancel their modes (drags) before a box or a dialog takes the input.
void cancelModesForModal();

// True once PostQuitMessage was called and its WM_QUIT is not taken yet: an open dialog ends.
bool quitPending();

// True when one of the layer's windows is shown on an X display: only then do dialogs and
// message boxes open on the desktop.
bool hasShownWindow();

} // namespace qxplatform
