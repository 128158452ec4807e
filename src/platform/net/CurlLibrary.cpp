#include "platform/net/CurlLibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace plat {

namespace {

constexpr const char* kSoname = "libcurl.so.4";

template <typename Function>
bool Resolve(void* handle, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

}

const CurlLibrary* CurlLibrary::Get()
{
    static std::once_flag once;
    static const CurlLibrary* ready = nullptr;
    std::call_once(once, [] {
        static const CurlLibrary library(kSoname);
        // Initialised once, before any request exists on any thread.
        if (library.Loaded() && library.globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK)
            ready = &library;
    });
    return ready;
}

CurlLibrary::CurlLibrary(const char* file)
{
    if (!file)
        return;
    void* handle = dlopen(file, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return;
    m_loaded = Resolve(handle, "curl_global_init", globalInit)
        && Resolve(handle, "curl_easy_init", easyInit)
        && Resolve(handle, "curl_easy_setopt", easySetopt)
        && Resolve(handle, "curl_easy_getinfo", easyGetinfo)
        && Resolve(handle, "curl_easy_cleanup", easyCleanup)
        && Resolve(handle, "curl_multi_init", multiInit)
        && Resolve(handle, "curl_multi_add_handle", multiAddHandle)
        && Resolve(handle, "curl_multi_remove_handle", multiRemoveHandle)
        && Resolve(handle, "curl_multi_perform", multiPerform)
        && Resolve(handle, "curl_multi_info_read", multiInfoRead)
        && Resolve(handle, "curl_multi_poll", multiPoll)
        && Resolve(handle, "curl_multi_cleanup", multiCleanup)
        && Resolve(handle, "curl_slist_append", slistAppend)
        && Resolve(handle, "curl_slist_free_all", slistFreeAll);
    if (m_loaded)
        return;
    static_cast<CurlFunctions&>(*this) = CurlFunctions {};
    dlclose(handle);
}

}
