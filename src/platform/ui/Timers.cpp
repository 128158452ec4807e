#include "platform/ui/Timers.h"

#include "platform/ui/EventLoop.h"

#include <SDL.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace plat::timers {

namespace {

struct Timer {
    HWND hwnd = 0;
    std::uintptr_t id = 0;
    SDL_TimerID sdlId = 0;
    bool pending = false;
};

// Shared with SDL's timer thread: every access holds the mutex.
struct Registry {
    std::mutex mutex;
    std::map<std::uint64_t, Timer> bySerial;
    std::uint64_t nextSerial = 1;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

Uint32 OnTick(Uint32 interval, void* param)
{
    auto serial = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(param));
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto it = r.bySerial.find(serial);
    if (it == r.bySerial.end())
        return 0;
    if (!it->second.pending) {
        it->second.pending = true;
        loop::PostTimer(it->second.hwnd, it->second.id, serial);
    }
    return interval;
}

// Caller holds the mutex.
std::map<std::uint64_t, Timer>::iterator FindLocked(Registry& r, HWND hwnd, std::uintptr_t id)
{
    return std::find_if(r.bySerial.begin(), r.bySerial.end(),
        [&](const auto& entry) { return entry.second.hwnd == hwnd && entry.second.id == id; });
}

}

bool Set(HWND hwnd, std::uintptr_t id, unsigned elapseMs)
{
    Kill(hwnd, id);
    elapseMs = std::clamp(elapseMs, 10u, 0x7fffffffu);
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    std::uint64_t serial = r.nextSerial++;
    r.bySerial[serial] = Timer { hwnd, id, 0, false };
    SDL_TimerID sdlId = SDL_AddTimer(elapseMs, &OnTick, reinterpret_cast<void*>(static_cast<std::uintptr_t>(serial)));
    if (sdlId == 0) {
        r.bySerial.erase(serial);
        return false;
    }
    r.bySerial[serial].sdlId = sdlId;
    return true;
}

bool Kill(HWND hwnd, std::uintptr_t id)
{
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto it = FindLocked(r, hwnd, id);
    if (it == r.bySerial.end())
        return false;
    SDL_RemoveTimer(it->second.sdlId);
    r.bySerial.erase(it);
    return true;
}

void KillAll(HWND hwnd)
{
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    for (auto it = r.bySerial.begin(); it != r.bySerial.end();) {
        if (it->second.hwnd == hwnd) {
            SDL_RemoveTimer(it->second.sdlId);
            it = r.bySerial.erase(it);
        } else {
            ++it;
        }
    }
}

bool TakeTick(HWND hwnd, std::uintptr_t id, std::uint64_t serial)
{
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto it = r.bySerial.find(serial);
    if (it == r.bySerial.end() || it->second.hwnd != hwnd || it->second.id != id)
        return false;
    it->second.pending = false;
    return true;
}

int ActiveCount()
{
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    return static_cast<int>(r.bySerial.size());
}

}
