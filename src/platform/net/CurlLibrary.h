#pragma once

// libcurl, loaded when the first internet session opens instead of when the
// program starts: the library and what it pulls in (TLS, GSSAPI, LDAP, ...)
// cost start-up time, and only the update check uses it, seconds later.
// Code here is built against curl's headers and calls it through this table.

#include <curl/curl.h>

namespace plat {

// The libcurl functions this folder calls.
struct CurlFunctions {
    decltype(&curl_global_init) globalInit = nullptr;
    decltype(&curl_easy_init) easyInit = nullptr;
    decltype(&curl_easy_setopt) easySetopt = nullptr;
    decltype(&curl_easy_getinfo) easyGetinfo = nullptr;
    decltype(&curl_easy_cleanup) easyCleanup = nullptr;
    decltype(&curl_multi_init) multiInit = nullptr;
    decltype(&curl_multi_add_handle) multiAddHandle = nullptr;
    decltype(&curl_multi_remove_handle) multiRemoveHandle = nullptr;
    decltype(&curl_multi_perform) multiPerform = nullptr;
    decltype(&curl_multi_info_read) multiInfoRead = nullptr;
    decltype(&curl_multi_poll) multiPoll = nullptr;
    decltype(&curl_multi_cleanup) multiCleanup = nullptr;
    decltype(&curl_slist_append) slistAppend = nullptr;
    decltype(&curl_slist_free_all) slistFreeAll = nullptr;
};

class CurlLibrary : public CurlFunctions {
public:
    // The process's libcurl, loaded and initialised by the first call from
    // any thread; nullptr when it cannot be loaded or initialised.
    static const CurlLibrary* Get();

    // Loads the shared library `file` and resolves CurlFunctions.
    // The library stays loaded for the life of the process: at exit,
    // requests may still be running on other threads.
    explicit CurlLibrary(const char* file);
    CurlLibrary(const CurlLibrary&) = delete;
    CurlLibrary& operator=(const CurlLibrary&) = delete;

    // False, with every function null, when the file or any function is missing.
    bool Loaded() const { return m_loaded; }

private:
    bool m_loaded = false;
};

}
