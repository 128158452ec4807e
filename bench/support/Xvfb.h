#pragma once

// An X server of the benchmark's own (Xvfb), on the first free display from
// a given number, made $DISPLAY once it accepts connections. It ends with
// the benchmark even if the benchmark dies.

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace benchsupport {

class Xvfb {
public:
    // `screen` as Xvfb takes it, e.g. "1920x1080x24". False when no server could be started.
    bool Start(const char* screen, int firstDisplay)
    {
        for (int n = firstDisplay; n < firstDisplay + 100; ++n) {
            std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
            if (access(lock.c_str(), F_OK) == 0)
                continue;
            std::string display = ":" + std::to_string(n);
            pid_t pid = fork();
            if (pid == 0) {
                prctl(PR_SET_PDEATHSIG, SIGTERM); // no server left behind if the benchmark dies
                // Without -noreset the server resets as the check below
                // disconnects, and a connection made meanwhile is refused.
                execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", screen, "-nolisten", "tcp", "-noreset",
                    static_cast<char*>(nullptr));
                _exit(127);
            }
            if (pid < 0)
                return false;
            m_pid = pid;
            for (int i = 0; i < 200; ++i) {
                setenv("DISPLAY", display.c_str(), 1);
                if (Display* d = XOpenDisplay(nullptr)) {
                    XCloseDisplay(d);
                    return true;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(25));
            }
            return false;
        }
        return false;
    }

    // Ends the server, if one was started.
    void Stop()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        m_pid = 0;
    }

    bool Running() const { return m_pid > 0; }

private:
    pid_t m_pid = 0;
};

}
