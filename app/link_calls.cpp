// The window code's calls into the DSP link and the panels, in one place. Until those parts
// are in the build they do nothing: no display list (the configuration block's defaults
// stand), no patch check, no font file (the font loader reports it and the block font works),
// panels, presets and spectrum tables as constructed.
#include "app/qx_gui.h"

void QX_GUI::runDisplayEnumeration() {}

void QX_GUI::runPatchCheck() {}

std::string QX_GUI::fontFileFor(const std::string&) {
    return std::string();
}

// initPanelWindows, then bindPanelsToShader.
void QX_GUI::setUpPanels() {}

// initPanelWindows, then initPanelOrder.
void QX_GUI::orderPanels() {}

// The preset table from readEqPresetFile.
void QX_GUI::readEqPresets(const std::string&) {}

// initSpectrumTables.
void QX_GUI::setUpSpectrumTables() {}
