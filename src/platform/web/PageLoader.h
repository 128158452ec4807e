#pragma once

// Loads a web page on a thread of its own: the document, the style sheets
// it links or imports (fetched while it is parsed), a first layout at the
// panel's width, then its pictures one by one. Results go to callbacks on
// that thread, which hand them to the user-interface thread. Only http and
// https addresses are fetched, within limits of bytes, resources, decoded
// pixels and time; destroying the loader cancels it and waits for the
// thread, which notices within a tenth of a second while it waits on the
// network.

#include "platform/Types.h"
#include "platform/web/LoadLimits.h"
#include "platform/web/PageContainer.h"
#include "platform/web/PageImage.h"

#include <litehtml.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace plat {
class InternetSession;
}

namespace plat::web {

// A parsed and laid-out page. The document goes before its container.
struct LoadedPage {
    std::unique_ptr<PageContainer> container;
    litehtml::document::ptr document;
    ~LoadedPage() { document.reset(); }
};

class PageLoader {
public:
    using PageReady = std::function<void(std::shared_ptr<LoadedPage> page)>;
    using ImageReady = std::function<void(const std::string& url, std::shared_ptr<const PageImage> image)>;

    // Starts loading `url` for a panel of `viewport` pixels. `pageReady` is
    // called once if the document loads as HTML, then `imageReady` for every
    // picture that decodes. A page that cannot be loaded calls neither.
    PageLoader(std::string url, Size viewport, LoadLimits limits, PageReady pageReady, ImageReady imageReady);
    ~PageLoader();
    PageLoader(const PageLoader&) = delete;
    PageLoader& operator=(const PageLoader&) = delete;

    // True once the thread has nothing more to do.
    bool Finished() const { return m_finished.load(); }

private:
    void Run();
    std::shared_ptr<LoadedPage> LoadDocument();
    void LoadImages(const std::vector<std::string>& urls);
    // The body of a 2xx response, at most the bytes left in the budget;
    // false when refused, failed, not 2xx or cancelled. A body cut short by
    // the budget or by the time limit is kept as far as it came.
    bool Fetch(const std::string& url, std::string& body, std::string* contentType = nullptr,
        std::string* finalUrl = nullptr);

    std::string m_url;
    Size m_viewport;
    LoadLimits m_limits;
    PageReady m_pageReady;
    ImageReady m_imageReady;
    std::atomic<bool> m_cancel { false };
    std::atomic<bool> m_finished { false };
    std::size_t m_bytes = 0;
    int m_requests = 0;
    long long m_pixels = 0;
    std::chrono::steady_clock::time_point m_deadline;
    std::unique_ptr<InternetSession> m_session;
    std::thread m_thread;
};

}
