// A page's bytes through everything the panel does to them: character set,
// the markup cut at the nesting limit, which the layout engine then parses,
// builds and lays out (its elements nested no deeper than the limit), and
// address resolution; and the same bytes as a picture, decoded and drawn
// scaled into a small surface.

#include "platform/gfx/Surface.h"
#include "platform/web/DefaultStyle.h"
#include "platform/web/PageContainer.h"
#include "platform/web/PageImage.h"
#include "platform/web/PageMarkup.h"
#include "platform/web/PageText.h"
#include "platform/web/WebUrl.h"

#include "ElementDepth.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr int kNesting = 20;

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    plat::web::LoadLimits limits;
    limits.maxNesting = kNesting;
    std::string text = plat::web::DecodePage(bytes, bytes.substr(0, 40));
    std::string markup = plat::web::PageMarkup(text, limits).value();
    {
        plat::web::PageContainer container("http://a.cn/x/y.htm?q", { 64, 32 });
        auto document = litehtml::document::createFromUTF8(markup.c_str(), &container, &plat::web::DefaultStyleContext());
        if (document->root() && ElementDepth(document->root()) > kNesting)
            std::abort();
        document->render(64);
    }
    plat::web::ResolveUrl("http://a.cn/x/y.htm?q", text.substr(0, 200));
    plat::web::PageImage image = plat::web::PageImage::Decode(bytes);
    plat::Surface surface(16, 16);
    image.Draw(surface, { -3, 2, 40, 9 }, surface.Bounds());
    return 0;
}
