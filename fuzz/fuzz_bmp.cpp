// Feeds arbitrary bytes to the Windows bitmap logo decoder.
#include "LogoFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzLogoDecoder(DecodeBmp, data, size);
}
