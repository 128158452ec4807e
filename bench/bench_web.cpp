// The web panel, each case side by side with its floor in the same run:
//   paint       layout and paint of a typical 20 KB page into the 584 x 80
//               panel (render at the panel's width, draw the visible part)
//               vs one FillRect of the panel plus one TextOut of the
//               page's text; also the paint alone, as the panel repaints
//               a page laid out already
//   first frame the main window created and drawn once, its page served by
//               a loopback server that answers after 2 s
//               vs the same with [MAIN_URL] empty ("about:blank")
//   limit       the markup made of a 4 MB page of nested blocks (parsed,
//               cut at the nesting limit, written back)
//               vs parsing it alone, as the layout engine does
// and lv.exe's resident memory once the typical page and its picture have
// loaded (offscreen video driver), against lv.exe on "about:blank".

#include "app/MainDlg.h"
#include "platform/gfx/Surface.h"
#include "platform/ui/EventLoop.h"
#include "platform/web/DefaultStyle.h"
#include "platform/web/PageContainer.h"
#include "platform/web/PageMarkup.h"
#include "support/Medians.h"
#include "support/Timed.h"

#include <benchmark/benchmark.h>
#include <gumbo.h>
#include <httplib.h>
#include <png.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

benchsupport::Samples g_seconds;
std::map<std::string, double> g_residentMb;

template <typename F>
void Timed(benchmark::State& state, const char* name, F&& step)
{
    benchsupport::Timed(state, g_seconds, name, step);
}

// About 20 KB: a styled head, headings, mixed Chinese and Latin paragraphs
// with links, a list and a table, as a maker's news page has.
std::string TypicalPage()
{
    std::string page = "<html><head><meta charset=\"utf-8\"><style>"
                       "body{margin:4px;font-size:12px} h2{font-size:14px;color:#1a3c8c;margin:4px 0}"
                       "a{color:#0033cc} .note{border:1px solid #ccc;background:#f4f8ff;padding:2px}"
                       "td{border-bottom:1px dotted #999;padding:1px 4px}</style></head><body>"
                       "<img src=\"logo.png\" width=\"32\" height=\"32\" style=\"float:left\">";
    int section = 0;
    while (page.size() < 20 * 1024) {
        ++section;
        page += "<h2>第" + std::to_string(section) + "节 显示器测试 News</h2>";
        page += "<p class=\"note\">液晶显示器坏点检测，色彩与灰阶表现，响应时间。Monitor test tips for LCD panels, "
                "<a href=\"/news/"
            + std::to_string(section) + ".htm\">阅读全文</a> | <b>推荐</b></p>";
        page += "<ul><li>纯色填充测试</li><li>点填充从上向下</li><li>Gradient ramps, 渐变测试</li></ul>";
        page += "<table><tr><td>软件</td><td>版本 2." + std::to_string(section) + "</td><td><a href=\"/d.htm\">下载</a></td></tr></table>";
    }
    return page + "</body></html>";
}

// The page's text alone, as the floor draws it.
std::string PageText(const std::string& html)
{
    std::string text;
    bool inTag = false, inStyle = false;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html.compare(i, 6, "<style") == 0)
            inStyle = true;
        if (html.compare(i, 8, "</style>") == 0)
            inStyle = false;
        char c = html[i];
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag && !inStyle)
            text += c;
    }
    return text;
}

void BM_Paint_Floor(benchmark::State& state)
{
    std::string text = PageText(TypicalPage());
    plat::Surface surface(584, 80);
    plat::DeviceContext dc(surface);
    plat::Brush white;
    white.CreateSolidBrush(plat::RGB(255, 255, 255));
    Timed(state, "FillRect+TextOut", [&] {
        dc.FillRect({ 0, 0, 584, 80 }, white);
        dc.TextOut(4, 4, text);
    });
}

