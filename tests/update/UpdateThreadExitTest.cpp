#include "update/UpdateThread.h"

#include "platform/sys/WorkerThread.h"
#include "support/SilentServer.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr const char* kChildVariable = "LV_SILENT_SERVER_CHILD";

// Inside the child: start the update thread as the main window does, and end
// the process once the parent, which has seen the thread's request reach a
// server that never answers, closes this process's input.
TEST(UpdateThreadExitChild, EndsWhileTheThreadWaits)
{
    if (!std::getenv(kChildVariable))
        GTEST_SKIP() << "runs only inside the process that the exit test starts";
    ASSERT_TRUE(plat::BeginThread(&UpdateThreadProc, nullptr));
    std::string ignored;
    std::getline(std::cin, ignored);
}

TEST(UpdateThreadExit, ProcessEndsWhileTheServerNeverAnswers)
{
    lvtest::SilentServer server;
    ASSERT_GT(server.Port(), 0);
    // The request never gets an answer, so an exit that waited for the
    // thread would never come; `timeout` ends such a child with status 124.
    const std::string command = std::string(kChildVariable) + "=1 LUMIVEX_UPDATE_SERVER=" + server.Address()
        + " timeout 60 /proc/" + std::to_string(::getpid())
        + "/exe --gtest_filter=UpdateThreadExitChild.* >/dev/null 2>&1";
    std::FILE* child = ::popen(command.c_str(), "w");
    ASSERT_TRUE(child);
    EXPECT_TRUE(server.AcceptWithin(60'000)) << "the update thread never asked for the manifest";
    const int status = ::pclose(child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}
