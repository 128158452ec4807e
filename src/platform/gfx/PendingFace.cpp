#include "platform/gfx/PendingFace.h"

#include "platform/gfx/FontLock.h"

#include <algorithm>
#include <future>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

namespace plat {

namespace {

// Every call waits for the lookup and forwards to the face it found.
class PendingFace final : public FontFace {
public:
    PendingFace(std::shared_future<std::shared_ptr<FontFace>> result, int pixelSize)
        : m_result(std::move(result))
        , m_pixelSize(pixelSize)
    {
        m_missing.advance = std::max(1, pixelSize / 2);
    }

    const std::string& Family() const override { return Face() ? Face()->Family() : m_noFamily; }
    int PixelSize() const override { return m_pixelSize; }
    const FaceMetrics& Metrics() const override { return Face() ? Face()->Metrics() : m_noMetrics; }
    const Glyph& GlyphFor(char32_t codePoint) override { return Face() ? Face()->GlyphFor(codePoint) : m_missing; }

private:
    FontFace* Face() const { return m_result.get().get(); }

    std::shared_future<std::shared_ptr<FontFace>> m_result;
    int m_pixelSize;
    std::string m_noFamily;
    FaceMetrics m_noMetrics;
    Glyph m_missing;
};

}

std::shared_ptr<FontFace> StartFontLookUp(std::function<std::shared_ptr<FontFace>()> lookUp, int pixelSize)
{
    std::promise<std::shared_ptr<FontFace>> promise;
    std::shared_future<std::shared_ptr<FontFace>> result = promise.get_future().share();
    try {
        std::thread([promise = std::move(promise), lookUp = std::move(lookUp)]() mutable {
            std::lock_guard lock(FontMutex());
            try {
                promise.set_value(lookUp());
            } catch (const std::bad_alloc&) {
                promise.set_value(nullptr);
            }
        }).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    return std::make_shared<PendingFace>(std::move(result), pixelSize);
}

}
