// Update engine throughput, side by side with the tools a user would reach
// for on the same files in the same run:
//   FileDigest (256 MB)          vs md5sum, openssl md5
//   ExtractFirstEntry (200 MB)   vs unzip -p, bsdtar -xOf, a bare zlib loop
//                                with the same buffer sizes (16 KB in, 10 KB out, CRC-32)
//   FetchFile (200 MB, loopback) vs the curl command line
// Each case runs one whole operation per repetition, repetitions of all cases
// interleaved at random so that a change in machine load hits all alike. The
// closing table gives median wall-clock times and our throughput relative to
// each peer, and the same ratio for CPU time (our thread against the peer's
// process), which a busy machine disturbs less. Files live in /dev/shm when
// it exists, so that disk write-back does not weigh on the cases that write
// a file against the tools that write to /dev/null.

#include "platform/fs/PathMap.h"
#include "support/Interleaved.h"
#include "support/Medians.h"
#include "update/ExtractFirstEntry.h"
#include "update/HttpFetch.h"
#include "update/Md5.h"

#include "../tests/support/LoopbackServer.h"
#include "../tests/support/TempFolder.h"

#include <benchmark/benchmark.h>
#include <httplib.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <time.h>
#include <vector>

namespace {

constexpr std::size_t kDigestBytes = 256u << 20;
constexpr std::size_t kEntryBytes = 200u << 20;
constexpr std::size_t kBodyBytes = 200u << 20;
constexpr int kRepetitions = 5;

// A benchmark's input written whole, or the run ends: a short file would be
// measured as if it were the real one.
void WriteFileOrAbort(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
        std::abort();
}

// Files live in /dev/shm when it exists (see above).
std::filesystem::path FastTempBase()
{
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                            : std::filesystem::temp_directory_path();
}

struct Setup {
    lvtest::TempFolder dir { FastTempBase(), "lv-bench-update-" };
    std::string folder = dir.Native();
    std::string digestFile;
    std::string archive; // one deflated entry, "entry.bin"
    std::uint64_t dataOffset = 0;
    std::uint64_t compressedSize = 0;
    std::string body;
    lvtest::LoopbackServer server;
};

Setup* g_setup = nullptr;
benchsupport::Samples g_seconds;
benchsupport::Samples g_cpuSeconds;

// Text-like bytes that deflate to about a third, as program files and bitmaps do.
std::string SampleBytes(std::size_t size)
{
    static const char* const kWords[] = { "monitor ", "pixel ", "gradient ", "colour ", "0x00ff00 ", "\r\n",
        "dead ", "line ", "test ", "step ", "1920 ", "1080 " };
    std::string out;
    out.reserve(size + 16);
    std::uint32_t x = 12345;
    while (out.size() < size) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out += kWords[x % 12];
        if ((x >> 8) % 5 == 0)
            out += static_cast<char>('A' + (x >> 16) % 26);
    }
    out.resize(size);
    return out;
}

void Put16(std::string& s, std::uint32_t v)
{
    s += static_cast<char>(v & 0xff);
    s += static_cast<char>((v >> 8) & 0xff);
}

void Put32(std::string& s, std::uint32_t v)
{
    Put16(s, v & 0xffff);
    Put16(s, v >> 16);
}

