// The framework on a real X server: GetCursorPos sees the pointer moved by
// another client (as xdotool does, by warping it); X errors about windows
// that are gone end nothing; windows opening and closing while another
// thread posts all the time. SDL needs a display from its start, so the
// checks run in a child process of this binary under an Xvfb that the test
// starts.

#include "UiTestSupport.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <X11/Xlib.h>

namespace {

constexpr const char* kChildVariable = "LV_X11_CHILD";

bool HasProgram(const char* name)
{
    std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// An Xvfb on a display it picks itself; stopped when this goes.
class Xvfb {
public:
    Xvfb()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
                static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char c = 0;
        while (pid_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number_ += c;
        close(fds[0]);
    }
    ~Xvfb()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    std::string Display() const { return number_.empty() ? "" : ":" + number_; }

private:
    pid_t pid_ = -1;
    std::string number_;
};

TEST(X11, ChecksInAChildOnItsOwnServer)
{
    if (!HasProgram("Xvfb"))
        GTEST_SKIP() << "Xvfb is not installed";
    Xvfb server;
    ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start";
    // SDL's X11 start-up leaves an allocation of the system's D-Bus library
    // behind; a leak check of the child (sanitizer builds) is about ours.
    char suppressions[] = "/tmp/lv-x11-lsan-XXXXXX";
    int fd = mkstemp(suppressions);
    ASSERT_GE(fd, 0);
    const char kDbus[] = "leak:libdbus-1.so\n";
    ASSERT_EQ(write(fd, kDbus, sizeof kDbus - 1), static_cast<ssize_t>(sizeof kDbus - 1));
    close(fd);
    pid_t child = fork();
    if (child == 0) {
        setenv("LSAN_OPTIONS", (std::string("suppressions=") + suppressions).c_str(), 1);
        setenv("DISPLAY", server.Display().c_str(), 1);
        setenv(kChildVariable, "1", 1);
        unsetenv("SDL_VIDEODRIVER");
        execl("/proc/self/exe", "test_platform_ui", "--gtest_filter=X11Child.*", static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    waitpid(child, &status, 0);
    unlink(suppressions);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the checks in the child failed (see its output above)";
}

TEST(X11Child, CursorSeesEveryWarp)
{
    if (!std::getenv(kChildVariable))
        GTEST_SKIP() << "started by X11.ChecksInAChildOnItsOwnServer only";
    ASSERT_TRUE(plat::InitUi());
    ASSERT_STREQ(SDL_GetCurrentVideoDriver(), "x11");
    uitest::TestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    plat::ProcessPendingMessages();

    ::Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    const plat::Point positions[] = { { 100, 200 }, { 300, 50 }, { 7, 9 }, { 639, 479 } };
    for (plat::Point p : positions) {
        XWarpPointer(other, 0, DefaultRootWindow(other), 0, 0, 0, 0, p.x, p.y);
        XSync(other, False);
        plat::ProcessPendingMessages();
        plat::Point got;
        ASSERT_TRUE(plat::GetCursorPos(&got));
        EXPECT_EQ(got, p) << "reported (" << got.x << ", " << got.y << ") for a pointer at (" << p.x << ", " << p.y
                          << ")";
    }
    XCloseDisplay(other);
    dlg.DestroyWindow();
    plat::ProcessPendingMessages();
}

// A request about a window that no longer exists, as one may reach the
// server after the window went: the X error is ignored, the program runs on.
TEST(X11Child, ErrorAboutAWindowThatIsGoneEndsNothing)
{
    if (!std::getenv(kChildVariable))
        GTEST_SKIP() << "started by X11.ChecksInAChildOnItsOwnServer only";
    ASSERT_TRUE(plat::InitUi());
    SDL_Window* window = SDL_CreateWindow("gone", 0, 0, 10, 10, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(window, &info));
    ::Display* display = info.info.x11.display;
    ::Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(display, gone);
    XMapWindow(display, gone);
    XEvent message {};
    message.xclient.type = ClientMessage;
    message.xclient.window = gone;
    message.xclient.format = 32;
    XSendEvent(display, gone, False, NoEventMask, &message);
    XSync(display, False);
    SDL_DestroyWindow(window);
    SUCCEED() << "still running";
}

// Another thread posts every millisecond, waking the loop, while windows
// open and close 200 times and the loop waits in between.
TEST(X11Child, WindowsComeAndGoWhileAnotherThreadPosts)
{
    if (!std::getenv(kChildVariable))
        GTEST_SKIP() << "started by X11.ChecksInAChildOnItsOwnServer only";
    ASSERT_TRUE(plat::InitUi());
    std::atomic<bool> stop { false };
    int handled = 0; // these three on the user-interface thread only
    int target = 0;
    bool roundDone = false;
    std::thread poster([&] {
        while (!stop) {
            plat::PostTask([&] { roundDone = ++handled >= target; });
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    for (int round = 0; round < 200; ++round) {
        uitest::TestDialog dlg;
        ASSERT_TRUE(dlg.Create());
        plat::ProcessPendingMessages();
        dlg.DestroyWindow();
        target = handled + 3;
        roundDone = false;
        plat::RunMessageLoop(roundDone);
    }
    stop = true;
    poster.join();
    plat::ProcessPendingMessages();
    EXPECT_GE(handled, 600);
}

}
