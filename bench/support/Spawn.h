#pragma once

// Starts a program of the benchmark (argv[0] is its path), optionally with
// its own cache folder. The child's pid, or -1. ExecArgv is what the child
// does once it is set up.

#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

namespace benchsupport {

[[noreturn]] inline void ExecArgv(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

inline pid_t Spawn(const std::vector<std::string>& argv, const std::string& cacheFolder = {})
{
    if (argv.empty())
        return -1;
    pid_t pid = fork();
    if (pid == 0) {
        if (!cacheFolder.empty())
            setenv("XDG_CACHE_HOME", cacheFolder.c_str(), 1);
        ExecArgv(argv);
    }
    return pid;
}

}
