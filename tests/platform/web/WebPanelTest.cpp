// The web panel against a real server on loopback: what it draws, what the
// mouse does, how it resolves and decodes, and that bad pages and bad
// servers leave it standing.

#include "ElementDepth.h"
#include "PanelDialog.h"
#include "TestImages.h"

#include "platform/text/Cp936.h"
#include "platform/ui/Cursor.h"
#include "platform/web/PageLoader.h"
#include "support/LoopbackServer.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <thread>

using namespace webtest;
using lvtest::RunModal;
using lvtest::Step;

namespace webtest {

LV_BEGIN_MESSAGE_MAP(PanelDialog, plat::Dialog)
    LV_ON_BN_CLICKED(kButton, OnPush)
    LV_ON_WM_PAINT()
LV_END_MESSAGE_MAP()

}

namespace {

class WebPanelTest : public testing::Test {
protected:
    void Serve(const std::string& path, const std::string& body, const std::string& type = "text/html")
    {
        m_server.Http().Get(path, [body, type, this](const httplib::Request&, httplib::Response& res) {
            ++m_requests;
            res.set_content(body, type);
        });
    }
    std::string Start()
    {
        EXPECT_TRUE(m_server.Start());
        return m_server.Url("");
    }

    lvtest::LoopbackServer m_server;
    std::atomic<int> m_requests { 0 };
};

// Heading, Chinese text, a picture and a link in fixed places, and a page
// taller than the panel.
constexpr const char* kPage = R"(<html><body style="margin:0">
<div style="position:absolute; left:0; top:0; width:40px; height:20px"><img src="img/red.png" width="40" height="20"></div>
<h1 style="position:absolute; left:60px; top:0; margin:0; font-size:16px">Heading</h1>
<p style="position:absolute; left:60px; top:30px; margin:0">显示器测试，一二三</p>
<a href="next.htm?x=1" target="_blank" style="position:absolute; left:300px; top:0; display:block; width:80px; height:30px; background:#00ff00">link</a>
<div style="height:400px"></div>
</body></html>)";

}

TEST_F(WebPanelTest, DrawsTextAndPictureFollowsLinksAndScrolls)
{
    Serve("/dir/page.htm", kPage);
    // A picture is read by what its bytes are, not by the type its server states.
    Serve("/dir/img/red.png", SolidImage(ImageFormat::Png, 4, 2, 0xFF0000), "image/gif");
    std::string root = Start();

    PanelDialog dlg;
    std::vector<std::uint32_t> first, scrolled;
    plat::CursorShape overLink = plat::CursorShape::Arrow, offLink = plat::CursorShape::Hand;
    int scrollTop = -1;
    bool navigated = false;
    RunModal(dlg, {
                      [&] { navigated = dlg.Navigate(root + "/dir/page.htm"); },
                      Step::Until([&] { return Loaded(dlg); }),
                      [&] {
                          first = PanelPixels(dlg);
                          plat::automation::MouseMove(dlg.Panel(), { 320, 10 });
                      },
                      [&] {
                          overLink = plat::GetCursorShape();
                          plat::automation::Click(dlg.Panel(), { 320, 10 });
                          plat::automation::MouseMove(dlg.Panel(), { 200, 60 });
                      },
                      [&] {
                          offLink = plat::GetCursorShape();
                          plat::automation::MouseWheel(dlg.Panel(), { 100, 40 }, -1);
                      },
                      [&] {
                          scrollTop = dlg.View()->ScrollTop();
                          scrolled = PanelPixels(dlg);
                      },
                  });
    ASSERT_TRUE(navigated);

    ASSERT_EQ(first.size(), 584u * 80u);
    auto at = [&](int x, int y) { return first[static_cast<std::size_t>(y) * 584 + x]; };
    EXPECT_EQ(at(5, 5), 0xFF0000u) << "picture scaled to 40 x 20";
    EXPECT_EQ(at(39, 19), 0xFF0000u);
    EXPECT_EQ(at(41, 5), 0xFFFFFFu);
    EXPECT_EQ(at(379, 29), 0x00FF00u) << "link box";
    int headingInk = 0, chineseInk = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 60; x < 250; ++x)
            headingInk += IsDark(at(x, y)) ? 1 : 0;
    for (int y = 30; y < 44; ++y)
        for (int x = 60; x < 250; ++x)
            chineseInk += IsDark(at(x, y)) ? 1 : 0;
    EXPECT_GT(headingInk, 60);
    EXPECT_GT(chineseInk, 100);

    EXPECT_EQ(overLink, plat::CursorShape::Hand);
    EXPECT_EQ(offLink, plat::CursorShape::Arrow);
    EXPECT_EQ(dlg.links, std::vector<std::string> { root + "/dir/next.htm?x=1" });

    EXPECT_EQ(scrollTop, plat::web::WebView::kWheelLines * plat::web::WebView::kLineHeight);
    ASSERT_EQ(scrolled.size(), first.size());
    EXPECT_EQ(scrolled[5 * 584 + 5], 0xFFFFFFu) << "the picture scrolled out of view";
}

