#include "tests/support/HttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace zemora::test {

HttpServer::HttpServer()
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(listener_, 16) != 0
        || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { serve(); });
}

HttpServer::~HttpServer()
{
    stopping_ = true;
    thread_.join();
    for (std::thread& answering : answering_)
        answering.join();
    ::close(listener_);
}

void HttpServer::route(const std::string& path, Response response)
{
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(response);
}

void HttpServer::page(const std::string& path, const std::string& title)
{
    Response response;
    response.body = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body><h1>"
                    + title + "</h1></body></html>";
    route(path, std::move(response));
}

std::string HttpServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

int HttpServer::hits(const std::string& path)
{
    std::lock_guard lock(mutex_);
    return hits_[path];
}

void HttpServer::serve()
{
    while (!stopping_) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0)
            answering_.emplace_back([this, client] {
                answer(client);
                ::close(client);
            });
    }
}

void HttpServer::answer(int client)
{
    // A client that stops reading holds up no ending test for long.
    const timeval patience{5, 0};
    ::setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        pollfd p{client, POLLIN, 0};
        if (::poll(&p, 1, 2000) <= 0)
            return;
        const ssize_t n = ::read(client, buffer, sizeof buffer);
        if (n <= 0)
            return;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    const auto start = request.find(' ') + 1;
    std::string path = request.substr(start, request.find(' ', start) - start);

    Response response;
    response.status = 404;
    response.body = "<html><head><title>Not found</title></head></html>";
    {
        std::lock_guard lock(mutex_);
        ++hits_[path];
        if (auto it = routes_.find(path); it != routes_.end())
            response = it->second;
    }
    // A slow server, which still stops with the test.
    for (auto waited = std::chrono::milliseconds(0); waited < response.delay && !stopping_;
         waited += std::chrono::milliseconds(10))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::size_t length = response.generatedBytes ? response.generatedBytes : response.body.size();
    std::string head = "HTTP/1.1 " + std::to_string(response.status) + " X\r\n"
                       + "Content-Type: " + response.contentType + "\r\n" + "Content-Length: " + std::to_string(length)
                       + "\r\n" + "Cache-Control: no-store\r\nConnection: close\r\n";
    if (!response.location.empty())
        head += "Location: " + response.location + "\r\n";
    for (const auto& [name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    head += "\r\n";
    const auto sendAll = [client](const char* data, std::size_t size) {
        std::size_t sent = 0;
        while (sent < size) {
            const ssize_t n = ::send(client, data + sent, size - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    };
    if (!sendAll(head.data(), head.size()))
        return;
    const std::size_t bodyBytes = response.cutAfter ? std::min(response.cutAfter, length) : length;
    if (!response.generatedBytes) {
        sendAll(response.body.data(), bodyBytes);
    } else {
        // Made a chunk at a time: a large body is never held whole.
        std::string chunk;
        for (std::size_t offset = 0; offset < bodyBytes; offset += chunk.size()) {
            chunk.resize(std::min<std::size_t>(1 << 16, bodyBytes - offset));
            for (std::size_t i = 0; i < chunk.size(); ++i)
                chunk[i] = patternByte(offset + i);
            if (stopping_ || !sendAll(chunk.data(), chunk.size()))
                return;
            if (response.chunkPause.count())
                std::this_thread::sleep_for(response.chunkPause);
        }
    }
    if (response.cutAfter)
        ::shutdown(client, SHUT_RDWR); // cut, not a clean end
}

} // namespace zemora::test
