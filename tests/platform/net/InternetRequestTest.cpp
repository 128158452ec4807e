#include "platform/net/InternetRequest.h"

#include "support/LoopbackServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

using lvtest::LoopbackServer;
using plat::InternetRequest;
using plat::InternetSession;

namespace {

// Reads the whole body in pieces of `piece` bytes; false when a read failed.
bool ReadAll(InternetRequest& request, std::size_t piece, std::string& body)
{
    std::string buffer(piece, '\0');
    for (;;) {
        std::size_t n = 0;
        if (!request.Read(buffer.data(), piece, n))
            return false;
        if (n == 0)
            return true;
        body.append(buffer.data(), n);
    }
}

class InternetRequestTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_session = InternetSession::Open("dova");
        ASSERT_TRUE(m_session);
    }

    LoopbackServer m_server;
    std::unique_ptr<InternetSession> m_session;
};

}

TEST_F(InternetRequestTest, SendsTheUserAgentAsksPastCachesAndFollowsRedirects)
{
    std::string agent, cacheControl, pragma;
    m_server.Http().Get("/old", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/new"); });
    m_server.Http().Get("/new", [&](const httplib::Request& req, httplib::Response& res) {
        agent = req.get_header_value("User-Agent");
        cacheControl = req.get_header_value("Cache-Control");
        pragma = req.get_header_value("Pragma");
        res.set_content("moved here", "text/plain");
    });
    ASSERT_TRUE(m_server.Start());

    auto request = InternetRequest::Open(*m_session, m_server.Url("/old"));
    ASSERT_TRUE(request);
    std::string body;
    EXPECT_TRUE(ReadAll(*request, 3, body));
    EXPECT_EQ(body, "moved here");
    EXPECT_EQ(agent, "dova");
    EXPECT_EQ(cacheControl, "no-cache");
    EXPECT_EQ(pragma, "no-cache");
}

TEST(InternetRequestRedirects, AnHttpsAddressIsNeverRedirectedToHttp)
{
    EXPECT_EQ(plat::RedirectSchemesFor("https://update.example/x"), "https");
    EXPECT_EQ(plat::RedirectSchemesFor("HTTPS://update.example/x"), "https");
    EXPECT_EQ(plat::RedirectSchemesFor("http://update.example/x"), "http,https");
}

TEST_F(InternetRequestTest, LargeBodyArrivesWholeInAnyPieceSize)
{
    std::string payload(3 * 1000 * 1000 + 7, '\0');
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>((i * 7919) >> 5);
    m_server.Http().Get("/big", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(payload, "application/octet-stream");
    });
    ASSERT_TRUE(m_server.Start());

    for (std::size_t piece : { std::size_t(1000), std::size_t(10240), std::size_t(1 << 20) }) {
        auto request = InternetRequest::Open(*m_session, m_server.Url("/big"));
        ASSERT_TRUE(request);
        std::string body;
        EXPECT_TRUE(ReadAll(*request, piece, body));
        EXPECT_TRUE(body == payload) << "piece size " << piece;
        std::size_t n = 99;
        char after[4];
        EXPECT_TRUE(request->Read(after, sizeof after, n));
        EXPECT_EQ(n, 0u);
    }
}

TEST_F(InternetRequestTest, BrokenTransferIsAFailedReadAfterTheDataThatArrived)
{
    m_server.Http().Get("/cut", [](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(100000, "application/octet-stream",
            [](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (offset >= 5000)
                    return false; // drop the connection part-way
                sink.write(std::string(5000, 'x').data(), 5000);
                return true;
            });
    });
    ASSERT_TRUE(m_server.Start());

    auto request = InternetRequest::Open(*m_session, m_server.Url("/cut"));
    ASSERT_TRUE(request);
    std::string body;
    EXPECT_FALSE(ReadAll(*request, 1024, body));
    EXPECT_EQ(body, std::string(5000, 'x'));
}

