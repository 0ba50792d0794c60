#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for tests that download: each path has a canned
// reply, which may honour byte ranges (and If-Range against its ETag or Last-Modified),
// redirect, stall, trickle, fail a few times first, send a wrong Content-Range or a body
// without end, drop the connection part-way or leave out its length. One request per
// connection; every request is recorded.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace orolith::testing {

struct CannedReply {
    int status = 200;
    std::string body{};
    std::vector<std::pair<std::string, std::string>> headers{}; // extra ones, e.g. Location
    bool ranges = true;          // "Range: bytes=N-" gets 206 and the rest of the body
    bool declareLength = true;   // false: no Content-Length, the end of the body is the close
    std::size_t dropAfter = 0;   // > 0: close after this many body bytes ...
    int dropTimes = 0;           // ... in this many replies; later ones are whole
    int stallMilliseconds = 0;   // pause between the header and the body
    int failStatus = 0;          // > 0: answered with this status (and a short page) ...
    int failTimes = 0;           // ... this many times first
    int trickleMilliseconds = 0; // > 0: the body one byte at a time with this pause between
    bool endless = false;        // the body repeated until the client hangs up (at most 1 GiB)
    long long rangeShift = 0;    // added to the start a 206's Content-Range claims
    bool ignoreIfRange = false;  // a range is honoured whatever If-Range says
};

struct SeenRequest {
    std::string path;
    std::string range;   // the Range header's value, or empty
    std::string ifRange; // the If-Range header's value, or empty
};

class LoopbackServer {
  public:
    LoopbackServer(); // listens on a free port of 127.0.0.1
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // "http://127.0.0.1:PORT"; empty when no socket could be opened.
    std::string baseUrl() const;
    void serve(const std::string& path, CannedReply reply); // other paths get 404
    std::vector<SeenRequest> requests() const;
    int requestCount(const std::string& path) const;
    std::uint64_t bodyBytesSent() const { return bodyBytes_; }

  private:
    void acceptLoop();
    void answer(long long socket);
    void sendBody(long long socket, const CannedReply& reply, const std::string& body);
    CannedReply replyFor(const std::string& path);

    long long listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<std::uint64_t> bodyBytes_{0};
    std::thread acceptThread_;
    mutable std::mutex mutex_;
    std::vector<std::thread> connections_;
    std::map<std::string, CannedReply> replies_;
    std::vector<SeenRequest> seen_;
};

} // namespace orolith::testing
