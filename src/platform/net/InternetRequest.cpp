#include "platform/net/InternetRequest.h"

#include "platform/AsciiCase.h"
#include "platform/net/CurlLibrary.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

namespace plat {

namespace {

constexpr long kMaxRedirects = 20;
constexpr long kReceiveBuffer = 64 * 1024;
constexpr int kPollMilliseconds = 1000;
constexpr int kCancellablePollMilliseconds = 100;

std::atomic<long> g_connectSeconds { StallLimits {}.connectSeconds };
std::atomic<long> g_lowSpeedSeconds { StallLimits {}.lowSpeedSeconds };

}

std::string_view RedirectSchemesFor(std::string_view url)
{
    return StartsWithIgnoringAsciiCase(url, "https:") ? "https" : "http,https";
}

void SetStallLimitsForTesting(StallLimits limits)
{
    g_connectSeconds = limits.connectSeconds;
    g_lowSpeedSeconds = limits.lowSpeedSeconds;
}

std::unique_ptr<InternetRequest> InternetRequest::Open(const InternetSession& session, std::string_view url,
    RequestLimits limits)
{
    const CurlLibrary& curl = session.Curl();
    std::unique_ptr<InternetRequest> request(new InternetRequest);
    request->m_curl = &curl;
    request->m_cancel = limits.cancel;
    CURL* easy = curl.easyInit();
    request->m_easy = easy;
    request->m_multi = curl.multiInit();
    if (!easy || !request->m_multi)
        return nullptr;

    // Always fetch from the server, as a reload would.
    for (const char* header : { "Cache-Control: no-cache", "Pragma: no-cache" }) {
        curl_slist* grown = curl.slistAppend(request->m_headers, header);
        if (!grown)
            return nullptr;
        request->m_headers = grown;
    }
    std::string address(url);
    bool ok = curl.easySetopt(easy, CURLOPT_URL, address.c_str()) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, std::string(RedirectSchemesFor(url)).c_str())
            == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_USERAGENT, session.UserAgent().c_str()) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_HTTPHEADER, request->m_headers) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_CONNECTTIMEOUT, g_connectSeconds.load()) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_LOW_SPEED_TIME, g_lowSpeedSeconds.load()) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_BUFFERSIZE, kReceiveBuffer) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_WRITEFUNCTION, &InternetRequest::OnData) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_WRITEDATA, request.get()) == CURLE_OK
        && curl.easySetopt(easy, CURLOPT_TIMEOUT_MS, limits.timeoutMs) == CURLE_OK
        && curl.multiAddHandle(request->m_multi, easy) == CURLM_OK;
    if (!ok)
        return nullptr;

    request->Pump(Wait::FirstByte);
    long status = 0;
    curl.easyGetinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    if (request->m_failed && (status == 0 || (limits.cancel && limits.cancel->load())))
        return nullptr;
    return request;
}

InternetRequest::~InternetRequest()
{
    if (m_multi && m_easy)
        m_curl->multiRemoveHandle(m_multi, m_easy);
    if (m_easy)
        m_curl->easyCleanup(m_easy);
    if (m_multi)
        m_curl->multiCleanup(m_multi);
    m_curl->slistFreeAll(m_headers);
}

bool InternetRequest::Read(void* buffer, std::size_t size, std::size_t& bytesRead)
{
    bytesRead = 0;
    if (!buffer || size == 0)
        return true;
    m_target = static_cast<char*>(buffer);
    m_targetSize = size;
    m_targetFilled = std::min(size, m_pending.size() - m_pendingPos);
    if (m_targetFilled > 0)
        std::memcpy(m_target, m_pending.data() + m_pendingPos, m_targetFilled);
    m_pendingPos += m_targetFilled;
    if (m_pendingPos == m_pending.size()) {
        m_pending.clear();
        m_pendingPos = 0;
    }
    if (m_targetFilled < size && !m_done)
        Pump(Wait::Fill);
    bytesRead = m_targetFilled;
    m_target = nullptr;
    m_targetSize = 0;
    m_targetFilled = 0;
    return bytesRead > 0 || !m_failed;
}

std::int64_t InternetRequest::DeclaredLength() const
{
    curl_off_t length = -1;
    if (m_curl->easyGetinfo(m_easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK)
        return -1;
    return length;
}

long InternetRequest::StatusCode() const
{
    long status = 0;
    m_curl->easyGetinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

std::string InternetRequest::ContentType() const
{
    char* type = nullptr;
    if (m_curl->easyGetinfo(m_easy, CURLINFO_CONTENT_TYPE, &type) != CURLE_OK || !type)
        return {};
    return type;
}

std::string InternetRequest::EffectiveUrl() const
{
    char* url = nullptr;
    if (m_curl->easyGetinfo(m_easy, CURLINFO_EFFECTIVE_URL, &url) != CURLE_OK || !url)
        return {};
    return url;
}

bool InternetRequest::Pump(Wait wait)
{
    for (;;) {
        if (m_cancel && m_cancel->load()) {
            m_done = true;
            m_failed = true;
            return false;
        }
        int running = 0;
        if (m_curl->multiPerform(m_multi, &running) != CURLM_OK) {
            m_done = true;
            m_failed = true;
        }
        int queued = 0;
        while (CURLMsg* message = m_curl->multiInfoRead(m_multi, &queued)) {
            if (message->msg != CURLMSG_DONE)
                continue;
            m_done = true;
            m_failed = message->data.result != CURLE_OK;
        }
        if (m_done)
            return !m_failed;
        bool met = wait == Wait::FirstByte ? !m_pending.empty() : m_targetFilled == m_targetSize;
        if (met)
            return true;
        int pollMs = m_cancel ? kCancellablePollMilliseconds : kPollMilliseconds;
        if (m_curl->multiPoll(m_multi, nullptr, 0, pollMs, nullptr) != CURLM_OK) {
            m_done = true;
            m_failed = true;
            return false;
        }
    }
}

std::size_t InternetRequest::OnData(char* data, std::size_t size, std::size_t count, void* self)
{
    auto* request = static_cast<InternetRequest*>(self);
    std::size_t total = size * count;
    std::size_t direct = 0;
    if (request->m_target) {
        direct = std::min(total, request->m_targetSize - request->m_targetFilled);
        if (direct > 0)
            std::memcpy(request->m_target + request->m_targetFilled, data, direct);
        request->m_targetFilled += direct;
    }
    try {
        request->m_pending.insert(request->m_pending.end(), data + direct, data + total);
    } catch (const std::bad_alloc&) {
        return 0; // ends the transfer as a failed read
    }
    return total;
}

}
