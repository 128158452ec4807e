#pragma once

// The root of the internet operations: the user-agent every request sends.
// Proxies come from the environment (http_proxy, https_proxy, no_proxy), as
// libcurl reads them for each request.

#include <memory>
#include <string>
#include <string_view>

namespace plat {

class CurlLibrary;

class InternetSession {
public:
    // nullptr when the HTTP library cannot be loaded or initialised. The
    // library is loaded by the first call, not at program start.
    static std::unique_ptr<InternetSession> Open(std::string_view userAgent);

    const std::string& UserAgent() const { return m_userAgent; }
    const CurlLibrary& Curl() const { return m_curl; }

private:
    InternetSession(const CurlLibrary& curl, std::string_view userAgent)
        : m_curl(curl)
        , m_userAgent(userAgent)
    {
    }

    const CurlLibrary& m_curl;
    std::string m_userAgent;
};

}