void LayoutAndPaint(benchmark::State& state, const char* name, bool layout)
{
    plat::web::PageContainer container("http://127.0.0.1/", { 584, 80 });
    std::string html = TypicalPage();
    auto document = litehtml::document::createFromUTF8(html.c_str(), &container, &plat::web::DefaultStyleContext());
    document->render(584);
    plat::Surface surface(584, 80);
    Timed(state, name, [&] {
        if (layout)
            document->render(584);
        surface.Fill(0xFFFFFF);
        plat::web::PageCanvas canvas { &surface, surface.Bounds() };
        litehtml::position clip(0, 0, 584, 80);
        document->draw(plat::web::PageContainer::Handle(canvas), 0, 0, &clip);
    });
    document.reset();
}

void BM_Paint_LayoutAndPaint(benchmark::State& state) { LayoutAndPaint(state, "layout+paint", true); }
void BM_Paint_PaintLaidOut(benchmark::State& state) { LayoutAndPaint(state, "paint (laid out)", false); }

// About 4 MB: blocks nested 300 deep, each level with a line of text, so
// that every block is cut at the nesting limit.
std::string NestedPage()
{
    std::string block;
    for (int i = 0; i < 300; ++i)
        block += "<div class=\"b\">第" + std::to_string(i) + "层 nested text\n";
    for (int i = 0; i < 300; ++i)
        block += "</div>";
    std::string page = "<html><body>";
    while (page.size() < 4 * 1024 * 1024)
        page += block;
    return page + "</body></html>";
}

void BM_Limit_ParseAlone(benchmark::State& state)
{
    std::string page = NestedPage();
    Timed(state, "parse 4 MB", [&] {
        GumboOutput* parsed = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
        gumbo_destroy_output(&kGumboDefaultOptions, parsed);
    });
}

void BM_Limit_PageMarkup(benchmark::State& state)
{
    std::string page = NestedPage();
    plat::web::LoadLimits limits;
    limits.maxParsedBytes = page.size();
    limits.maxParseMemory = std::size_t(2) << 30;
    limits.maxParseCpuMs = 600000;
    Timed(state, "limit 4 MB", [&] { benchmark::DoNotOptimize(plat::web::PageMarkup(page, limits)); });
}

// The main window without its update thread.
class BenchMainDlg : public CMainDlg {
protected:
    void StartUpdateThread() override { }
};

std::filesystem::path g_folder;
httplib::Server g_server;
int g_port = 0;
std::atomic<int> g_pageRequests { 0 };

void WriteMainHtm(const std::string& address)
{
    std::ofstream(g_folder / "data" / "main.htm", std::ios::binary) << "[MAIN_URL]\r\n"
                                                                    << address << "\r\n";
}

void FirstFrame(benchmark::State& state, const char* name, const std::string& address)
{
    WriteMainHtm(address);
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        auto* dlg = new BenchMainDlg;
        dlg->Create();
        plat::ProcessPendingMessages();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        g_seconds[name].push_back(seconds);
        // Closing cancels the slow page: outside the timed span.
        dlg->DestroyWindow();
        delete dlg;
        plat::ProcessPendingMessages();
    }
}

void BM_FirstFrame_Blank(benchmark::State& state) { FirstFrame(state, "first frame blank", ""); }

void BM_FirstFrame_SlowPage(benchmark::State& state)
{
    FirstFrame(state, "first frame slow page", "http://127.0.0.1:" + std::to_string(g_port) + "/slow.htm");
}

BENCHMARK(BM_Paint_Floor)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);
BENCHMARK(BM_Paint_LayoutAndPaint)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);
BENCHMARK(BM_Paint_PaintLaidOut)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);
BENCHMARK(BM_Limit_ParseAlone)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Limit_PageMarkup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FirstFrame_Blank)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_FirstFrame_SlowPage)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

double ResidentMb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

