#include "platform/web/PageLoader.h"

#include "platform/net/InternetRequest.h"
#include "platform/net/InternetSession.h"
#include "platform/web/DefaultStyle.h"
#include "platform/web/PageMarkup.h"
#include "platform/web/PageText.h"
#include "platform/web/WebUrl.h"

#include <algorithm>
#include <cctype>

namespace plat::web {

namespace {

constexpr const char* kUserAgent = "Lumivex";
constexpr std::size_t kReadPiece = 64 * 1024;

// A missing type is taken as HTML; anything else must say so.
bool IsHtmlType(std::string type)
{
    for (char& c : type)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return type.empty() || type.find("text/html") != std::string::npos
        || type.find("application/xhtml+xml") != std::string::npos;
}

}

PageLoader::PageLoader(std::string url, Size viewport, LoadLimits limits, PageReady pageReady, ImageReady imageReady)
    : m_url(std::move(url))
    , m_viewport(viewport)
    , m_limits(limits)
    , m_pageReady(std::move(pageReady))
    , m_imageReady(std::move(imageReady))
{
    m_thread = std::thread([this] { Run(); });
}

PageLoader::~PageLoader()
{
    m_cancel = true;
    if (m_thread.joinable())
        m_thread.join();
}

void PageLoader::Run()
{
    m_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_limits.totalTimeoutMs);
    m_session = InternetSession::Open(kUserAgent);
    if (m_session) {
        if (std::shared_ptr<LoadedPage> page = LoadDocument()) {
            std::vector<std::string> images = page->container->ImageRequests();
            m_pageReady(std::move(page));
            LoadImages(images);
        }
    }
    m_finished = true;
}

bool PageLoader::Fetch(const std::string& url, std::string& body, std::string* contentType, std::string* finalUrl)
{
    body.clear();
    if (m_cancel || !IsWebUrl(url) || m_requests >= m_limits.maxResources || m_bytes >= m_limits.maxBytes)
        return false;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0)
        return false;
    ++m_requests;
    long timeout = static_cast<long>(std::min<long long>(left, m_limits.timeoutMs));
    auto request = InternetRequest::Open(*m_session, url, { &m_cancel, timeout });
    if (!request)
        return false;
    long status = request->StatusCode();
    if (status < 200 || status >= 300)
        return false;
    if (contentType)
        *contentType = request->ContentType();
    if (finalUrl)
        *finalUrl = request->EffectiveUrl();
    std::string piece(kReadPiece, '\0');
    while (m_bytes < m_limits.maxBytes) {
        std::size_t n = 0;
        bool ok = request->Read(piece.data(), std::min(kReadPiece, m_limits.maxBytes - m_bytes), n);
        body.append(piece.data(), n);
        m_bytes += n;
        if (!ok || n == 0)
            break;
    }
    return !m_cancel;
}

std::shared_ptr<LoadedPage> PageLoader::LoadDocument()
{
    std::string bytes, type, finalUrl;
    if (!Fetch(m_url, bytes, &type, &finalUrl) || !IsHtmlType(type))
        return nullptr;
    std::optional<std::string> text = PageMarkup(DecodePage(bytes, type), m_limits, &m_cancel);
    std::string().swap(bytes);
    if (!text || m_cancel)
        return nullptr;

    auto page = std::make_shared<LoadedPage>();
    page->container = std::make_unique<PageContainer>(finalUrl.empty() ? m_url : finalUrl, m_viewport);
    page->container->SetFetch([this](const std::string& url, std::string& sheet) { return Fetch(url, sheet); });
    page->document = litehtml::document::createFromUTF8(text->c_str(), page->container.get(), &DefaultStyleContext());
    // Style sheets are fetched only while parsing; later the page belongs
    // to the user-interface thread, which must never wait on the network.
    page->container->SetFetch(nullptr);
    if (!page->document || m_cancel)
        return nullptr;
    page->document->render(m_viewport.cx);
    if (m_cancel)
        return nullptr;
    return page;
}

void PageLoader::LoadImages(const std::vector<std::string>& urls)
{
    for (const std::string& url : urls) {
        if (m_cancel)
            return;
        std::string bytes;
        if (!Fetch(url, bytes))
            continue;
        auto image = std::make_shared<const PageImage>(PageImage::Decode(bytes));
        if (image->IsEmpty())
            continue;
        long long pixels = static_cast<long long>(image->Width()) * image->Height();
        if (m_pixels + pixels > m_limits.maxImagePixels)
            continue;
        m_pixels += pixels;
        m_imageReady(url, std::move(image));
    }
}

}
