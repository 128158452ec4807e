#pragma once

// A real HTTP server on 127.0.0.1 at a free port, running on its own thread
// for the lifetime of the object. Register routes on Http() before Start().

#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>

namespace lvtest {

class LoopbackServer {
public:
    LoopbackServer() = default;
    ~LoopbackServer()
    {
        m_server.stop();
        if (m_thread.joinable())
            m_thread.join();
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    httplib::Server& Http() { return m_server; }

    // False when no port could be bound.
    bool Start()
    {
        m_port = m_server.bind_to_any_port("127.0.0.1");
        if (m_port <= 0)
            return false;
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        for (int i = 0; i < 500 && !m_server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return m_server.is_running();
    }

    int Port() const { return m_port; }
    std::string Url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
};

}