// lv.exe from the benchmark's folder under the offscreen driver, its
// resident memory after `settle`.
double LvResidentMb(const std::string& address, std::chrono::milliseconds settle)
{
    WriteMainHtm(address);
    // lv.exe reads data\main.htm beside itself: a copy in the scratch folder.
    std::filesystem::path exe = g_folder / "lv.exe";
    std::filesystem::copy_file(std::filesystem::canonical("/proc/self/exe").parent_path() / "lv.exe", exe,
        std::filesystem::copy_options::overwrite_existing);
    pid_t pid = fork();
    if (pid == 0) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        if (chdir(g_folder.c_str()) != 0)
            _exit(127);
        execl(exe.c_str(), exe.c_str(), nullptr);
        _exit(127);
    }
    std::this_thread::sleep_for(settle);
    double mb = ResidentMb(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return mb;
}

bool StartServer()
{
    std::string page = TypicalPage();
    g_server.Get("/slow.htm", [](const httplib::Request&, httplib::Response& res) {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        res.set_content("<p>late</p>", "text/html");
    });
    g_server.Get("/page.htm", [page](const httplib::Request&, httplib::Response& res) {
        ++g_pageRequests;
        res.set_content(page, "text/html");
    });
    g_server.Get("/logo.png", [](const httplib::Request&, httplib::Response& res) {
        std::vector<unsigned char> rgb(32 * 32 * 3, 0x80);
        png_image image = {};
        image.version = PNG_IMAGE_VERSION;
        image.width = 32;
        image.height = 32;
        image.format = PNG_FORMAT_RGB;
        std::string png(4096, '\0');
        png_alloc_size_t size = png.size();
        png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), 0, nullptr);
        png.resize(size);
        res.set_content(png, "image/png");
    });
    g_port = g_server.bind_to_any_port("127.0.0.1");
    if (g_port <= 0)
        return false;
    std::thread([] { g_server.listen_after_bind(); }).detach();
    for (int i = 0; i < 500 && !g_server.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return g_server.is_running();
}

}

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LUMIVEX_UPDATE_SERVER", "http://127.0.0.1:1", 1);
    std::string pattern = (std::filesystem::temp_directory_path() / "lv-bench-web-XXXXXX").string();
    if (!mkdtemp(pattern.data()) || !StartServer()) {
        (void)std::fprintf(stderr, "bench_web: no scratch folder or loopback server\n");
        return 1;
    }
    g_folder = pattern;
    std::filesystem::create_directories(g_folder / "data");
    std::filesystem::current_path(g_folder);
    if (!plat::InitUi()) {
        (void)std::fprintf(stderr, "bench_web: no SDL video\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const std::string page = "http://127.0.0.1:" + std::to_string(g_port) + "/page.htm";
    g_pageRequests = 0;
    double pageMb = LvResidentMb(page, std::chrono::milliseconds(1500));
    int served = g_pageRequests;
    double blankMb = LvResidentMb("", std::chrono::milliseconds(1500));

    struct Ratio {
        const char* ours;
        const char* floor;
        const char* target;
        double scale;
        const char* unit;
    };
    const Ratio ratios[] = {
        { "layout+paint", "FillRect+TextOut", "<= 20", 1e6, "us" },
        { "paint (laid out)", "FillRect+TextOut", "-", 1e6, "us" },
        { "first frame slow page", "first frame blank", "<= 1.1", 1e3, "ms" },
        { "limit 4 MB", "parse 4 MB", "<= 2", 1e3, "ms" },
    };
    std::printf("\n%-22s %10s   %-18s %10s %8s  %s\n", "ours", "median", "floor", "median", "ratio", "target");
    for (const Ratio& r : ratios) {
        double ours = benchsupport::Median(g_seconds[r.ours]) * r.scale;
        double floor = benchsupport::Median(g_seconds[r.floor]) * r.scale;
        std::printf("%-22s %8.2f%s   %-18s %8.2f%s %8.2f  %s\n", r.ours, ours, r.unit, r.floor, floor, r.unit,
            floor > 0 ? ours / floor : 0.0, r.target);
    }
    std::printf("lv.exe resident memory: %.1f MB with the page loaded (%s), %.1f MB on about:blank (target < 60 MB)\n",
        pageMb, served == 1 ? "page served" : "PAGE NOT SERVED", blankMb);
    g_server.stop();
    std::filesystem::current_path("/");
    std::filesystem::remove_all(g_folder);
    return 0;
}
