#pragma once
// A small HTTP server on 127.0.0.1 for end-to-end tests: fixed responses by path, and a
// count of the requests for each. Each connection is answered on a thread of its own, so
// a slow answer holds up no other.
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace zemora::test {

struct Response {
    int status = 200;
    std::string body;
    std::string contentType = "text/html; charset=utf-8";
    std::string location;                                     // for redirects
    std::chrono::milliseconds delay{0};                       // before the answer, for a slow server
    std::vector<std::pair<std::string, std::string>> headers; // further header fields
    // When set, the body is this many bytes of a known pattern (patternByte), made as it
    // is sent, and `body` is ignored.
    std::size_t generatedBytes = 0;
    // When set, the connection is cut after this many body bytes, though the full
    // length was announced.
    std::size_t cutAfter = 0;
    // A pause after each 64 KiB of a generated body, for a download that takes its time.
    std::chrono::milliseconds chunkPause{0};
};

// An HTML page, answered at once.
inline Response htmlPage(std::string body)
{
    Response r;
    r.body = std::move(body);
    return r;
}

// The byte at an offset of a generated body.
inline char patternByte(std::size_t offset) { return static_cast<char>('a' + offset % 23); }

class HttpServer {
public:
    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    void route(const std::string& path, Response response);
    // A page with this title.
    void page(const std::string& path, const std::string& title);
    int port() const { return port_; }
    std::string url(const std::string& path) const;
    int hits(const std::string& path);

private:
    void serve();
    void answer(int client);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::map<std::string, Response> routes_;
    std::map<std::string, int> hits_;
    std::thread thread_;
    std::vector<std::thread> answering_; // joined as the server ends
};

} // namespace zemora::test
