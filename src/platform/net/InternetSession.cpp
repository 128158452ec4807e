#include "platform/net/InternetSession.h"

#include <curl/curl.h>

#include <mutex>

namespace plat {

std::unique_ptr<InternetSession> InternetSession::Open(std::string_view userAgent)
{
    // Initialise libcurl once, before any request exists on any thread.
    static std::once_flag once;
    static CURLcode initResult = CURLE_OK;
    std::call_once(once, [] { initResult = curl_global_init(CURL_GLOBAL_DEFAULT); });
    if (initResult != CURLE_OK)
        return nullptr;
    return std::unique_ptr<InternetSession>(new InternetSession(userAgent));
}

}
