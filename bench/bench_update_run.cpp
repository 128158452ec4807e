// One whole first-stage update run, side by side with the command-line floor
// for the same work in the same run:
//   RunFirstStage over a list of 1,000 files (32 KB each), 990 of them current
//   and 10 needing a 1 MB download from a loopback server
//   vs  md5sum of the same 1,000 files plus one curl command fetching the 10
// Each repetition first makes the 10 files stale again (not timed). The
// closing line gives the medians and our time relative to the floor.

#include "platform/fs/PathMap.h"
#include "support/Medians.h"
#include "update/Md5.h"
#include "update/UpdateThread.h"

#include "../tests/support/LoopbackServer.h"
#include "../tests/support/PatternBytes.h"
#include "../tests/support/TempFolder.h"

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
    lvtest::TempFolder dir { std::filesystem::temp_directory_path(), "lv-bench-run-" };
    std::string folder = dir.Native() + "/";   // the executable's folder, Linux form, ending in '/'
    std::vector<std::string> names;            // "files/f0000.bin" ...
    std::map<std::string, std::string> served; // path -> body
    lvtest::LoopbackServer server;
};

Setup* g_setup = nullptr;
benchsupport::Samples g_seconds;

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

void MakeStale(const Setup& setup)
{
    for (int i = 0; i < kStale; ++i)
        WriteFile(setup.folder + setup.names[static_cast<std::size_t>(i)], lvtest::PatternBytes(kLocalBytes, 900000u + i));
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
        command += " -o curl" + std::to_string(i) + ".bin " + g_setup->server.Url("/f/" + std::to_string(i));
    for (auto _ : state) {
        double s = Timed([&] {
            if (std::system(command.c_str()) != 0)
                state.SkipWithError("md5sum or curl failed");
        });
        Record(state, "md5sum + curl", s);
    }
}

void Prepare(Setup& setup)
{
    if (setup.dir.Native().empty())
        std::abort();
    std::filesystem::create_directories(setup.folder + "data");
    std::filesystem::create_directories(setup.folder + "files");

    // No request comes before the benchmark starts, so the server may run while the bodies are made.
    setup.server.Http().Get(".*", [&setup](const httplib::Request& req, httplib::Response& res) {
        auto it = setup.served.find(req.path);
        if (it == setup.served.end()) {
            res.status = 404;
            return;
        }
        res.set_content(it->second, "application/octet-stream");
    });
    if (!setup.server.Start())
        std::abort();

    std::string manifest = "[MAIN_URL]\r\nabout:blank\r\n[FILE_LIST_BEGIN]\r\n";
    g_setup = &setup;
    for (int i = 0; i < kFiles; ++i) {
        char name[32];
        (void)std::snprintf(name, sizeof name, "files/f%04d.bin", i);
        setup.names.push_back(name);
        std::string digest;
        std::string url;
        if (i < kStale) {
            const std::string path = "/f/" + std::to_string(i);
            setup.served[path] = lvtest::PatternBytes(kDownloadBytes, 1000u + i);
            WriteFile(setup.folder + "expected.bin", setup.served[path]);
            digest = Md5Of(setup.folder + "expected.bin");
            url = setup.server.Url(path);
        } else {
            WriteFile(setup.folder + name, lvtest::PatternBytes(kLocalBytes, 1u + i));
            digest = Md5Of(setup.folder + name);
            url = setup.server.Url("/f/never");
        }
        std::string windowsName = name;
        std::replace(windowsName.begin(), windowsName.end(), '/', '\\');
        manifest += digest + " " + windowsName + " " + url + "\r\n";
    }
    std::filesystem::remove(setup.folder + "expected.bin");
    setup.served["/lv/main200.asp"] = manifest + "[FILE_LIST_END]\r\n[HTML_END]\r\n";

    setenv("LUMIVEX_UPDATE_SERVER", setup.server.Url("").c_str(), 1);
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

    const double ours = benchsupport::Median(g_seconds["update run"]);
    const double floor = benchsupport::Median(g_seconds["md5sum + curl"]);
    if (ours > 0 && floor > 0) {
        const double ratio = ours / floor;
        std::printf("\nMedians of %d runs: update run %.3f s | md5sum + curl %.3f s | ratio %.2fx the floor "
                    "(target <= %.2fx) %s\n",
            kRepetitions, ours, floor, ratio, kTargetRatio, ratio <= kTargetRatio ? "met" : "MISSED");
    }

    benchmark::Shutdown();
    return 0;
}
