// One picture decoder, named by LV_FUZZ_DECODER when built, on any bytes:
// it fails with a reason and no pixels, or gives exactly width x height
// pixels within the panel's limit. Anything else aborts.

#include "platform/picture/PictureDecoders.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr long long kMaxPixels = 2048LL * 2048;
    plat::DecodedPicture picture;
    std::string error;
    const bool decoded = LV_FUZZ_DECODER({ data, size }, kMaxPixels, picture, error);
    const long long pixels = static_cast<long long>(picture.width) * picture.height;
    const bool sound = decoded
        ? picture.width > 0 && picture.height > 0 && pixels <= kMaxPixels
            && picture.argb.size() == static_cast<std::size_t>(pixels)
        : picture.width == 0 && picture.height == 0 && picture.argb.empty() && !error.empty();
    if (!sound)
        std::abort();
    return 0;
}
