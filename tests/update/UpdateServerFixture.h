#pragma once

// A real update server on 127.0.0.1 at a free port, for the update stages'
// tests. It answers the manifest request and the files put on it; every
// other address gets a 404 page. Each request's target (path and query) is
// recorded before it is answered, so a test can prove that none was made.

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class UpdateServerFixture {
public:
    static constexpr const char* kManifestPath = "/lv/main200.asp";

    UpdateServerFixture()
    {
        m_server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            Answer(request, response);
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        if (m_port > 0)
            m_thread = std::thread([this] { m_server.listen_after_bind(); });
        for (int i = 0; i < 500 && !m_server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ~UpdateServerFixture()
    {
        m_server.stop();
        if (m_thread.joinable())
            m_thread.join();
    }
    UpdateServerFixture(const UpdateServerFixture&) = delete;
    UpdateServerFixture& operator=(const UpdateServerFixture&) = delete;

    bool Running() const { return m_server.is_running(); }
    // Scheme, host and port, as LUMIVEX_UPDATE_SERVER takes it.
    std::string Root() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    std::string Url(const std::string& path) const { return Root() + path; }

    void SetManifest(std::string body) { Put(kManifestPath, std::move(body)); }
    void Put(const std::string& path, std::string body) { Set(path, { std::move(body), false }); }
    // Declares the whole length but closes the connection after half the body.
    void PutTruncated(const std::string& path, std::string body) { Set(path, { std::move(body), true }); }

    // Serves every file under the Linux folder `root` at its relative path.
    void PutFolder(const std::string& root)
    {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            Put("/" + entry.path().lexically_relative(root).generic_string(),
                std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        }
    }

    std::vector<std::string> Requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    int CountRequests(const std::string& path) const
    {
        std::lock_guard lock(m_mutex);
        return static_cast<int>(std::count_if(m_requests.begin(), m_requests.end(),
            [&](const std::string& target) { return target.substr(0, target.find('?')) == path; }));
    }

private:
    struct Body {
        std::string bytes;
        bool truncated = false;
    };

    void Set(const std::string& path, Body body)
    {
        std::lock_guard lock(m_mutex);
        m_bodies[path] = std::move(body);
    }

    void Answer(const httplib::Request& request, httplib::Response& response)
    {
        Body body;
        bool found = false;
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(request.target);
            auto it = m_bodies.find(request.path);
            if (it != m_bodies.end()) {
                body = it->second;
                found = true;
            }
        }
        if (!found) {
            response.status = 404;
            response.set_content("<html><body><h1>404 Not Found</h1></body></html>", "text/html");
            return;
        }
        if (!body.truncated) {
            response.set_content(body.bytes, "application/octet-stream");
            return;
        }
        auto shared = std::make_shared<std::string>(std::move(body.bytes));
        response.set_content_provider(shared->size(), "application/octet-stream",
            [shared](size_t offset, size_t, httplib::DataSink& sink) {
                if (offset > 0)
                    return false;
                sink.write(shared->data(), shared->size() / 2);
                return true;
            });
    }

    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::map<std::string, Body> m_bodies;
    std::vector<std::string> m_requests;
};
