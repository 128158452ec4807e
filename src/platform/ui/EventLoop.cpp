#include "platform/ui/EventLoop.h"

#include "platform/ui/Cursor.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/DisplayCheck.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Painter.h"
#include "platform/ui/Timers.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowSystem.h"

#include "platform/sys/OwnEnvironment.h"

#include <SDL.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

namespace plat {

namespace {

struct QueueItem {
    enum class Kind { Message,
        Timer,
        Task,
        Input };
    Kind kind = Kind::Message;
    HWND hwnd = 0;
    Message message;
    std::uint64_t serial = 0;
    std::function<void()> task;
    SDL_Event input {};
};

struct Queue {
    std::mutex mutex;
    std::deque<QueueItem> items;
    std::deque<std::function<void()>> idle;
};

Queue& TheQueue()
{
    static Queue queue;
    return queue;
}

std::atomic<Uint32> g_wakeEvent { 0 }; // 0 until SDL is up

// The frames paced to the display (SetFrameSource); UI thread only.
struct FrameSource {
    HWND owner = 0;
    std::function<bool()> frame;
};

FrameSource& TheFrameSource()
{
    static FrameSource source;
    return source;
}

// Waiting for input while frames run: short, so that a frame that found
// no buffer is tried again soon.
constexpr int kFrameRetryMs = 16;
constexpr int kInputWaitMs = 100;

// Readable while something was queued since the loop last woke up.
int WakeFd()
{
    static const int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    return fd;
}

// Wakes the loop wherever it waits: on SDL's queue or on the X connection.
void Wake()
{
    if (int fd = WakeFd(); fd >= 0) {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t written = write(fd, &one, sizeof one);
    }
    if (Uint32 type = g_wakeEvent.load()) {
        SDL_Event wake {};
        wake.type = type;
        SDL_PushEvent(&wake);
    }
}

void TakeWake()
{
    std::uint64_t count = 0;
    if (int fd = WakeFd(); fd >= 0)
        [[maybe_unused]]
        ssize_t got = read(fd, &count, sizeof count);
}

void Enqueue(QueueItem item)
{
    {
        Queue& q = TheQueue();
        std::lock_guard lock(q.mutex);
        q.items.push_back(std::move(item));
    }
    Wake();
}

std::optional<QueueItem> Dequeue()
{
    Queue& q = TheQueue();
    std::lock_guard lock(q.mutex);
    if (q.items.empty())
        return std::nullopt;
    QueueItem item = std::move(q.items.front());
    q.items.pop_front();
    return item;
}

std::function<void()> DequeueIdle()
{
    Queue& q = TheQueue();
    std::lock_guard lock(q.mutex);
    if (q.idle.empty())
        return {};
    std::function<void()> task = std::move(q.idle.front());
    q.idle.pop_front();
    return task;
}

void Process(QueueItem& item)
{
    switch (item.kind) {
    case QueueItem::Kind::Message:
        windows::Send(item.hwnd, item.message.id, item.message.wParam, item.message.lParam);
        break;
    case QueueItem::Kind::Timer:
        if (timers::TakeTick(item.hwnd, item.message.wParam, item.serial))
            windows::Send(item.hwnd, WM_TIMER, item.message.wParam, 0);
        break;
    case QueueItem::Kind::Task:
        if (item.task)
            item.task();
        break;
    case QueueItem::Kind::Input:
        input::Route(item.input);
        break;
    }
}

void PresentAll()
{
    for (HWND hwnd : windows::TopLevels()) {
        WindowData* data = windows::Find(hwnd);
        if (NativeWindow* native = data ? data->Native() : nullptr)
            native->Present();
    }
}

// An event read from SDL, as the window system means it.
void HandleWindowSystemEvent(const SDL_Event& event)
{
    if (std::optional<SDL_Event> translated = TheWindowSystem().Translate(event))
        input::Route(*translated);
}

bool PumpOne(bool wait)
{
    NativeWindow::BuryRetired();
    cursor::HideIfStill();
    if (std::optional<QueueItem> item = Dequeue()) {
        Process(*item);
        PresentAll();
        return true;
    }
    SDL_Event event;
    if (SDL_PollEvent(&event)) {
        HandleWindowSystemEvent(event);
        PresentAll();
        return true;
    }
    if (painter::PaintPending()) {
        PresentAll();
        return true;
    }
    if (std::function<void()> idle = DequeueIdle()) {
        idle();
        PresentAll();
        return true;
    }
    if (!wait)
        return false;
    int waitMs = kInputWaitMs;
    if (FrameSource source = TheFrameSource(); source.frame) {
        if (source.frame())
            return true;
        waitMs = kFrameRetryMs;
    }
    if (TheWindowSystem().Wait(WakeFd(), waitMs)) {
        TakeWake();
        return true;
    }
    if (SDL_WaitEventTimeout(&event, waitMs)) {
        HandleWindowSystemEvent(event);
        PresentAll();
    }
    return true;
}

}

namespace {

// The windows' class and application id, which desktops match to the
// desktop entry (its StartupWMClass) for its name and icon; and an empty
// compose table: the program takes no text that keys compose (its typed
// characters are mnemonics and '?'), and reading the locale's table, some
// thousands of lines, was a large part of starting video. SDL and the
// keyboard libraries read these from the environment when video starts.
// They are set as the program loads, before main and so before any thread:
// adding a variable may move the environment while another thread reads it
// (the font look-up thread runs while video starts).
[[maybe_unused]] const bool g_videoVariablesSet = [] {
    SetOwnVariable("SDL_VIDEO_X11_WMCLASS", "lumivex");
    SetOwnVariable("SDL_VIDEO_WAYLAND_WMCLASS", "lumivex");
    SetOwnVariable("XCOMPOSEFILE", "/dev/null");
    return true;
}();

}

bool InitUi()
{
    if (g_wakeEvent.load() != 0)
        return true;
    // The window surface through shared memory: the accelerated default
    // path costs about ten times as much per frame under a plain X server.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Ctrl+C in a terminal ends the program instead of posting a quit event.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A click on a window that is not active is a click, as users expect.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0)
        return false;
    if (!VideoShowsWindows()) {
        SDL_Quit();
        return false;
    }
    ChooseWindowSystem();
    TheWindowSystem().Start();
    Uint32 type = SDL_RegisterEvents(1);
    if (type == static_cast<Uint32>(-1))
        return false;
    g_wakeEvent.store(type);
    return true;
}

void PostTask(std::function<void()> task)
{
    QueueItem item;
    item.kind = QueueItem::Kind::Task;
    item.task = std::move(task);
    Enqueue(std::move(item));
}

void PostIdleTask(std::function<void()> task)
{
    {
        Queue& q = TheQueue();
        std::lock_guard lock(q.mutex);
        q.idle.push_back(std::move(task));
    }
    Wake();
}

void SetFrameSource(HWND owner, std::function<bool()> frame) { TheFrameSource() = { owner, std::move(frame) }; }

void ClearFrameSource(HWND owner)
{
    if (TheFrameSource().owner == owner)
        TheFrameSource() = {};
}

void ProcessPendingMessages()
{
    if (!InitUi())
        return;
    while (PumpOne(false)) { }
}

void RunMessageLoop(const bool& done)
{
    if (!InitUi())
        return;
    while (!done)
        PumpOne(true);
}

namespace loop {

bool Post(HWND hwnd, const Message& message)
{
    if (hwnd == 0)
        return false;
    QueueItem item;
    item.kind = QueueItem::Kind::Message;
    item.hwnd = hwnd;
    item.message = message;
    Enqueue(std::move(item));
    return true;
}

void PostTimer(HWND hwnd, std::uintptr_t id, std::uint64_t serial)
{
    QueueItem item;
    item.kind = QueueItem::Kind::Timer;
    item.hwnd = hwnd;
    item.message = { WM_TIMER, id, 0 };
    item.serial = serial;
    Enqueue(std::move(item));
}

void PushInput(const SDL_Event& event)
{
    QueueItem item;
    item.kind = QueueItem::Kind::Input;
    item.input = event;
    Enqueue(std::move(item));
}

}

}
