// libFuzzer entry: any bytes as an EDID. Parsing never reads outside the
// bytes, and what it accepts keeps the fields' promises: a three-letter
// maker or none, short printable texts, a mode within 12 bits.

#include "platform/display/Edid.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    plat::EdidInfo info;
    if (plat::ParseEdid({ data, size }, &info) != plat::EdidResult::Ok)
        return 0;
    bool makerOk = info.maker.empty() || info.maker.size() == 3;
    for (char c : info.maker)
        makerOk = makerOk && c >= 'A' && c <= 'Z';
    bool textOk = info.name.size() <= 13 && info.serialText.size() <= 13;
    for (char c : info.name + info.serialText)
        textOk = textOk && c >= 0x20 && c < 0x7F;
    if (!makerOk || !textOk || size < 128 || info.preferredWidth > 4095 || info.preferredHeight > 4095)
        std::abort();
    return 0;
}
