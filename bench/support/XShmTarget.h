#pragma once

// The floor of showing a frame under X: a window on top with a shared-memory
// image of its size, put with XShmPutImage and synchronised with the server.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstddef>

namespace benchsupport {

struct XShmTarget {
    Display* display = nullptr;
    Window window = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    XShmSegmentInfo shm {};
    int width = 0;
    int height = 0;

    // False when there is no display or no shared-memory extension; Close still applies.
    bool Open(int w, int h)
    {
        width = w;
        height = h;
        display = XOpenDisplay(nullptr);
        if (!display || !XShmQueryExtension(display))
            return false;
        int screen = DefaultScreen(display);
        window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, width, height, 0, 0, 0);
        XMapRaised(display, window);
        gc = XCreateGC(display, window, 0, nullptr);
        image = XShmCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen), ZPixmap, nullptr,
            &shm, width, height);
        if (!image)
            return false;
        shm.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image->bytes_per_line) * image->height, IPC_CREAT | 0600);
        shm.shmaddr = image->data = static_cast<char*>(shmat(shm.shmid, nullptr, 0));
        shm.readOnly = False;
        XShmAttach(display, &shm);
        XSync(display, False);
        shmctl(shm.shmid, IPC_RMID, nullptr);
        return true;
    }
    // Each case draws into a window on top, so nothing it shows is clipped away.
    void Raise()
    {
        XRaiseWindow(display, window);
        XSync(display, False);
    }
    void Put()
    {
        XShmPutImage(display, window, gc, image, 0, 0, 0, 0, width, height, False);
        XSync(display, False);
    }
    void Close()
    {
        if (!display)
            return;
        if (image) {
            XShmDetach(display, &shm);
            image->data = nullptr; // shared memory, not XDestroyImage's to free
            XDestroyImage(image);
            shmdt(shm.shmaddr);
        }
        XCloseDisplay(display);
        display = nullptr;
    }
};

}
