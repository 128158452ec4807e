// One whole first-stage update run, side by side with the command-line floor
// for the same work in the same run:
//   RunFirstStage over a list of 1,000 files (32 KB each), 990 of them current
//   and 10 needing a 1 MB download from a loopback server
//   vs  md5sum of the same 1,000 files plus one curl command fetching the 10
// Each repetition first makes the 10 files stale again (not timed). The
// closing line gives the medians and our time relative to the floor.

#include "platform/fs/PathMap.h"
#include "update/Md5.h"
#include "update/UpdateThread.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kFiles = 1000;
constexpr int kStale = 10;
constexpr std::size_t kLocalBytes = 32u << 10;
constexpr std::size_t kDownloadBytes = 1u << 20;
constexpr int kRepetitions = 5;
constexpr double kTargetRatio = 1.5;

struct Setup {
    std::string folder; // the executable's folder, Linux form, ending in '/'
    std::vector<std::string> names; // "files/f0000.bin" ...
    std::map<std::string, std::string> served; // path -> body
    httplib::Server server;
    std::thread serverThread;
    int port = 0;
};

Setup* g_setup = nullptr;
std::map<std::string, std::vector<double>> g_seconds;

std::string Bytes(std::size_t size, std::uint32_t seed)
{
    std::string out(size, '\0');
    std::uint32_t x = seed * 2654435761u + 1;
    for (char& c : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    return out;
}

std::string Md5Of(const std::string& path)
{
    std::string hex;
    CMd5().FileDigest(plat::WindowsPath(path), hex);
    return hex;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Url(const std::string& path)
{
    return "http://127.0.0.1:" + std::to_string(g_setup->port) + path;
}

void MakeStale(const Setup& setup)
{
    for (int i = 0; i < kStale; ++i)
        WriteFile(setup.folder + setup.names[static_cast<std::size_t>(i)], Bytes(kLocalBytes, 900000u + i));
}

void Record(benchmark::State& state, const std::string& name, double seconds)
{
    state.SetIterationTime(seconds);
    g_seconds[name].push_back(seconds);
}

template <typename F>
double Timed(F&& f)
{
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_UpdateRun(benchmark::State& state)
{
    const std::string exeFolder = plat::WindowsPath(g_setup->folder) + "\\";
    for (auto _ : state) {
        state.PauseTiming();
        MakeStale(*g_setup);
        state.ResumeTiming();
        unsigned result = 1;
        double s = Timed([&] { result = RunFirstStage(exeFolder, 0); });
        if (result != 0)
            state.SkipWithError("update run failed");
        Record(state, "update run", s);
    }
}

// The floor: the digests and the downloads done by the standard tools, the
// downloads in one curl command (one connection).
void BM_Md5sumAndCurl(benchmark::State& state)
{
    std::string command = "cd '" + g_setup->folder + "' && md5sum";
    for (const std::string& name : g_setup->names)
        command += " " + name;
    command += " >/dev/null && curl -s";
    for (int i = 0; i < kStale; ++i)
        command += " -o curl" + std::to_string(i) + ".bin " + Url("/f/" + std::to_string(i));
    for (auto _ : state) {
        double s = Timed([&] {
            if (std::system(command.c_str()) != 0)
                state.SkipWithError("md5sum or curl failed");
        });
        Record(state, "md5sum + curl", s);
    }
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void Prepare(Setup& setup)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lv-bench-run-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    setup.folder = pattern + "/";
    std::filesystem::create_directories(setup.folder + "data");
    std::filesystem::create_directories(setup.folder + "files");

    std::string manifest = "[MAIN_URL]\r\nabout:blank\r\n[FILE_LIST_BEGIN]\r\n";
    setup.port = setup.server.bind_to_any_port("127.0.0.1");
    g_setup = &setup;
    for (int i = 0; i < kFiles; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "files/f%04d.bin", i);
        setup.names.push_back(name);
        std::string digest;
        std::string url;
        if (i < kStale) {
            const std::string path = "/f/" + std::to_string(i);
            setup.served[path] = Bytes(kDownloadBytes, 1000u + i);
            WriteFile(setup.folder + "expected.bin", setup.served[path]);
            digest = Md5Of(setup.folder + "expected.bin");
            url = Url(path);
        } else {
            WriteFile(setup.folder + name, Bytes(kLocalBytes, 1u + i));
            digest = Md5Of(setup.folder + name);
            url = Url("/f/never");
        }
        std::string windowsName = name;
        std::replace(windowsName.begin(), windowsName.end(), '/', '\\');
        manifest += digest + " " + windowsName + " " + url + "\r\n";
    }
    std::filesystem::remove(setup.folder + "expected.bin");
    setup.served["/lv/main200.asp"] = manifest + "[FILE_LIST_END]\r\n[HTML_END]\r\n";

    setup.server.Get(".*", [&setup](const httplib::Request& req, httplib::Response& res) {
        auto it = setup.served.find(req.path);
        if (it == setup.served.end()) {
            res.status = 404;
            return;
        }
        res.set_content(it->second, "application/octet-stream");
    });
    setup.serverThread = std::thread([&setup] { setup.server.listen_after_bind(); });
    while (!setup.server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    setenv("LUMIVEX_UPDATE_SERVER", ("http://127.0.0.1:" + std::to_string(setup.port)).c_str(), 1);
}

}

#define LV_CASE(fn) BENCHMARK(fn)->Iterations(1)->Repetitions(kRepetitions)->UseManualTime()->Unit(benchmark::kMillisecond)
LV_CASE(BM_UpdateRun);
LV_CASE(BM_Md5sumAndCurl);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Setup setup;
    Prepare(setup);
    benchmark::RunSpecifiedBenchmarks();

    const double ours = Median(g_seconds["update run"]);
    const double floor = Median(g_seconds["md5sum + curl"]);
    if (ours > 0 && floor > 0) {
        const double ratio = ours / floor;
        std::printf("\nMedians of %d runs: update run %.3f s | md5sum + curl %.3f s | ratio %.2fx the floor "
                    "(target <= %.2fx) %s\n",
            kRepetitions, ours, floor, ratio, kTargetRatio, ratio <= kTargetRatio ? "met" : "MISSED");
    }

    setup.server.stop();
    setup.serverThread.join();
    std::error_code ignored;
    std::filesystem::remove_all(setup.folder, ignored);
    benchmark::Shutdown();
    return 0;
}
