#include "dsp_link/selection_lists.h"

namespace selection_lists {

int32_t nameCount(const std::string (&names)[kNames]) {
    int32_t n = 0;
    while (n < kNames && !names[n].empty()) ++n;
    return n;
}

std::string joinNames(const std::string (&names)[kNames]) {
    std::string text;
    for (int32_t i = 0; i < nameCount(names); ++i) text += names[i] + " ";
    if (text.size() > kTextLength) text.resize(kTextLength);
    return text;
}

} // namespace selection_lists
