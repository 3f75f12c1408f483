// Publishing the configuration block on pin 2.
#include "app/qx_gui.h"
#include "dsp_link/configuration_codec.h"

void QX_GUI::communicateConfiguration() {
    if (localId != 0) return;
    appendConsoleLine("COMMUNICATE CONFIGURATION");
    std::vector<uint8_t> bytes = configuration_codec::encode(configuration);
    pinConfiguration.setValue(bytes.data(), static_cast<int32_t>(bytes.size()));
}
