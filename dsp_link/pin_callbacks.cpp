// Callbacks of the pins that carry nothing the interface reads.
#include "app/qx_gui.h"
#include "dsp_link/byte_order.h"

void QX_GUI::onPin0() {}
void QX_GUI::onOutgoingScriptPin() {}
void QX_GUI::onPin6() {}
void QX_GUI::onPin20() {}
void QX_GUI::onPin33() {}
void QX_GUI::onPin34() {}
void QX_GUI::onPin35() {}
void QX_GUI::onPin36() {}
void QX_GUI::onPin40() {}
void QX_GUI::onPin41() {}
void QX_GUI::onPin42() {}
void QX_GUI::onPin43() {}
void QX_GUI::onPin44() {}
void QX_GUI::onPin45() {}
void QX_GUI::onPin52() {}
void QX_GUI::onPin60() {}
void QX_GUI::onPin65() {}

// The gain matrix travels only outward; a value handed in is read and ignored.
void QX_GUI::onGainMatrixPin() {
    BlobReader blob(pinGainMatrix.getData(), pinGainMatrix.getSize());
    (void)blob;
}
