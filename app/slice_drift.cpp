// The drift's share of the slices: member sources move from their start values towards the
// slice's values by the drift parameter t.
#include "app/qx_gui.h"

void QX_GUI::applySliceDrift(float t) {
    moveSliceMembers(t);
}
