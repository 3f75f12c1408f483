// The stage's drag readouts, rooms heat map and processing-pipeline diagram. The STAGE page
// calls each at its place in the frame; they draw nothing yet (the readouts screen fills them).
#include "app/qx_gui.h"

void QX_GUI::drawRoomsHeatmap() {}
void QX_GUI::drawSourceSpreadReadout(int32_t) {}
void QX_GUI::drawMultiHoverReadout(int32_t) {}
void QX_GUI::drawSourceHoverReadout(int32_t) {}
void QX_GUI::drawSourceGroupHoverReadout(int32_t) {}
void QX_GUI::drawRoomHoverReadout(int32_t) {}
void QX_GUI::drawTargetHoverReadout(int32_t) {}
void QX_GUI::drawMixHoverReadout(int32_t) {}
void QX_GUI::drawProcessingPipeline() {}
