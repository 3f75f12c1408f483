// libFuzzer target: every input is one value handed to one pin of a long-lived object.
#include <memory>

#include "pin_input_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QX_GUI* gui = new QX_GUI;
    feedPin(*gui, data, size);
    return 0;
}
