// libFuzzer target: the session file's reader. An input whose first byte is odd is a body that
// gets a correct head line (so the fuzzer gets past the checksum into the instances); any other
// input is a whole file as it stands. Whatever the reader accepts holds only the module's state
// pins and must write back unchanged.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "dsp_link/state_pins.h"
#include "qxhost/session_file.h"

namespace {

std::vector<uint8_t> withHeadLine(const uint8_t* data, size_t size) {
    const unsigned instances = size > 1 ? data[1] % 6 : 0;
    const uint8_t* body = data + (size > 1 ? 2 : size);
    const size_t bodySize = size > 1 ? size - 2 : 0;
    char head[96];
    std::snprintf(head, sizeof head, "QXHOST SESSION 1 %u %zu %08x\n", instances, bodySize,
                  qxhost::crc32Of(body, bodySize));
    std::vector<uint8_t> file(head, head + std::char_traits<char>::length(head));
    file.insert(file.end(), body, body + bodySize);
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> file = size > 0 && (data[0] & 1) ? withHeadLine(data, size)
                                                          : std::vector<uint8_t>(data, data + size);
    const qxhost::SessionReadResult result = qxhost::readSession(file.data(), file.size(), 4);
    if (result.status != qxhost::SessionReadResult::Status::Ok) {
        if (result.message.empty()) std::abort();
        return 0;
    }
    for (const qxhost::SessionInstance& instance : result.instances)
        for (const qxhost::SessionPinValue& pin : instance)
            if (!isStatePin(pin.pinId)) std::abort();
    const std::vector<uint8_t> again = qxhost::writeSession(result.instances);
    if (again != file) std::abort();
    return 0;
}
