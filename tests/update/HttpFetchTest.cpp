#include "update/HttpFetch.h"

#include "support/LoopbackServer.h"
#include "support/PatternBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using lvtest::LoopbackServer;
using lvtest::PatternBytes;
using lvtest::ReadNative;
using lvtest::TempFolder;
using lvtest::WriteNative;

namespace {

const std::string kNotFoundPage = "<html><body>404 not here</body></html>";

class HttpFetchTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto& http = m_server.Http();
        http.Get("/empty", [](const httplib::Request&, httplib::Response& res) { res.set_content("", "text/plain"); });
        http.Get("/zeros", [this](const httplib::Request&, httplib::Response& res) {
            res.set_content(ZeroBody(), "application/octet-stream");
        });
        http.Get("/cut", [](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(1000000, "application/octet-stream",
                [](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    if (offset >= 30000)
                        return false;
                    sink.write(PatternBytes(30000).data(), 30000);
                    return true;
                });
        });
        http.set_error_handler([](const httplib::Request&, httplib::Response& res) {
            res.set_content(kNotFoundPage, "text/html");
        });
        ASSERT_TRUE(m_server.Start());
        // A port nobody listens on.
        LoopbackServer probe;
        ASSERT_TRUE(probe.Start());
        m_unreachable = probe.Url("/x");
    }

    // Three 10,240-byte chunks and a short one, with zero bytes in all but one.
    static std::string ZeroBody()
    {
        std::string body = PatternBytes(3 * 10240 + 500);
        for (char& c : body) {
            if (c == '\0')
                c = 'z';
        }
        body[100] = '\0';
        body[10240] = '\0';
        body[10240 + 1] = '\0';
        body[3 * 10240 + 499] = '\0';
        return body;
    }

    LoopbackServer m_server;
    std::string m_unreachable;
    TempFolder m_folder;
};

}

TEST_F(HttpFetchTest, ErrorPageIsDeliveredAsTheBody)
{
    CHttpFetch fetch;
    std::string text = "previous";
    EXPECT_EQ(fetch.FetchText(m_server.Url("/missing"), text), 0);
    EXPECT_EQ(text, kNotFoundPage);
    EXPECT_EQ(fetch.FetchFile(m_server.Url("/missing").c_str(), m_folder.Windows("page").c_str()), 0);
    EXPECT_EQ(ReadNative(m_folder.Native("page")), kNotFoundPage);
}

TEST_F(HttpFetchTest, EmptyBodyGivesEmptyTextAndAnEmptyFile)
{
    CHttpFetch fetch;
    std::string text = "previous";
    EXPECT_EQ(fetch.FetchText(m_server.Url("/empty"), text), 0);
    EXPECT_EQ(text, "");
    WriteNative(m_folder.Native("old"), "old contents");
    EXPECT_EQ(fetch.FetchFile(m_server.Url("/empty").c_str(), m_folder.Windows("old").c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(m_folder.Native("old")));
    EXPECT_EQ(ReadNative(m_folder.Native("old")), "");
}

TEST_F(HttpFetchTest, ZeroBytesCutEachTextChunkButNotTheFile)
{
    std::string body = ZeroBody();
    std::string expected = body.substr(0, 100) + body.substr(10240 * 2, 10240) + body.substr(10240 * 3, 499);

    CHttpFetch fetch;
    std::string text;
    EXPECT_EQ(fetch.FetchText(m_server.Url("/zeros"), text), 0);
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected);
    EXPECT_EQ(fetch.FetchFile(m_server.Url("/zeros").c_str(), m_folder.Windows("zeros").c_str()), 0);
    EXPECT_TRUE(ReadNative(m_folder.Native("zeros")) == body);
}

TEST_F(HttpFetchTest, UnreachableAddressLeavesTheTargetAloneAndTheNextFetchWorks)
{
    WriteNative(m_folder.Native("keep"), "keep me");
    CHttpFetch fetch;
    EXPECT_EQ(fetch.FetchFile(m_unreachable.c_str(), m_folder.Windows("keep").c_str()), 202);
    EXPECT_EQ(ReadNative(m_folder.Native("keep")), "keep me");
    EXPECT_FALSE(std::filesystem::exists(m_folder.Native("new")));
    EXPECT_EQ(fetch.FetchFile(m_unreachable.c_str(), m_folder.Windows("new").c_str()), 202);
    EXPECT_FALSE(std::filesystem::exists(m_folder.Native("new")));

    std::string text = "previous";
    EXPECT_EQ(fetch.FetchText(m_unreachable, text), 202);
    EXPECT_EQ(text, "");
    EXPECT_EQ(fetch.FetchText(m_server.Url("/missing"), text), 0);
    EXPECT_EQ(text, kNotFoundPage);
    EXPECT_EQ(fetch.CloseHandles(), 0);
}

