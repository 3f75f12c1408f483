// The drift's share of the slices: member sources move from their start values towards the
// slice's values by the drift parameter t.
#include "app/qx_gui.h"

// The slice records carry no members until the slices are built; nothing moves until then.
void QX_GUI::applySliceDrift(float) {}
