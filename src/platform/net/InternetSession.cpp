#include "platform/net/InternetSession.h"

#include "platform/net/CurlLibrary.h"

namespace plat {

std::unique_ptr<InternetSession> InternetSession::Open(std::string_view userAgent)
{
    const CurlLibrary* curl = CurlLibrary::Get();
    if (!curl)
        return nullptr;
    return std::unique_ptr<InternetSession>(new InternetSession(*curl, userAgent));
}

}
