#pragma once

// A real update server on 127.0.0.1 at a free port, for the update stages'
// tests. It answers the manifest request and the files put on it; every
// other address gets a 404 page. Each request's target (path and query) is
// recorded before it is answered, so a test can prove that none was made.

#include "support/LoopbackServer.h"

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
        m_server.Http().Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            Answer(request, response);
        });
        m_running = m_server.Start();
    }
    UpdateServerFixture(const UpdateServerFixture&) = delete;
    UpdateServerFixture& operator=(const UpdateServerFixture&) = delete;

    bool Running() const { return m_running; }
    // Scheme, host and port, as LUMIVEX_UPDATE_SERVER takes it.
    std::string Root() const { return m_server.Url(""); }
    std::string Url(const std::string& path) const { return m_server.Url(path); }

    void SetManifest(std::string body) { Put(kManifestPath, std::move(body)); }
    void Put(const std::string& path, std::string body) { Set(path, { std::move(body), false }); }
    // Declares the whole length but closes the connection after half the body.
    void PutTruncated(const std::string& path, std::string body) { Set(path, { std::move(body), true }); }
    // Sends one byte every three seconds until the client gives up.
    void Trickle(const std::string& path) { Set(path, { {}, false, true }); }

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
        bool trickle = false;
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
        if (body.trickle) {
            response.set_chunked_content_provider("application/octet-stream",
                [](size_t, httplib::DataSink& sink) {
                    std::this_thread::sleep_for(std::chrono::seconds(3));
                    return sink.is_writable() && sink.write("x", 1);
                });
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

    mutable std::mutex m_mutex;
    std::map<std::string, Body> m_bodies;
    std::vector<std::string> m_requests;
    // Last, so the server stops before the bodies it answers from go.
    lvtest::LoopbackServer m_server;
    bool m_running = false;
};