TEST_F(InternetRequestTest, ErrorStatusesStillDeliverTheirBody)
{
    m_server.Http().set_error_handler([](const httplib::Request&, httplib::Response& res) {
        res.set_content("<html>missing</html>", "text/html");
    });
    ASSERT_TRUE(m_server.Start());
    auto request = InternetRequest::Open(*m_session, m_server.Url("/nothing"));
    ASSERT_TRUE(request);
    std::string body;
    EXPECT_TRUE(ReadAll(*request, 100, body));
    EXPECT_EQ(body, "<html>missing</html>");
}

TEST_F(InternetRequestTest, ReportsTheResponseAndEndsOnCancelOrTimeout)
{
    m_server.Http().Get("/old", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/new?a=1"); });
    m_server.Http().Get("/new", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("x", "text/html; charset=gbk");
    });
    m_server.Http().Get("/endless", [](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/plain", [](std::size_t, httplib::DataSink& sink) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            return sink.write("more", 4);
        });
    });
    ASSERT_TRUE(m_server.Start());

    auto moved = InternetRequest::Open(*m_session, m_server.Url("/old"));
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->StatusCode(), 200);
    EXPECT_EQ(moved->ContentType(), "text/html; charset=gbk");
    EXPECT_EQ(moved->EffectiveUrl(), m_server.Url("/new?a=1"));

    // A body that never ends: the time limit, or the flag set from another
    // thread, ends it (the bounds are far above both, for a loaded machine).
    auto started = std::chrono::steady_clock::now();
    auto timed = InternetRequest::Open(*m_session, m_server.Url("/endless"), { nullptr, 300 });
    ASSERT_TRUE(timed);
    std::string body;
    EXPECT_FALSE(ReadAll(*timed, 1024, body));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));

    std::atomic<bool> cancel { false };
    auto cancelled = InternetRequest::Open(*m_session, m_server.Url("/endless"), { &cancel, 0 });
    ASSERT_TRUE(cancelled);
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        cancel = true;
    });
    started = std::chrono::steady_clock::now();
    body.clear();
    EXPECT_FALSE(ReadAll(*cancelled, 1 << 20, body));
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_FALSE(InternetRequest::Open(*m_session, m_server.Url("/endless"), { &cancel, 0 })) << "already cancelled";
}

TEST_F(InternetRequestTest, AddressesThatCannotBeOpened)
{
    // A port nobody listens on: bind one, then let it go.
    int freePort = 0;
    {
        LoopbackServer probe;
        ASSERT_TRUE(probe.Start());
        freePort = probe.Port();
    }
    std::string refused = "http://127.0.0.1:" + std::to_string(freePort) + "/x";
    EXPECT_FALSE(InternetRequest::Open(*m_session, refused));
    EXPECT_FALSE(InternetRequest::Open(*m_session, "file:///etc/hostname"));
    EXPECT_FALSE(InternetRequest::Open(*m_session, "not an address"));
    EXPECT_FALSE(InternetRequest::Open(*m_session, ""));
}

TEST_F(InternetRequestTest, UsesTheProxyNamedByTheEnvironment)
{
    std::string seenTarget;
    m_server.Http().Get(".*", [&](const httplib::Request& req, httplib::Response& res) {
        seenTarget = req.target;
        res.set_content("via proxy", "text/plain");
    });
    ASSERT_TRUE(m_server.Start());

    setenv("http_proxy", m_server.Url("").c_str(), 1);
    auto request = InternetRequest::Open(*m_session, "http://update.example.invalid/lv/x?v=1");
    unsetenv("http_proxy");
    ASSERT_TRUE(request);
    std::string body;
    EXPECT_TRUE(ReadAll(*request, 64, body));
    EXPECT_EQ(body, "via proxy");
    EXPECT_EQ(seenTarget, "http://update.example.invalid/lv/x?v=1");
}
