#include "update/HttpFetch.h"

#include "platform/fs/File.h"

#include <array>
#include <cstring>
#include <new>

namespace {

constexpr const char* kUserAgent = "dova";
constexpr std::size_t kChunk = 10240;
// Room for a chunk and the zero byte stored after it.
using TransferBuffer = std::array<char, kChunk + 2>;

// A body announced longer than the limit is refused before any of it comes.
bool IsDeclaredTooLong(const plat::InternetRequest& request, std::uint64_t limit)
{
    const std::int64_t declared = request.DeclaredLength();
    return declared > 0 && static_cast<std::uint64_t>(declared) > limit;
}

}

CHttpFetch::~CHttpFetch()
{
    CloseHandles();
}

long CHttpFetch::StatusCode() const
{
    return m_status;
}

int CHttpFetch::CloseHandles()
{
    m_request.reset();
    m_root.reset();
    return 0;
}

int CHttpFetch::Open(const char* url)
{
    CloseHandles();
    m_status = 0;
    m_root = plat::InternetSession::Open(kUserAgent);
    if (!m_root)
        return kNoSession;
    if (!url)
        return kNoAddress;
    m_request = plat::InternetRequest::Open(*m_root, url);
    if (!m_request)
        return kNoAddress;
    // Opening waited for the response's head, so its status is known.
    m_status = m_request->StatusCode();
    return kOk;
}

// The address is a copy: a caller may pass one string as address and text.
int CHttpFetch::FetchText(std::string url, std::string& text) // NOLINT(performance-unnecessary-value-param)
{
    text.clear();
    if (int result = Open(url.c_str()); result != kOk)
        return result;
    if (IsDeclaredTooLong(*m_request, m_limits.text))
        return kTooLarge;
    TransferBuffer buffer {};
    std::uint64_t received = 0;
    for (;;) {
        std::size_t n = 0;
        if (!m_request->Read(buffer.data(), kChunk, n))
            return kOk;
        if (n == 0) {
            CloseHandles();
            return kOk;
        }
        received += n;
        if (received > m_limits.text) {
            text.clear();
            text.shrink_to_fit();
            CloseHandles();
            return kTooLarge;
        }
        buffer[n] = '\0';
        try {
            text.append(buffer.data(), std::strlen(buffer.data()));
        } catch (const std::bad_alloc&) {
            return kOutOfMemory;
        } catch (const std::length_error&) {
            return kOutOfMemory;
        }
    }
}

int CHttpFetch::FetchFile(const char* url, const char* path)
{
    if (int result = Open(url); result != kOk)
        return result;
    if (IsDeclaredTooLong(*m_request, m_limits.file))
        return kTooLarge;
    TransferBuffer buffer {};
    // Created afresh without following links: whatever stood at the name
    // (a link to a file elsewhere, say) is replaced, never written through.
    plat::File file;
    if (!path || !file.Open(path, plat::File::Mode::CreateNew))
        return kFileNotCreated;
    std::uint64_t received = 0;
    for (;;) {
        std::size_t n = 0;
        if (!m_request->Read(buffer.data(), kChunk, n))
            return kOk;
        if (n == 0) {
            file.Abort();
            CloseHandles();
            return kOk;
        }
        received += n;
        if (received > m_limits.file) {
            CloseHandles();
            return kTooLarge;
        }
        try {
            file.Write(buffer.data(), n);
        } catch (const plat::FileException&) {
            // A short file shows up in the caller's digest check.
            return kOk;
        }
    }
}

std::string HttpStatusNote(const CHttpFetch& fetch)
{
    const long status = fetch.StatusCode();
    return status == 0 ? std::string() : " (HTTP " + std::to_string(status) + ")";
}
