#include "loopback_server.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketLength = int;
constexpr int kSendFlags = 0;
namespace {
void closeSocket(long long s) {
    closesocket(static_cast<SOCKET>(s));
}
struct WinsockStart {
    WinsockStart() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
} winsockStart;
} // namespace
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketLength = socklen_t;
constexpr int kSendFlags = MSG_NOSIGNAL; // a client that hung up is no reason to stop the tests
namespace {
void closeSocket(long long s) {
    ::close(static_cast<int>(s));
}
} // namespace
#endif

namespace orolith::testing {

namespace {

bool sendAll(long long socket, const char* data, std::size_t size) {
    while (size > 0) {
        const auto sent = ::send(static_cast<int>(socket), data,
                                 static_cast<int>(std::min<std::size_t>(size, 65536)), kSendFlags);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The value of header `name` (lower case, with the colon) in a request head.
std::string headerValue(const std::string& head, const std::string& name) {
    const std::string lower = lowered(head);
    const std::size_t at = lower.find("\r\n" + name);
    if (at == std::string::npos)
        return {};
    std::size_t from = at + 2 + name.size();
    while (from < head.size() && head[from] == ' ')
        ++from;
    return head.substr(from, head.find("\r\n", from) - from);
}

const char* reasonOf(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 206:
        return "Partial Content";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 416:
        return "Range Not Satisfiable";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

} // namespace

LoopbackServer::LoopbackServer() {
    const auto socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket < 0)
        return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    SocketLength length = sizeof address;
    if (::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket, 64) != 0 ||
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closeSocket(socket);
        return;
    }
    listener_ = socket;
    port_ = ntohs(address.sin_port);
    acceptThread_ = std::thread([this] { acceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
    stopping_ = true;
    if (listener_ >= 0) {
#ifndef _WIN32
        ::shutdown(static_cast<int>(listener_), SHUT_RDWR);
#endif
        closeSocket(listener_);
    }
    if (acceptThread_.joinable())
        acceptThread_.join();
    std::vector<std::thread> connections;
    {
        std::lock_guard lock(mutex_);
        connections.swap(connections_);
    }
    for (std::thread& connection : connections)
        connection.join();
}

std::string LoopbackServer::baseUrl() const {
    return port_ ? "http://127.0.0.1:" + std::to_string(port_) : std::string();
}

void LoopbackServer::serve(const std::string& path, CannedReply reply) {
    std::lock_guard lock(mutex_);
    replies_[path] = std::move(reply);
}

std::vector<SeenRequest> LoopbackServer::requests() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

int LoopbackServer::requestCount(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(
        std::count_if(seen_.begin(), seen_.end(), [&](const SeenRequest& r) { return r.path == path; }));
}

void LoopbackServer::acceptLoop() {
    while (!stopping_) {
        const auto socket = ::accept(static_cast<int>(listener_), nullptr, nullptr);
        if (socket < 0 || stopping_) {
            if (socket >= 0)
                closeSocket(socket);
            return;
        }
        std::lock_guard lock(mutex_);
        connections_.emplace_back([this, socket] { answer(socket); });
    }
}

CannedReply LoopbackServer::replyFor(const std::string& path) {
    std::lock_guard lock(mutex_);
    const auto found = replies_.find(path);
    if (found == replies_.end())
        return CannedReply{404, "<html>Not Found</html>", {}, false, true, 0, 0, 0};
    CannedReply reply = found->second;
    if (found->second.failTimes > 0) {
        --found->second.failTimes;
        return CannedReply{reply.failStatus, "<html>Try later</html>", {}, false, true, 0, 0, 0};
    }
    if (found->second.dropTimes > 0)
        --found->second.dropTimes;
    else
        reply.dropAfter = 0;
    return reply;
}

void LoopbackServer::answer(long long socket) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        const auto got = ::recv(static_cast<int>(socket), buffer, sizeof buffer, 0);
        if (got <= 0) {
            closeSocket(socket);
            return;
        }
        head.append(buffer, static_cast<std::size_t>(got));
    }
    const std::size_t pathStart = head.find(' ') + 1;
    const std::string path = head.substr(pathStart, head.find(' ', pathStart) - pathStart);
    const std::string range = headerValue(head, "range:");
    const std::string ifRange = headerValue(head, "if-range:");
    {
        std::lock_guard lock(mutex_);
        seen_.push_back({path, range, ifRange});
    }
    CannedReply reply = replyFor(path);
    std::string body = reply.body;
    std::string extra;
    // A range under If-Range holds only while the file is the one the validator names.
    bool sameFile = ifRange.empty() || reply.ignoreIfRange;
    for (const auto& [name, value] : reply.headers)
        sameFile =
            sameFile || ((lowered(name) == "etag" || lowered(name) == "last-modified") && value == ifRange);
    if (reply.status == 200 && reply.ranges && sameFile && range.rfind("bytes=", 0) == 0) {
        const std::size_t from = std::strtoull(range.c_str() + 6, nullptr, 10);
        const std::string total = std::to_string(reply.body.size());
        if (from >= reply.body.size()) {
            reply.status = 416;
            body.clear();
            extra = "Content-Range: bytes */" + total + "\r\n";
        } else {
            reply.status = 206;
            body = reply.body.substr(from);
            extra = "Content-Range: bytes " +
                    std::to_string(static_cast<long long>(from) + reply.rangeShift) + "-" +
                    std::to_string(reply.body.size() - 1) + "/" + total + "\r\n";
        }
    }
    std::string response = "HTTP/1.1 " + std::to_string(reply.status) + " " + reasonOf(reply.status) +
                           "\r\n" + extra + "Connection: close\r\n";
    if (reply.declareLength && !reply.endless)
        response += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    for (const auto& [name, value] : reply.headers)
        response += name + ": " + value + "\r\n";
    response += "\r\n";
    if (sendAll(socket, response.data(), response.size()))
        sendBody(socket, reply, body);
#ifndef _WIN32
    ::shutdown(static_cast<int>(socket), SHUT_RDWR);
#endif
    closeSocket(socket);
}

void LoopbackServer::sendBody(long long socket, const CannedReply& reply, const std::string& body) {
    for (int waited = 0; waited < reply.stallMilliseconds && !stopping_; waited += 20)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const std::size_t count = reply.dropAfter > 0 ? std::min(reply.dropAfter, body.size()) : body.size();
    if (reply.endless) {
        const std::string block = body.empty() ? std::string(65536, 'x') : body;
        for (std::uint64_t sent = 0; sent < (std::uint64_t{1} << 30) && !stopping_; sent += block.size()) {
            if (!sendAll(socket, block.data(), block.size()))
                return;
            bodyBytes_ += block.size();
        }
    } else if (reply.trickleMilliseconds > 0) {
        for (std::size_t i = 0; i < count && !stopping_; ++i) {
            if (!sendAll(socket, body.data() + i, 1))
                return;
            ++bodyBytes_;
            std::this_thread::sleep_for(std::chrono::milliseconds(reply.trickleMilliseconds));
        }
    } else if (sendAll(socket, body.data(), count)) {
        bodyBytes_ += count;
    }
}

} // namespace orolith::testing
