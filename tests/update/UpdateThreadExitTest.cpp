#include "update/UpdateThread.h"

#include "platform/sys/WorkerThread.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

constexpr const char* kChildVariable = "LV_SILENT_SERVER_CHILD";

// Inside the child: start the update thread as the main window does, let it
// get stuck on a server that never answers, then end the process.
TEST(UpdateThreadExitChild, EndsWhileTheThreadWaits)
{
    if (!std::getenv(kChildVariable))
        GTEST_SKIP() << "runs only inside the process that the exit test starts";
    ASSERT_TRUE(plat::BeginThread(&UpdateThreadProc, nullptr));
    std::this_thread::sleep_for(std::chrono::milliseconds(kUpdateStartDelayMs + 1000));
}

// A server that accepts connections into its backlog and never answers.
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
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    int Port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

TEST(UpdateThreadExit, ProcessEndsPromptlyWhileTheServerNeverAnswers)
{
    SilentServer server;
    ASSERT_GT(server.Port(), 0);
    const std::string command = std::string(kChildVariable) + "=1 LUMIVEX_UPDATE_SERVER=http://127.0.0.1:"
        + std::to_string(server.Port()) + " /proc/" + std::to_string(::getpid())
        + "/exe --gtest_filter=UpdateThreadExitChild.* >/dev/null 2>&1";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // The child's own wait is 3 s; ending must not add a wait for the thread.
    EXPECT_LT(seconds, 6.0);
}

}
