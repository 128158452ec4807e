#include "platform/sys/DetachedSpawn.h"

#include "platform/sys/OwnEnvironment.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace plat {

namespace {

// Reads the child's report: nothing (the pipe closed on exec) means success.
bool ExecSucceeded(int readEnd)
{
    int error = 0;
    ssize_t got;
    do {
        got = read(readEnd, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    return got == 0;
}

// In the middle process: whether the program ended with a failure status
// within `watchMs`. Only async-signal-safe calls (waitpid, nanosleep).
bool WatchedFailure(pid_t program, int watchMs)
{
    constexpr int kPollMs = 10;
    for (int waited = 0; waited < watchMs; waited += kPollMs) {
        int status = 0;
        if (waitpid(program, &status, WNOHANG) == program)
            return !WIFEXITED(status) || WEXITSTATUS(status) != 0;
        const timespec pause { 0, kPollMs * 1000000L };
        nanosleep(&pause, nullptr);
    }
    return false;
}

}

bool SpawnDetached(const std::string& path, const std::vector<std::string>& args, const std::string& directory,
    int watchMs)
{
    if (path.empty() || args.empty())
        return false;
    // Everything the children use is prepared before fork: between fork and
    // exec only async-signal-safe calls are allowed.
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const std::vector<std::string> environment = EnvironmentForPrograms();
    std::vector<char*> envp;
    envp.reserve(environment.size() + 1);
    for (const std::string& e : environment)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const char* dir = directory.empty() ? nullptr : directory.c_str();

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return false;
    pid_t middle = fork();
    if (middle < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (middle == 0) {
        setsid();
        pid_t grandchild = fork();
        if (grandchild < 0)
            _exit(1);
        if (grandchild > 0)
            _exit(WatchedFailure(grandchild, watchMs) ? 1 : 0);
        // The program gets no descriptor of ours but the standard three
        // (and the report pipe, closed by the exec): files and sockets that
        // other threads opened without close-on-exec stay here.
        if (report[1] > 3)
            close_range(3, static_cast<unsigned>(report[1]) - 1, 0);
        close_range(static_cast<unsigned>(report[1]) + 1, ~0u, 0);
        int error = 0;
        if (dir && chdir(dir) != 0) {
            error = errno;
        } else {
            execve(path.c_str(), argv.data(), envp.data());
            error = errno;
        }
        ssize_t ignored = write(report[1], &error, sizeof error);
        (void)ignored;
        _exit(127);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) { }
    bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && ExecSucceeded(report[0]);
    close(report[0]);
    return ok;
}

std::string FindInPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        std::size_t colon = dirs.find(':');
        std::string_view dir = dirs.substr(0, colon);
        std::string candidate = std::string(dir.empty() ? "." : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string_view::npos)
            return {};
        dirs.remove_prefix(colon + 1);
    }
}

}
