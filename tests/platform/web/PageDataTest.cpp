// What the panel makes of a page's parts before it draws them: addresses,
// character sets, the markup and its nesting, pictures and word breaks.

#include "TestImages.h"

#include "platform/web/ListMarkerText.h"
#include "platform/web/PageContainer.h"
#include "platform/web/PageImage.h"
#include "platform/web/PageMarkup.h"
#include "platform/web/PageText.h"
#include "platform/web/WebUrl.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace plat::web;
using namespace webtest;

TEST(WebUrl, ResolvesReferencesAgainstTheBase)
{
    struct Case {
        const char* base;
        const char* reference;
        const char* expected;
    };
    const Case cases[] = {
        { "http://a.cn/x/y.htm", "z.png", "http://a.cn/x/z.png" },
        { "http://a.cn/x/y.htm", "../img/p.png", "http://a.cn/img/p.png" },
        { "http://a.cn/x/y.htm", "../../../p.png", "http://a.cn/p.png" },
        { "http://a.cn/x/y.htm", "./z/./w/../v", "http://a.cn/x/z/v" },
        { "http://a.cn/x/y.htm", "/s.css", "http://a.cn/s.css" },
        { "http://a.cn/x/y.htm", "//cdn.cn/s.css", "http://cdn.cn/s.css" },
        { "https://a.cn:8443/x/y.htm?q=1", "?q=2", "https://a.cn:8443/x/y.htm?q=2" },
        { "http://a.cn/x/y.htm?q=1", "#top", "http://a.cn/x/y.htm?q=1" },
        { "http://a.cn", "p.png", "http://a.cn/p.png" },
        { "http://a.cn/x/", "HTTPS://B.cn/r#f", "https://B.cn/r" },
        { "http://a.cn/x/", " mailto:me@a.cn ", "mailto:me@a.cn" },
        { "http://a.cn/x/", "", "http://a.cn/x/" },
        { "about:blank", "p.png", "" },
        { "", "p.png", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveUrl(c.base, c.reference), c.expected) << c.base << " + " << c.reference;

    EXPECT_TRUE(IsWebUrl("http://127.0.0.1:8080/"));
    EXPECT_TRUE(IsWebUrl("HTTPS://a.cn"));
    for (const char* refused : { "about:blank", "file:///etc/passwd", "ftp://a.cn/", "javascript:alert(1)", "http://",
             "http:a.cn", "", "a.cn/index.htm" })
        EXPECT_FALSE(IsWebUrl(refused)) << refused;
}

TEST(PageText, CharsetComesFromTheHeaderThenTheMetaThenCodePage936)
{
    EXPECT_EQ(CharsetFromContentType("text/html; charset=UTF-8"), "utf-8");
    EXPECT_EQ(CharsetFromContentType("text/html;charset=\"GBK\""), "gbk");
    EXPECT_EQ(CharsetFromContentType("text/html"), "");
    EXPECT_EQ(CharsetFromMeta("<html><head><META CHARSET='utf-8'>"), "utf-8");
    EXPECT_EQ(CharsetFromMeta("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"), "gb2312");
    EXPECT_EQ(CharsetFromMeta(std::string(3000, ' ') + "<meta charset=utf-8>"), "") << "only the page's start";

    const std::string gbk = "\xD6\xD0\xCE\xC4"; // 中文 in code page 936
    EXPECT_EQ(DecodePage(gbk, ""), "中文");
    EXPECT_EQ(DecodePage("<meta charset=\"gbk\">" + gbk, ""), "<meta charset=\"gbk\">中文");
    EXPECT_EQ(DecodePage("<meta charset=\"gbk\">中文", "text/html; charset=utf-8"), "<meta charset=\"gbk\">中文")
        << "the header wins over the page";
    EXPECT_EQ(DecodePage("caf\xE9", "text/html; charset=iso-8859-1"), "café");
    EXPECT_EQ(DecodePage("a\xFF"
                         "b",
                  "text/html; charset=utf-8"),
        "a\xEF\xBF\xBD"
        "b");
    EXPECT_EQ(DecodePage("中文", "text/html; charset=big5"), "中文") << "unknown charset, valid UTF-8";
}

TEST(PageMarkup, NestingIsCutOnTheParsedTree)
{
    LoadLimits limits;
    limits.maxNesting = 4; // html, body and two levels
    const std::string open = "<html><head></head><body>", close = "</body></html>";
    struct Case {
        std::string page;
        std::string markup;
    };
    const Case cases[] = {
        // The parser reads <span/> as <span>, closes nothing at a stray end
        // tag and ends a comment written <!--> at once: all three nest.
        { "<span/><span/><span/>x", open + "<span><span></span></span>" + close },
        { "<div></span><div></span><div>x", open + "<div><div></div></div>" + close },
        { "<!--><div><div><div>x", open + "<div><div></div></div>" + close },
        // Void elements, implied ends and script text do not; text and
        // attributes are escaped, the doctype and raw text kept as they were.
        { "<p>a<br><img src=\"a&amp;b\" alt=&quot;><p>b<li>c<li>d<script>if (a<b) \"<div>\"</script>",
            open + "<p>a<br><img src=\"a&amp;b\" alt=\"&quot;\"></p><p>b</p><li>c</li><li>d<script>if (a<b) \"<div>\"</script></li>"
                + close },
        { "<!DOCTYPE html><title>&lt;t&gt;</title><style>p>b{}</style><pre>\n\nx</pre><table><td>1</table>",
            "<!DOCTYPE html><html><head><title>&lt;t&gt;</title><style>p>b{}</style></head><body><pre>\n\nx</pre>"
            "<table><tbody></tbody></table>"
                + close },
        // Misnested formatting: the tree the parser made, not the text's.
        { "<i>a<div>b</i>c</div>", open + "<i>a</i><div><i>b</i>c</div>" + close },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PageMarkup(c.page, limits), c.markup) << c.page;

    // Nesting the parser needs seconds for: only the page's first part is
    // parsed, cut as the whole would be. So is a page over the memory budget.
    std::string deep = "<p>top</p>";
    for (int i = 0; i < 100000; ++i)
        deep += "<div>";
    limits.maxNesting = 200;
    std::string cut = open + "<p>top</p>";
    for (int i = 0; i < 197; ++i)
        cut += "<div>";
    cut += "<div></div>";
    for (int i = 0; i < 197; ++i)
        cut += "</div>";
    EXPECT_EQ(PageMarkup(deep, limits), cut + close);
    limits.maxParseMemory = 256 * 1024;
    limits.fallbackParsedBytes = 12;
    std::string many = "<p>first</p>";
    for (int i = 0; i < 20000; ++i)
        many += "<p>more</p>";
    EXPECT_EQ(PageMarkup(many, limits), open + "<p>first</p>" + close);

    // Formatting elements reopened in every paragraph: the markup stays
    // within twice the text parsed, and the end tags of what is open.
    LoadLimits small;
    small.maxParsedBytes = 300;
    std::string reopened = "<p><b><i><u></p>";
    for (int i = 0; i < 30; ++i)
        reopened += "<p>x</p>";
    EXPECT_LE(PageMarkup(reopened, small)->size(), 600u + 40u);

    std::atomic<bool> cancel { true };
    EXPECT_EQ(PageMarkup("<p>x</p>", limits, &cancel), std::nullopt);
}

TEST(PageImage, DecodesEachFormatAndRefusesDamageAndHugeDeclarations)
{
    for (ImageFormat format : { ImageFormat::Png, ImageFormat::Jpeg, ImageFormat::Bmp }) {
        PageImage image = PageImage::Decode(SolidImage(format, 8, 4, 0x0000FF));
        ASSERT_EQ(image.Width(), 8);
        ASSERT_EQ(image.Height(), 4);
        std::uint32_t p = image.Pixels()[2 * 8 + 4];
        EXPECT_EQ(p >> 24, 0xFFu);
        EXPECT_LT((p >> 16) & 0xFF, 8u);
        EXPECT_GT(p & 0xFF, 0xF0u);
    }
    PageImage gif = PageImage::Decode(RedGif());
    ASSERT_EQ(gif.Width(), 1);
    EXPECT_EQ(gif.Pixels()[0], 0xFFFF0000u);

    std::string png = SolidImage(ImageFormat::Png, 8, 4, 0);
    for (const std::string& bad : { std::string(), std::string("GIF89a"), png.substr(0, png.size() / 2),
             std::string("<html>"), PngDeclaring(100000, 100000), PngDeclaring(2049, 2049) })
        EXPECT_TRUE(PageImage::Decode(bad).IsEmpty()) << bad.size();

    // Scaled 1 x 1 -> 3 x 2 and clipped: only the clip's pixels change.
    plat::Surface surface(4, 3);
    surface.Fill(0x123456);
    gif.Draw(surface, { 0, 0, 3, 2 }, { 1, 0, 4, 3 });
    EXPECT_EQ(surface.Pixel(0, 0), 0x123456u);
    EXPECT_EQ(surface.Pixel(1, 0), 0xFF0000u);
    EXPECT_EQ(surface.Pixel(2, 1), 0xFF0000u);
    EXPECT_EQ(surface.Pixel(3, 1), 0x123456u);
    EXPECT_EQ(surface.Pixel(1, 2), 0x123456u);
}

TEST(PageContainer, BreaksBetweenCjkCharactersOfEveryBlock)
{
    PageContainer container("http://a.cn/", { 100, 100 });
    std::vector<std::string> pieces;
    auto word = [&](const char* w) { pieces.push_back(w); };
    auto space = [&](const char* s) { pieces.push_back(std::string("[") + s + "]"); };
    // Unified, extension A, extension B, kana, hangul, full-width forms, punctuation.
    container.split_text("ab 中文㐀𠀀かな한글ＡＢ。cd", word, space);
    EXPECT_EQ(pieces, (std::vector<std::string> { "ab", "[ ]", "中", "文", "㐀", "𠀀", "か", "な", "한", "글", "Ａ", "Ｂ", "。", "cd" }));
}

TEST(ListMarkerText, NumbersInEachStyle)
{
    struct Case {
        litehtml::list_style_type type;
        int index;
        const char* text;
    };
    const Case cases[] = {
        { litehtml::list_style_type_decimal, 3, "3." },
        { litehtml::list_style_type_decimal_leading_zero, 7, "07." },
        { litehtml::list_style_type_decimal_leading_zero, 12, "12." },
        { litehtml::list_style_type_lower_alpha, 1, "a." },
        { litehtml::list_style_type_lower_latin, 28, "ab." },
        { litehtml::list_style_type_upper_alpha, 702, "ZZ." },
        { litehtml::list_style_type_lower_roman, 4, "iv." },
        { litehtml::list_style_type_upper_roman, 1994, "MCMXCIV." },
        { litehtml::list_style_type_upper_roman, 4000, "4000." },
        { litehtml::list_style_type_lower_alpha, 0, "0." },
        { litehtml::list_style_type_hebrew, 5, "5." },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListMarkerText(c.type, c.index), c.text) << c.index;
}
