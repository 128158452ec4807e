#pragma once

// A compositor of the benchmark's own: mutter's headless back end with one
// 60 Hz virtual monitor, Wayland only, inside a session bus of its own
// (dbus-run-session), its socket in a private runtime folder. While it runs
// $XDG_RUNTIME_DIR and $WAYLAND_DISPLAY name it and SDL is told to use
// Wayland; Stop puts $XDG_RUNTIME_DIR back. The whole process group ends on Stop, and with the benchmark.

#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace benchsupport {

class HeadlessMutter {
public:
    bool Start()
    {
        char folder[] = "/tmp/bench-mutter-XXXXXX";
        if (!mkdtemp(folder))
            return false;
        m_folder = folder;
        if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"))
            m_oldRuntime = runtime;
        setenv("XDG_RUNTIME_DIR", folder, 1);
        m_pid = fork();
        if (m_pid == 0) {
            setpgid(0, 0);
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            const std::string log = m_folder + "/mutter.log";
            // The bus's address is written beside the socket for MutterKeyboard.
            const std::string command = "exec dbus-run-session -- sh -c 'echo \"$DBUS_SESSION_BUS_ADDRESS\" >" + m_folder
                + "/bus; exec mutter --headless --virtual-monitor 1280x720@60 --wayland --no-x11 --wayland-display=bench-wayland' >" + log + " 2>&1";
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        if (m_pid < 0)
            return false;
        const std::string socket = m_folder + "/bench-wayland";
        struct stat st { };
        for (int i = 0; i < 200 && stat(socket.c_str(), &st) != 0; ++i)
            usleep(50'000);
        if (stat(socket.c_str(), &st) != 0)
            return false;
        // The monitor is announced a little after the socket opens.
        usleep(2'000'000);
        setenv("WAYLAND_DISPLAY", "bench-wayland", 1);
        setenv("SDL_VIDEODRIVER", "wayland", 1);
        return true;
    }
    // The session bus mutter runs on; empty when unknown.
    std::string BusAddress() const
    {
        std::string address;
        if (FILE* f = std::fopen((m_folder + "/bus").c_str(), "r")) {
            char line[512] = {};
            if (std::fgets(line, sizeof line, f))
                address.assign(line, std::strcspn(line, "\n"));
            (void)std::fclose(f);
        }
        return address;
    }

    void Stop()
    {
        if (m_pid > 0) {
            kill(-m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        m_pid = 0;
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("SDL_VIDEODRIVER");
        if (m_oldRuntime)
            setenv("XDG_RUNTIME_DIR", m_oldRuntime->c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        m_oldRuntime.reset();
        if (!m_folder.empty())
            (void)std::system(("rm -rf '" + m_folder + "'").c_str());
        m_folder.clear();
    }

private:
    pid_t m_pid = 0;
    std::string m_folder;
    std::optional<std::string> m_oldRuntime;
};

}