TEST_F(WebPanelTest, StyleSheetsBaseAddressAndCharacterSets)
{
    const std::string text = "<p style=\"margin:0\">中文网页，显示器测试</p>";
    std::string cp936 = plat::Utf8ToCp936("<html><head><base href=\"/assets/\">"
                                          "<link rel=\"stylesheet\" href=\"style.css\"></head><body>"
        + text + "</body></html>")
                            .text;
    ASSERT_FALSE(cp936.empty());
    Serve("/gbk.htm", cp936);
    // The sheet imports itself and one that is missing; the background comes from it.
    Serve("/assets/style.css", "@import url(style.css); @import url(gone.css); body { background: #0000ff; color: #ffff00; margin: 0 }",
        "text/css");
    Serve("/utf8.htm", "<html><head><meta charset=\"utf-8\"><link rel=\"stylesheet\" href=\"/assets/style.css\"></head>"
                       "<body>"
            + text + "</body></html>",
        "text/html");
    std::string root = Start();

    std::vector<std::uint32_t> gbk, utf8;
    for (auto [path, out] : { std::pair { "/gbk.htm", &gbk }, std::pair { "/utf8.htm", &utf8 } }) {
        PanelDialog dlg;
        RunModal(dlg, {
                          [&, path = path] { dlg.Navigate(root + path); },
                          Step::Until([&] { return Loaded(dlg); }),
                          [&, out = out] { *out = PanelPixels(dlg); },
                      });
    }
    ASSERT_FALSE(gbk.empty());
    EXPECT_EQ(gbk[5 * 584 + 583], 0x0000FFu) << "the style sheet found through <base href>";
    EXPECT_GT(CountPixels(gbk, [](std::uint32_t p) { return p == 0xFFFF00; }), 150) << "yellow text";
    EXPECT_EQ(gbk, utf8) << "code page 936 without a charset reads as the UTF-8 page does";
}

TEST_F(WebPanelTest, BadPagesAndServersLeaveThePanelStanding)
{
    std::string deep = "<p style=\"margin:0\">top</p>";
    for (int i = 0; i < 100000; ++i)
        deep += "<div>";
    deep += "deep";
    std::string many = "<html><body style=\"margin:0\"><p>many</p>";
    for (int i = 0; i < 500; ++i)
        many += "<img src=\"/pic" + std::to_string(i) + ".png\" width=\"1\" height=\"1\">";
    std::string big = "<html><body style=\"margin:0\"><p>big page</p>" + std::string(5 * 1024 * 1024, 'x') + "</body></html>";
    Serve("/deep.htm", deep);
    Serve("/many.htm", many);
    Serve("/big.htm", big);
    Serve("/invalid.htm", "<html><body style=\"margin:0\"><p>bad <b><i>nesting</b></i><table><td>cell</p></tr>< <>");
    Serve("/broken-image.htm", "<body style=\"margin:0\"><img src=\"broken.png\" width=\"30\" height=\"30\"><img src=\"huge.png\"><p>x</p>");
    Serve("/broken.png", "\x89PNG\r\n\x1a\nnot really", "image/png");
    Serve("/huge.png", PngDeclaring(100000, 100000), "image/png");
    Serve("/image.png", SolidImage(ImageFormat::Png, 2, 2, 0), "image/png");
    m_server.Http().Get(R"(/pic\d+\.png)", [this](const httplib::Request&, httplib::Response& res) {
        ++m_requests;
        res.set_content(SolidImage(ImageFormat::Png, 1, 1, 0), "image/png");
    });
    m_server.Http().Get("/to-file", [](const httplib::Request&, httplib::Response& res) {
        res.set_redirect("file:///etc/passwd");
    });
    m_server.Http().Get("/endless", [](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/html", [](std::size_t, httplib::DataSink& sink) {
            std::string piece = "<p>more</p>" + std::string(64 * 1024, ' ');
            return sink.write(piece.data(), piece.size());
        });
    });
    std::string root = Start();

    struct Case {
        std::string address;
        bool white; // nothing to show
    };
    const Case cases[] = {
        { "about:blank", true },
        { root + "/missing.htm", true },
        { "http://127.0.0.1:1/", true },
        { root + "/image.png", true },
        { root + "/to-file", true },
        { "file:///etc/passwd", true },
        { root + "/deep.htm", false },
        { root + "/many.htm", false },
        { root + "/big.htm", false },
        { root + "/invalid.htm", false },
        { root + "/broken-image.htm", false },
        { root + "/endless", false }, // cut off at the byte limit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        PanelDialog dlg;
        std::vector<std::uint32_t> pixels;
        bool threadless = false;
        auto started = std::chrono::steady_clock::now();
        RunModal(dlg, {
                          [&] {
                              dlg.Navigate(c.address);
                              threadless = dlg.View() == nullptr;
                          },
                          Step::Until([&] { return Loaded(dlg); }),
                          [&] { pixels = PanelPixels(dlg); },
                      });
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
        ASSERT_EQ(pixels.size(), 584u * 80u);
        int ink = CountPixels(pixels, [](std::uint32_t p) { return !IsWhite(p); });
        if (c.white) {
            EXPECT_EQ(ink, 0);
        } else {
            EXPECT_GT(ink, 0);
        }
        if (c.address.rfind("http", 0) != 0) {
            EXPECT_TRUE(threadless) << "no loader for an address that is not http or https";
        }
    }
    EXPECT_LE(m_requests.load(), 256 + 20) << "at most 256 requests for the page with 500 pictures";
}

