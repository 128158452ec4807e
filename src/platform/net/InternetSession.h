#pragma once

// The root of the internet operations: the user-agent every request sends.
// Proxies come from the environment (http_proxy, https_proxy, no_proxy), as
// libcurl reads them for each request.

#include <memory>
#include <string>
#include <string_view>

namespace plat {

class InternetSession {
public:
    // nullptr when the HTTP library cannot be initialised.
    static std::unique_ptr<InternetSession> Open(std::string_view userAgent);

    const std::string& UserAgent() const { return m_userAgent; }

private:
    explicit InternetSession(std::string_view userAgent)
        : m_userAgent(userAgent)
    {
    }

    std::string m_userAgent;
};

}
