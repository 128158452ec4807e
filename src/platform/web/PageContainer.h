#pragma once

// What the layout engine asks of its host: fonts (our own faces, by CSS
// family with 宋体 as the fall-back), text measuring and drawing, fills,
// borders, list markers and pictures, drawn on a Surface; word breaks
// between any two CJK characters; style sheets fetched through the
// loader; link clicks and the cursor reported back.
//
// A page's container is used by one thread at a time: the loader's while it
// parses and first lays the page out, then the user-interface thread's.

#include "platform/Types.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/web/PageImage.h"

#include <litehtml.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace plat {
class Surface;
}

namespace plat::web {

// Where a draw call lands: the surface and the part of it that may change.
struct PageCanvas {
    Surface* surface = nullptr;
    Rect clip;
};

class PageContainer final : public litehtml::document_container {
public:
    // Fetches a style sheet's text by absolute address; false when it
    // cannot be had (refused, failed, over a limit).
    using FetchText = std::function<bool(const std::string& url, std::string& text)>;

    PageContainer(std::string documentUrl, Size viewport);
    ~PageContainer();

    void SetFetch(FetchText fetch) { m_fetch = std::move(fetch); }
    void SetViewport(Size viewport) { m_viewport = viewport; }
    const std::string& BaseUrl() const { return m_base; }

    // Absolute addresses of the pictures the page asked for, in order, each once.
    const std::vector<std::string>& ImageRequests() const { return m_imageOrder; }
    void AddImage(const std::string& url, std::shared_ptr<const PageImage> image);

    // What a click asked to open (absolute, or as written when it cannot be
    // resolved), taken once; and whether the pointer is over a link.
    std::string TakeClickedLink() { return std::exchange(m_clicked, {}); }
    bool PointerOverLink() const { return m_pointer; }

    static std::uintptr_t Handle(PageCanvas& canvas) { return reinterpret_cast<std::uintptr_t>(&canvas); }

    // litehtml::document_container
    litehtml::uint_ptr create_font(const char* faceName, int size, int weight, litehtml::font_style italic,
        unsigned int decoration, litehtml::font_metrics* fm) override;
    void delete_font(litehtml::uint_ptr font) override;
    int text_width(const char* text, litehtml::uint_ptr font) override;
    void draw_text(litehtml::uint_ptr hdc, const char* text, litehtml::uint_ptr font, litehtml::web_color color,
        const litehtml::position& pos) override;
    int pt_to_px(int pt) const override;
    int get_default_font_size() const override;
    const char* get_default_font_name() const override;
    void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
    void load_image(const char* src, const char* baseurl, bool redrawOnReady) override;
    void get_image_size(const char* src, const char* baseurl, litehtml::size& size) override;
    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders, const litehtml::position& drawPos,
        bool root) override;
    void set_caption(const char* caption) override;
    void set_base_url(const char* baseUrl) override;
    void link(const std::shared_ptr<litehtml::document>& doc, const litehtml::element::ptr& el) override;
    void on_anchor_click(const char* url, const litehtml::element::ptr& el) override;
    void set_cursor(const char* cursor) override;
    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override;
    void import_css(litehtml::tstring& text, const litehtml::tstring& url, litehtml::tstring& baseurl) override;
    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses& radius, bool validX,
        bool validY) override;
    void del_clip() override;
    void get_client_rect(litehtml::position& client) const override;
    std::shared_ptr<litehtml::element> create_element(const char* tagName, const litehtml::string_map& attributes,
        const std::shared_ptr<litehtml::document>& doc) override;
    void get_media_features(litehtml::media_features& media) const override;
    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override;
    void split_text(const char* text, const std::function<void(const char*)>& onWord,
        const std::function<void(const char*)>& onSpace) override;

private:
    struct PageFont {
        Font font;
        TextMetrics metrics;
    };

    std::string Resolve(const char* src, const char* baseurl) const;
    const PageImage* FindImage(const std::string& url) const;
    // The canvas's clip narrowed by the clips the page has set.
    Rect ClipOf(const PageCanvas& canvas) const;
    void Fill(PageCanvas& canvas, const Rect& rect, const litehtml::web_color& color) const;
    void DrawBackgroundImage(PageCanvas& canvas, const PageImage& image, const litehtml::background_paint& bg) const;

    std::string m_documentUrl;
    std::string m_base;
    Size m_viewport;
    FetchText m_fetch;
    std::set<std::string> m_importedSheets;
    std::vector<std::unique_ptr<PageFont>> m_fonts;
    mutable DeviceContext m_measure; // selects fonts to measure text
    std::vector<std::string> m_imageOrder;
    std::set<std::string> m_imageSet;
    std::map<std::string, std::shared_ptr<const PageImage>> m_images;
    std::vector<Rect> m_clips;
    std::string m_clicked;
    bool m_pointer = false;
};

}
