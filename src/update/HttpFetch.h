#pragma once

// Plain HTTP GET of one address into memory or into a file. The result says
// how the transfer ended:
//   0    the data ended, or a read failed part-way (what arrived is delivered)
//   1    FetchFile: the target file could not be created
//   201  no internet session
//   202  the address could not be opened
//   203  FetchText: the text could not grow (it keeps what was appended)
//   204  the body is longer than the fetch's limit (FetchText: the text is
//        empty; FetchFile: the file holds what arrived up to the limit)
// A failed fetch may leave its handles open; the next fetch on the object or
// its destruction closes them.

#include "platform/net/InternetRequest.h"
#include "platform/net/InternetSession.h"

#include <cstdint>
#include <memory>
#include <string>

class CHttpFetch {
public:
    // The longest body each kind of fetch takes: a manifest is small text,
    // a file is anything the update installs.
    struct Limits {
        std::uint64_t text = 4u << 20;
        std::uint64_t file = 512u << 20;
    };

    CHttpFetch() = default;
    explicit CHttpFetch(Limits limits)
        : m_limits(limits)
    {
    }
    virtual ~CHttpFetch();
    CHttpFetch(const CHttpFetch&) = delete;
    CHttpFetch& operator=(const CHttpFetch&) = delete;

    // The body as text; each chunk contributes only its bytes before its
    // first zero byte.
    int FetchText(std::string url, std::string& text);
    // The body, byte for byte, into the file at the Windows path `path`,
    // created or truncated only once the address has been opened.
    int FetchFile(const char* url, const char* path);
    int CloseHandles();
    // The HTTP status of the last fetch's response; 0 when none arrived.
    long StatusCode() const;

    static constexpr int kOk = 0;
    static constexpr int kFileNotCreated = 1;
    static constexpr int kNoSession = 201;
    static constexpr int kNoAddress = 202;
    static constexpr int kOutOfMemory = 203;
    static constexpr int kTooLarge = 204;

private:
    // Closes what a previous fetch left and opens both handles; 0 or 201/202.
    int Open(const char* url);

    Limits m_limits;
    std::unique_ptr<plat::InternetSession> m_root;
    std::unique_ptr<plat::InternetRequest> m_request;
    long m_status = 0;
};

// " (HTTP <status>)" for the fetch's last response, empty without one: what
// the server answered, for a debug log line.
std::string HttpStatusNote(const CHttpFetch& fetch);
