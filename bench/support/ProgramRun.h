#pragma once

// Runs a program of the benchmark with its standard output caught: after a
// given time `end` is called (to press Escape, say), and a program still
// running at the limit is killed, so a hang ends the run.

#include "support/Spawn.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace benchsupport {

struct ProgramRun {
    std::string out;
    int status = -1; // the exit status, -1 when killed or not started
};

inline std::int64_t NowMs()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
}

inline ProgramRun RunProgram(const std::vector<std::string>& argv, int endAfterMs, const std::function<void()>& end, int limitMs)
{
    ProgramRun run;
    int out[2];
    if (argv.empty() || pipe(out) != 0)
        return run;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        ExecArgv(argv);
    }
    close(out[1]);
    if (pid < 0) {
        close(out[0]);
        return run;
    }
    const std::int64_t start = NowMs();
    bool ended = endAfterMs <= 0 || !end;
    for (;;) {
        const std::int64_t now = NowMs();
        if (!ended && now - start >= endAfterMs) {
            end();
            ended = true;
        }
        if (now - start >= limitMs) {
            kill(pid, SIGKILL);
            break;
        }
        pollfd fd { out[0], POLLIN, 0 };
        if (poll(&fd, 1, 50) > 0) {
            char buffer[4096];
            const ssize_t n = read(out[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            run.out.append(buffer, static_cast<std::size_t>(n));
        }
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}