void WriteArchive(Setup& setup, const std::string& data)
{
    z_stream stream {};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string compressed(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(compressed.data());
    stream.avail_out = static_cast<uInt>(compressed.size());
    deflate(&stream, Z_FINISH);
    compressed.resize(stream.total_out);
    deflateEnd(&stream);
    auto crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    const std::string name = "entry.bin";
    const std::uint32_t dosDate = (2020 - 1980) << 9 | 1 << 5 | 1;

    std::string local;
    Put32(local, 0x04034b50);
    for (std::uint32_t v : { 20u, 0u, 8u, 0u, dosDate })
        Put16(local, v);
    Put32(local, crc);
    Put32(local, static_cast<std::uint32_t>(compressed.size()));
    Put32(local, static_cast<std::uint32_t>(data.size()));
    Put16(local, static_cast<std::uint32_t>(name.size()));
    Put16(local, 0);
    local += name;
    std::string tail;
    Put32(tail, 0x02014b50);
    for (std::uint32_t v : { 20u, 20u, 0u, 8u, 0u, dosDate })
        Put16(tail, v);
    Put32(tail, crc);
    Put32(tail, static_cast<std::uint32_t>(compressed.size()));
    Put32(tail, static_cast<std::uint32_t>(data.size()));
    for (std::uint32_t v : { static_cast<std::uint32_t>(name.size()), 0u, 0u, 0u, 0u })
        Put16(tail, v);
    Put32(tail, 0x20);
    Put32(tail, 0);
    tail += name;
    std::uint32_t centralSize = static_cast<std::uint32_t>(tail.size());
    Put32(tail, 0x06054b50);
    for (std::uint32_t v : { 0u, 0u, 1u, 1u })
        Put16(tail, v);
    Put32(tail, centralSize);
    Put32(tail, static_cast<std::uint32_t>(local.size() + compressed.size()));
    Put16(tail, 0);

    WriteFileOrAbort(setup.archive, local + compressed + tail);
    setup.dataOffset = local.size();
    setup.compressedSize = compressed.size();
}

double ThreadCpuSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

double ChildrenCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& v) { return static_cast<double>(v.tv_sec) + v.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs `f` once; records its wall-clock time and the CPU time spent by this
// thread (Where::InProcess) or by the commands it ran (Where::Command).
enum class Where { InProcess,
    Command };

template <typename F>
void Measure(benchmark::State& state, const std::string& name, std::size_t bytes, Where where, F&& f)
{
    auto cpu = where == Where::InProcess ? ThreadCpuSeconds : ChildrenCpuSeconds;
    double cpuStart = cpu();
    auto start = std::chrono::steady_clock::now();
    f();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    g_cpuSeconds[name].push_back(cpu() - cpuStart);
    g_seconds[name].push_back(seconds);
    state.SetIterationTime(seconds);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void RunCommand(benchmark::State& state, const std::string& command)
{
    if (std::system(command.c_str()) != 0)
        state.SkipWithError(("failed: " + command).c_str());
}

void BM_FileDigest(benchmark::State& state)
{
    CMd5 md5;
    std::string path = plat::WindowsPath(g_setup->digestFile);
    for (auto _ : state) {
        std::string hex;
        Measure(state, "FileDigest", kDigestBytes, Where::InProcess, [&] { md5.FileDigest(path, hex); });
        benchmark::DoNotOptimize(hex);
    }
}

void BM_Md5sum(benchmark::State& state)
{
    for (auto _ : state)
        Measure(state, "md5sum", kDigestBytes, Where::Command,
            [&] { RunCommand(state, "md5sum " + g_setup->digestFile + " >/dev/null"); });
}

void BM_OpensslMd5(benchmark::State& state)
{
    for (auto _ : state)
        Measure(state, "openssl md5", kDigestBytes, Where::Command,
            [&] { RunCommand(state, "openssl md5 " + g_setup->digestFile + " >/dev/null"); });
}

void BM_ExtractFirstEntry(benchmark::State& state)
{
    std::string archive = plat::WindowsPath(g_setup->archive);
    for (auto _ : state) {
        std::string extracted;
        int result = 1;
        Measure(state, "ExtractFirstEntry", kEntryBytes, Where::InProcess,
            [&] { result = ExtractFirstEntry(archive, extracted); });
        if (result != 0)
            state.SkipWithError("extraction failed");
    }
}

// The floor: zlib alone with the reader's buffer sizes, writing the same file.
void BM_BareZlibLoop(benchmark::State& state)
{
    for (auto _ : state) {
        Measure(state, "bare zlib loop", kEntryBytes, Where::InProcess, [&] {
            std::FILE* in = std::fopen(g_setup->archive.c_str(), "rb");
            std::FILE* out = std::fopen((g_setup->folder + "/bare.bin").c_str(), "wb");
            if (!in || !out || std::fseek(in, static_cast<long>(g_setup->dataOffset), SEEK_SET) != 0)
                std::abort();
            std::vector<unsigned char> input(16384), output(10240);
            z_stream stream {};
            if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
                std::abort();
            std::uint64_t left = g_setup->compressedSize;
            uLong crc = 0;
            int status = Z_OK;
            while (status == Z_OK) {
                if (stream.avail_in == 0 && left > 0) {
                    std::size_t chunk = std::min<std::uint64_t>(input.size(), left);
                    stream.avail_in = static_cast<uInt>(std::fread(input.data(), 1, chunk, in));
                    stream.next_in = input.data();
                    left -= chunk;
                }
                stream.next_out = output.data();
                stream.avail_out = static_cast<uInt>(output.size());
                status = inflate(&stream, Z_SYNC_FLUSH);
                std::size_t n = output.size() - stream.avail_out;
                crc = crc32(crc, output.data(), static_cast<uInt>(n));
                if (std::fwrite(output.data(), 1, n, out) != n)
                    std::abort();
            }
            (void)inflateEnd(&stream);
            (void)std::fclose(in);
            if (std::fclose(out) != 0)
                std::abort();
            benchmark::DoNotOptimize(crc);
        });
    }
}

void BM_Unzip(benchmark::State& state)
{
    for (auto _ : state)
        Measure(state, "unzip -p", kEntryBytes, Where::Command,
            [&] { RunCommand(state, "unzip -p " + g_setup->archive + " >/dev/null"); });
}

void BM_Bsdtar(benchmark::State& state)
{
    for (auto _ : state)
        Measure(state, "bsdtar -xOf", kEntryBytes, Where::Command,
            [&] { RunCommand(state, "bsdtar -xOf " + g_setup->archive + " >/dev/null"); });
}

std::string BodyUrl()
{
    return g_setup->server.Url("/body");
}

void BM_FetchFile(benchmark::State& state)
{
    CHttpFetch fetch;
    std::string target = plat::WindowsPath(g_setup->folder + "/fetched.bin");
    std::string url = BodyUrl();
    for (auto _ : state) {
        int result = 1;
        Measure(state, "FetchFile", kBodyBytes, Where::InProcess,
            [&] { result = fetch.FetchFile(url.c_str(), target.c_str()); });
        if (result != 0)
            state.SkipWithError("fetch failed");
    }
}

void BM_Curl(benchmark::State& state)
{
    for (auto _ : state)
        Measure(state, "curl", kBodyBytes, Where::Command,
            [&] { RunCommand(state, "curl -s -o " + g_setup->folder + "/curl.bin " + BodyUrl()); });
}

void PrintRatio(const std::string& ours, const std::string& peer, double target, std::size_t bytes)
{
    double a = benchsupport::Median(g_seconds[ours]), b = benchsupport::Median(g_seconds[peer]);
    double cpuA = benchsupport::Median(g_cpuSeconds[ours]), cpuB = benchsupport::Median(g_cpuSeconds[peer]);
    if (a <= 0 || b <= 0)
        return;
    double ratio = b / a;
    std::printf("%-17s %6.3f s %6.0f MB/s | %-14s %6.3f s %6.0f MB/s | %5.2fx", ours.c_str(), a, bytes / a / 1e6,
        peer.c_str(), b, bytes / b / 1e6, ratio);
    if (target > 0)
        std::printf(" (floor %.2fx: %s)", target, ratio >= target ? "met" : "MISSED");
    if (cpuA > 0 && cpuB > 0)
        std::printf(" | CPU %.3f s vs %.3f s: %.2fx", cpuA, cpuB, cpuB / cpuA);
    std::printf("\n");
}

void Prepare(Setup& setup)
{
    if (setup.folder.empty())
        std::abort();
    setup.digestFile = setup.folder + "/digest.bin";
    setup.archive = setup.folder + "/data_tmp.dat";
    {
        WriteFileOrAbort(setup.digestFile, SampleBytes(kDigestBytes));
    }
    WriteArchive(setup, SampleBytes(kEntryBytes));
    setup.body = SampleBytes(kBodyBytes);
    setup.server.Http().Get("/body", [&setup](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(setup.body.size(), "application/octet-stream",
            [&setup](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                sink.write(setup.body.data() + offset, std::min<std::size_t>(length, 1 << 20));
                return true;
            });
    });
    if (!setup.server.Start())
        std::abort();
}

}

#define LV_CASE(fn) BENCHMARK(fn)->Iterations(1)->Repetitions(kRepetitions)->UseManualTime()->Unit(benchmark::kMillisecond)
LV_CASE(BM_FileDigest);
LV_CASE(BM_Md5sum);
LV_CASE(BM_OpensslMd5);
LV_CASE(BM_ExtractFirstEntry);
LV_CASE(BM_BareZlibLoop);
LV_CASE(BM_Unzip);
LV_CASE(BM_Bsdtar);
LV_CASE(BM_FetchFile);
LV_CASE(BM_Curl);

int main(int argc, char** argv)
{
    if (!benchsupport::InitializeInterleaved(argc, argv))
        return 1;
    Setup setup;
    Prepare(setup);
    g_setup = &setup;
    benchmark::RunSpecifiedBenchmarks();

    std::printf("\nMedians of %d runs each; ratio = peer's time / our time (above 1: we are faster)\n", kRepetitions);
    PrintRatio("FileDigest", "md5sum", 1.0, kDigestBytes);
    PrintRatio("FileDigest", "openssl md5", 0.0, kDigestBytes);
    PrintRatio("ExtractFirstEntry", "bare zlib loop", 0.95, kEntryBytes);
    PrintRatio("ExtractFirstEntry", "unzip -p", 1.3, kEntryBytes);
    PrintRatio("ExtractFirstEntry", "bsdtar -xOf", 0.0, kEntryBytes);
    PrintRatio("FetchFile", "curl", 0.8, kBodyBytes);

    benchmark::Shutdown();
    return 0;
}
