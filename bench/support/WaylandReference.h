#pragma once

// A bare Wayland client: its own connection and toplevel, three wl_shm
// buffers, one commit per frame callback with a wp_presentation_feedback,
// a 64 px bar moved 27 px a frame as the X11 reference moves it. Its
// feedback goes through the same accounting as the platform's presenter,
// so the two are judged alike. Connects to $WAYLAND_DISPLAY.

#include "platform/present/FrameLedger.h"

#include <memory>

namespace benchsupport {

class WaylandReference {
public:
    WaylandReference();
    ~WaylandReference();
    WaylandReference(const WaylandReference&) = delete;
    WaylandReference& operator=(const WaylandReference&) = delete;

    // The window mapped and configured, its buffers made; false when the
    // compositor lacks what the client needs or does not answer.
    bool Open(int width, int height);
    // `frames` frames of the moving bar, then every frame's feedback; false
    // when the connection failed or the compositor stopped answering.
    bool Run(int frames);
    const plat::present::FrameLedger& Ledger() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}