TEST_F(HttpFetchTest, ALinkAtTheTargetIsReplacedNotWrittenThrough)
{
    TempFolder outside;
    WriteNative(outside.Native("victim"), "precious");
    std::filesystem::create_symlink(outside.Native("victim"), m_folder.Native("target"));
    CHttpFetch fetch;
    EXPECT_EQ(fetch.FetchFile(m_server.Url("/missing").c_str(), m_folder.Windows("target").c_str()), 0);
    EXPECT_EQ(ReadNative(outside.Native("victim")), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(m_folder.Native("target")));
    EXPECT_EQ(ReadNative(m_folder.Native("target")), kNotFoundPage);
}

TEST_F(HttpFetchTest, TargetInAMissingFolderIsResultOne)
{
    CHttpFetch fetch;
    EXPECT_EQ(fetch.FetchFile(m_server.Url("/empty").c_str(), m_folder.Windows("no\\such\\file").c_str()), 1);
    // The failed fetch's handles are closed by the next one.
    EXPECT_EQ(fetch.FetchFile(m_server.Url("/empty").c_str(), m_folder.Windows("file").c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(m_folder.Native("file")));
}

TEST_F(HttpFetchTest, BodyCutOffMidWayDeliversWhatArrived)
{
    std::string arrived = PatternBytes(30000);
    CHttpFetch fetch;
    EXPECT_EQ(fetch.FetchFile(m_server.Url("/cut").c_str(), m_folder.Windows("cut").c_str()), 0);
    EXPECT_TRUE(ReadNative(m_folder.Native("cut")) == arrived);

    std::string text;
    EXPECT_EQ(fetch.FetchText(m_server.Url("/cut"), text), 0);
    std::string expected;
    for (std::size_t at = 0; at < arrived.size(); at += 10240) {
        std::string chunk = arrived.substr(at, 10240);
        expected += chunk.substr(0, chunk.find('\0'));
    }
    EXPECT_TRUE(text == expected);
}

TEST_F(HttpFetchTest, LargeBodyIsWrittenByteExact)
{
    const std::string body = PatternBytes(50 * 1000 * 1000, 7);
    LoopbackServer big;
    big.Http().Get("/big", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(body, "application/octet-stream");
    });
    ASSERT_TRUE(big.Start());
    CHttpFetch fetch;
    EXPECT_EQ(fetch.FetchFile(big.Url("/big").c_str(), m_folder.Windows("big").c_str()), 0);
    EXPECT_TRUE(ReadNative(m_folder.Native("big")) == body);
}

TEST_F(HttpFetchTest, BodiesOverTheLimitAreFailedFetches)
{
    LoopbackServer server;
    // 30,000 bytes without a declared length, and ten gigabytes declared.
    server.Http().Get("/chunked", [](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("application/octet-stream", [](std::size_t offset, httplib::DataSink& sink) {
            if (offset >= 30000)
                sink.done();
            else
                sink.write(PatternBytes(10000).data(), 10000);
            return true;
        });
    });
    server.Http().Get("/huge", [](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(10ull << 30, "application/octet-stream",
            [](std::size_t, std::size_t, httplib::DataSink& sink) {
                sink.write(PatternBytes(65536).data(), 65536);
                return true;
            });
    });
    ASSERT_TRUE(server.Start());

    CHttpFetch exact({ .text = 30000, .file = 30000 });
    std::string text;
    EXPECT_EQ(exact.FetchFile(server.Url("/chunked").c_str(), m_folder.Windows("exact").c_str()), 0);
    EXPECT_EQ(std::filesystem::file_size(m_folder.Native("exact")), 30000u);
    CHttpFetch small({ .text = 29999, .file = 29999 });
    EXPECT_EQ(small.FetchText(server.Url("/chunked"), text), CHttpFetch::kTooLarge);
    EXPECT_EQ(text, "");
    EXPECT_EQ(small.FetchFile(server.Url("/chunked").c_str(), m_folder.Windows("over").c_str()), CHttpFetch::kTooLarge);
    EXPECT_LE(std::filesystem::file_size(m_folder.Native("over")), 29999u);

    CHttpFetch fetch;
    EXPECT_EQ(fetch.FetchFile(server.Url("/huge").c_str(), m_folder.Windows("huge").c_str()), CHttpFetch::kTooLarge);
    EXPECT_FALSE(std::filesystem::exists(m_folder.Native("huge")));
    EXPECT_EQ(fetch.FetchText(server.Url("/huge"), text), CHttpFetch::kTooLarge);
}
