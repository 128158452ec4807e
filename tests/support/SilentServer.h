#pragma once

// A server on 127.0.0.1 at a free port that accepts connections into its
// backlog and never answers.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace lvtest {

class SilentServer {
public:
    SilentServer()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
            || ::listen(m_fd, 8) != 0 || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
    }
    ~SilentServer()
    {
        for (int accepted : m_accepted)
            ::close(accepted);
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    int Port() const { return m_port; }
    std::string Address() const { return "http://127.0.0.1:" + std::to_string(m_port); }

    // True once a client has connected within `milliseconds`; the connection
    // is held open, unanswered, until the server ends.
    bool AcceptWithin(int milliseconds)
    {
        pollfd listening { m_fd, POLLIN, 0 };
        if (m_fd < 0 || ::poll(&listening, 1, milliseconds) != 1)
            return false;
        const int accepted = ::accept(m_fd, nullptr, nullptr);
        if (accepted < 0)
            return false;
        m_accepted.push_back(accepted);
        return true;
    }

private:
    int m_fd = -1;
    int m_port = 0;
    std::vector<int> m_accepted;
};

}
