#pragma once

// An Xvfb of the benchmark's own with a fake refresh rate, on a free
// display, $DISPLAY while it runs. The server writes its display number
// into a file, as the check scripts have it do; it ends with the benchmark
// even if the benchmark dies.

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace benchsupport {

class FakeRefreshXvfb {
public:
    bool Start(const char* screen, int fps)
    {
        char folder[] = "/tmp/bench-present-XXXXXX";
        if (!mkdtemp(folder))
            return false;
        const std::string file = std::string(folder) + "/display";
        m_pid = fork();
        if (m_pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            const std::string command = "exec Xvfb -displayfd 3 -screen 0 " + std::string(screen) + " -nolisten tcp -noreset -fakescreenfps " + std::to_string(fps) + " 3>" + file + " >/dev/null 2>&1";
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        std::string number;
        for (int i = 0; i < 200 && number.empty() && m_pid > 0; ++i) {
            usleep(25'000);
            if (FILE* f = std::fopen(file.c_str(), "r")) {
                char line[16] = {};
                if (std::fgets(line, sizeof line, f) && std::strchr(line, '\n'))
                    number.assign(line, std::strcspn(line, "\n"));
                (void)std::fclose(f);
            }
        }
        (void)std::remove(file.c_str());
        rmdir(folder);
        if (number.empty())
            return false;
        setenv("DISPLAY", (":" + number).c_str(), 1);
        return true;
    }
    void Stop()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        m_pid = 0;
    }

private:
    pid_t m_pid = 0;
};

}