namespace {

// The process's peak resident memory so far.
long PeakResidentMb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6) / 1024;
    return -1;
}

}

// Pages the parser nests deeper than their text suggests, each once loaded
// with the usual limits, and once with a parser budget that would take it
// many seconds, cancelled the way closing the panel does.
TEST_F(WebPanelTest, HostileNestingIsCutOnTheParsedTreeWithinMemoryAndCancels)
{
    auto repeat = [](std::string head, const std::string& unit, int times) {
        for (int i = 0; i < times; ++i)
            head += unit;
        return head;
    };
    const std::pair<std::string, std::string> pages[] = {
        { "/self-closing.htm", repeat("<p>top</p>", "<div/>", 24000) },
        { "/stray-end.htm", repeat("<p>top</p>", "<div></span>", 24000) },
        { "/empty-comment.htm", repeat("<p>top</p><!-->", "<div>", 24000) },
        { "/quadratic.htm", repeat("<p>top</p>", "<div/>", 50000) },
    };
    std::atomic<bool> served { false };
    for (const auto& [path, page] : pages) {
        m_server.Http().Get(path, [body = page, &served](const httplib::Request&, httplib::Response& res) {
            res.set_content(body, "text/html");
            served = true;
        });
    }
    std::string root = Start();
    const long peakBefore = PeakResidentMb();
    auto waitFor = [](const std::function<bool()>& done) {
        for (int i = 0; i < 6000 && !done(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    };
    for (const auto& [path, page] : pages) {
        SCOPED_TRACE(path);
        std::shared_ptr<plat::web::LoadedPage> loaded;
        {
            plat::web::PageLoader loader(
                root + path, { 584, 80 }, {}, [&](auto p) { loaded = std::move(p); },
                [](const std::string&, auto) {});
            waitFor([&] { return loader.Finished(); });
        }
        ASSERT_TRUE(loaded);
        EXPECT_LE(ElementDepth(loaded->document->root()), 200);
        EXPECT_LT(PeakResidentMb() - peakBefore, 384);

        plat::web::LoadLimits slow;
        slow.maxParseCpuMs = 600000;
        served = false;
        auto loader = std::make_unique<plat::web::PageLoader>(
            root + path, plat::Size { 584, 80 }, slow,
            [](auto) {}, [](const std::string&, auto) {});
        waitFor([&] { return served.load(); });
        std::this_thread::sleep_for(std::chrono::seconds(1));
        auto closing = std::chrono::steady_clock::now();
        loader.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - closing, std::chrono::seconds(5)) << "the parse is cancelled";
    }
}

TEST_F(WebPanelTest, WindowStaysResponsiveAndClosesPromptlyWhileAPageIsSlow)
{
    // The page is held on the server until the window has closed (10 s at
    // most): whatever the machine's speed, the click and the close happen
    // while it loads.
    std::atomic<bool> requested { false }, release { false }, answered { false };
    m_server.Http().Get("/slow.htm", [&](const httplib::Request&, httplib::Response& res) {
        requested = true;
        for (int i = 0; i < 2000 && !release; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        answered = true;
        res.set_content("<p>late</p>", "text/html");
    });
    std::string root = Start();

    PanelDialog dlg;
    bool framedBeforePage = false, hadPage = true, answeredAtClick = true;
    RunModal(dlg, {
                      [&] {
                          dlg.Navigate(root + "/slow.htm");
                          framedBeforePage = dlg.firstFrame && !dlg.View()->HasPage();
                      },
                      // The loader starts once the loop is idle and works on its own
                      // thread: the click comes once the page's request is waiting on the server.
                      Step::Until([&] { return requested.load(); }),
                      [&] { plat::automation::ClickControl(dlg, kButton); },
                      [&] {
                          hadPage = dlg.View()->HasPage();
                          answeredAtClick = answered;
                      },
                  });
    bool answeredAtClose = answered;
    release = true;
    EXPECT_TRUE(requested);
    EXPECT_TRUE(framedBeforePage);
    EXPECT_EQ(dlg.buttonClicks, 1);
    EXPECT_FALSE(hadPage);
    EXPECT_FALSE(answeredAtClick) << "the click waited for the page";
    EXPECT_FALSE(answeredAtClose) << "closing waited for the page";
}
