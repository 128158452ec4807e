#include "update/UpdateThread.h"

#include "platform/sys/WorkerThread.h"
#include "support/SilentServer.h"

#include <gtest/gtest.h>

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

TEST(UpdateThreadExit, ProcessEndsPromptlyWhileTheServerNeverAnswers)
{
    lvtest::SilentServer server;
    ASSERT_GT(server.Port(), 0);
    const std::string command = std::string(kChildVariable) + "=1 LUMIVEX_UPDATE_SERVER=" + server.Address()
        + " /proc/" + std::to_string(::getpid())
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
