// libFuzzer target: every input is one value handed to one pin of a long-lived object, which
// then draws a frame of every page with every panel shown. A refused draw stops the run.
#include <cstdio>
#include <cstdlib>

#include "page_drawing_fuzzing.h"
#include "pin_input_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QX_GUI* gui = [] {
        auto* made = new QX_GUI;
        showEveryPanel(*made);
        return made;
    }();
    feedPin(*gui, data, size);
    const std::vector<std::string> refused = drawEveryPage(*gui);
    if (refused.empty()) return 0;
    std::fprintf(stderr, "REFUSED DRAW: %s\n", refused.front().c_str());
    std::abort();
}
