// The window code's calls into the DSP link and the panels, in one place. Until the panels
// are in the build their calls do nothing: panels and presets as constructed, and no backup
// written.
#include "app/qx_gui.h"

void QX_GUI::runDisplayEnumeration() { enumerateDisplays(); }

void QX_GUI::runPatchCheck() { checkPatch(); }

std::string QX_GUI::fontFileFor(const std::string& faceName) { return findFontFile(faceName); }

// initPanelWindows, then bindPanelsToShader.
void QX_GUI::setUpPanels() {}

// initPanelWindows, then initPanelOrder.
void QX_GUI::orderPanels() {}

// The preset table from readEqPresetFile.
void QX_GUI::readEqPresets(const std::string&) {}

void QX_GUI::setUpSpectrumTables() { initSpectrumTables(); }
