// The patch checker: the processing blobs on the pins must hold one record per source or
// target; any that does not is sent again, and a failed check is retried two ticks later.
#include "app/qx_gui.h"
#include "dsp_link/blob_layouts.h"

void QX_GUI::checkPatch() {
    setStatusMessage("----- PATCH CHECKER ---------------------------------------");
    struct Check {
        MpGuiPin<MpBlob>* pin;
        int32_t recordSize;
        int32_t expected;
        const char* message;
        void (QX_GUI::*resend)();
    };
    const Check checks[] = {
        {&pinInputDelays, blob_layout::kDelaySize, sourceCount + 1,
         "----- NUM INPUT DELAYS DOES NOT MATCH NUM SOURCES", &QX_GUI::sendInputDelaysBlob},
        {&pinOutputDelays, blob_layout::kDelaySize, targetCount + 1,
         "----- NUM OUTPUT DELAYS DOES NOT MATCH NUM TARGETS", &QX_GUI::sendOutputDelaysBlob},
        {&pinInputEq, blob_layout::kFilterSize, sourceCount,
         "----- NUM INPUT EQ DOES NOT MATCH NUM SOURCES", &QX_GUI::sendInputEqBlob},
        {&pinOutputEq, blob_layout::kFilterSize, targetCount,
         "----- NUM OUTPUT EQ DOES NOT MATCH NUM TARGETS", &QX_GUI::sendOutputEqBlob},
        {&pinInputDynamics, blob_layout::kDynamicsSize, sourceCount,
         "----- NUM INPUT DYNAMICS DOES NOT MATCH NUM SOURCES", &QX_GUI::sendInputDynamicsBlob},
        {&pinOutputDynamics, blob_layout::kDynamicsSize, targetCount,
         "----- NUM OUTPUT DYNAMICS DOES NOT MATCH NUM TARGETS", &QX_GUI::sendOutputDynamicsBlob},
    };
    bool failed = false;
    for (const Check& check : checks) {
        if (check.pin->getSize() / check.recordSize == check.expected) continue;
        setStatusMessage(check.message);
        (this->*check.resend)();
        failed = true;
    }
    if (failed) {
        setStatusMessage("----- PATCH FAILED VERIFICATION - TRIGGER RETRY -----------");
        patchCheckPending = 1;
        patchCheckCountdown = 2;
        return;
    }
    setStatusMessage("----- PATCH CHECKS COMPLETE :) ----------------------------");
    computeGainMatrix();
}

// The timer's share: counts a pending retry down and runs the check when it runs out.
void QX_GUI::advancePatchRetry() {
    if (patchCheckPending != 1) return;
    if (--patchCheckCountdown > 0) return;
    patchCheckPending = 0;
    checkPatch();
}
