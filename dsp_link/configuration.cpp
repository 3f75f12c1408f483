// Publishing the configuration block on pin 2.
#include "app/qx_gui.h"
#include "dsp_link/configuration_codec.h"

void QX_GUI::communicateConfiguration() {
    if (localId != 0) return;
    appendConsoleLine("COMMUNICATE CONFIGURATION");
    std::vector<uint8_t> bytes = configuration_codec::encode(configuration);
    pinConfiguration.setValue(bytes.data(), static_cast<int32_t>(bytes.size()));
}

// BLOB2PATCH: the last mouse position rides in the spare last display entry, and the block goes
// out from any instance, so the DSP side's view of the configuration can be checked by hand.
int32_t QX_GUI::testConfigurationToPatch(CliObject) {
    appendConsoleLine("TESTING CONFIGURATION TO PATCH ...");
    DisplayRecord& spare = configuration.displays[ConfigurationBlock::kDisplays - 1];
    spare.left = interaction.pointerPixelX;
    spare.top = interaction.pointerPixelY;
    std::vector<uint8_t> bytes = configuration_codec::encode(configuration);
    pinConfiguration.setValue(bytes.data(), static_cast<int32_t>(bytes.size()));
    return 0;
}
