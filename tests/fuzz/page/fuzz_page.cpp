// A page's bytes through everything the panel does to them before layout:
// character set, nesting limit, address resolution; and the same bytes as
// a picture, decoded and drawn scaled into a small surface.

#include "platform/gfx/Surface.h"
#include "platform/web/PageImage.h"
#include "platform/web/PageText.h"
#include "platform/web/WebUrl.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string text = plat::web::LimitNesting(plat::web::DecodePage(bytes, bytes.substr(0, 40)), 20);
    plat::web::ResolveUrl("http://a.cn/x/y.htm?q", text.substr(0, 200));
    plat::web::PageImage image = plat::web::PageImage::Decode(bytes);
    plat::Surface surface(16, 16);
    image.Draw(surface, { -3, 2, 40, 9 }, surface.Bounds());
    return 0;
}
