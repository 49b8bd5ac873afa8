// Feeds arbitrary bytes to the GIF logo decoder.
#include "LogoFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzLogoDecoder(DecodeGif, data, size);
}
