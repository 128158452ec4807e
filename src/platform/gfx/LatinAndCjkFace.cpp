#include "platform/gfx/LatinAndCjkFace.h"

#include <utility>

namespace plat {

namespace {

constexpr char32_t kFirstCjk = 0x2E80;

class LatinAndCjkFace final : public FontFace {
public:
    LatinAndCjkFace(std::shared_ptr<FontFace> latin, std::shared_ptr<FontFace> cjk)
        : m_latin(std::move(latin))
        , m_cjk(std::move(cjk))
    {
    }

    const std::string& Family() const override { return m_cjk->Family(); }
    int PixelSize() const override { return m_cjk->PixelSize(); }
    const FaceMetrics& Metrics() const override { return m_cjk->Metrics(); }
    const Glyph& GlyphFor(char32_t codePoint) override
    {
        return codePoint < kFirstCjk ? m_latin->GlyphFor(codePoint) : m_cjk->GlyphFor(codePoint);
    }

private:
    std::shared_ptr<FontFace> m_latin;
    std::shared_ptr<FontFace> m_cjk;
};

}

std::shared_ptr<FontFace> CombineLatinAndCjk(std::shared_ptr<FontFace> latin, std::shared_ptr<FontFace> cjk)
{
    return std::make_shared<LatinAndCjkFace>(std::move(latin), std::move(cjk));
}

}
