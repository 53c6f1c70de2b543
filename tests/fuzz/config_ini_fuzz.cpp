// Whole settings files: the input is the text of Skyvane.ini, looked up key by key as the
// module's reader asks for its values.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "config_invariants.h"
#include "ini_text.h"

namespace {

void ReadFromIni(void* context, const char* section, const char* key, char* value) {
    fuzz::LookupIni(*static_cast<const fuzz::IniText*>(context), section, key, "0", value,
                    kTextSize);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::IniText ini{reinterpret_cast<const char*>(data), size};
    fuzz::CheckLoadFrom(ReadFromIni, &ini);
    return 0;
}
