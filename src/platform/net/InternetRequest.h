#pragma once

// One HTTP(S) GET, read by pulling: Open sends the request and waits for the
// response to begin; Read hands out the body in pieces. Redirects are followed,
// every request goes to the server (no cache), and the body is delivered
// whatever the status code. Everything blocks on the calling thread.

#include "platform/net/InternetSession.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct curl_slist;

namespace plat {

// When a transfer counts as stalled: no connection within `connectSeconds`,
// or less than one byte a second over `lowSpeedSeconds` (waiting for the
// response included). A stalled open fails; a stalled read is a failed read.
struct StallLimits {
    long connectSeconds = 30;
    long lowSpeedSeconds = 60;
};

// For tests only, which cannot wait a minute: the limits of requests opened
// from now on.
void SetStallLimitsForTesting(StallLimits limits);

// The schemes a request for `url` may be redirected to: an https address
// never falls back to plain http, where the body could be altered unseen.
std::string_view RedirectSchemesFor(std::string_view url);

// Limits for requests made on behalf of a window, which must end when the
// window goes: a flag that aborts the transfer within a tenth of a second
// once set, and a limit on the whole transfer's time (0: none).
struct RequestLimits {
    const std::atomic<bool>* cancel = nullptr;
    long timeoutMs = 0;
};

class InternetRequest {
public:
    // nullptr when the address is malformed, its scheme is not http or https,
    // or no response arrives (no such host, connection refused, TLS failure,
    // cancelled, timed out).
    static std::unique_ptr<InternetRequest> Open(const InternetSession& session, std::string_view url,
        RequestLimits limits = {});

    ~InternetRequest();
    InternetRequest(const InternetRequest&) = delete;
    InternetRequest& operator=(const InternetRequest&) = delete;

    // Fills `buffer` with up to `size` bytes and sets `bytesRead`; 0 bytes with
    // true means the body has ended. False when the transfer broke off; the
    // bytes that arrived before are delivered by earlier calls.
    bool Read(void* buffer, std::size_t size, std::size_t& bytesRead);

    // The body's length as the response declares it; -1 when it does not.
    std::int64_t DeclaredLength() const;
    // The response as it stands: the last status code, the Content-Type
    // header (empty when none) and the address after redirects.
    long StatusCode() const;
    std::string ContentType() const;
    std::string EffectiveUrl() const;

private:
    InternetRequest() = default;

    enum class Wait { FirstByte,
        Fill };
    // Runs the transfer until the pending wait is met or the transfer ends.
    bool Pump(Wait wait);
    static std::size_t OnData(char* data, std::size_t size, std::size_t count, void* self);

    const CurlLibrary* m_curl = nullptr;
    const std::atomic<bool>* m_cancel = nullptr;
    void* m_multi = nullptr;
    void* m_easy = nullptr;
    curl_slist* m_headers = nullptr;
    bool m_done = false;
    bool m_failed = false;
    // The caller's buffer during Read; data beyond it waits in m_pending.
    char* m_target = nullptr;
    std::size_t m_targetSize = 0;
    std::size_t m_targetFilled = 0;
    std::vector<char> m_pending;
    std::size_t m_pendingPos = 0;
};

}
