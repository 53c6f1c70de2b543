// The value texts of the settings file, fuzzed directly: the input is cut at newlines into the
// texts handed out in read order. A text of 260 characters or more fills the whole buffer with
// no terminator, as the platform does when a value is too long.
#include <cstddef>
#include <cstdint>

#include "config_invariants.h"

namespace {

struct ValueStream {
    const uint8_t* data;
    size_t size;
    size_t next;
};

void ReadNextText(void* context, const char*, const char*, char* value) {
    ValueStream& in = *static_cast<ValueStream*>(context);
    size_t start = in.next;
    size_t end = start;
    while (end < in.size && in.data[end] != '\n') {
        ++end;
    }
    in.next = end < in.size ? end + 1 : end;
    size_t length = end - start;
    if (length >= kTextSize) {
        std::memcpy(value, in.data + start, kTextSize);
        return;
    }
    if (start >= in.size) {
        std::memcpy(value, "0", 2); // past the input: a missing key
        return;
    }
    std::memcpy(value, in.data + start, length);
    value[length] = '\0';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ValueStream in{data, size, 0};
    fuzz::CheckLoadFrom(ReadNextText, &in);
    return 0;
}
