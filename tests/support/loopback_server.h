#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for tests that download: each path has a canned
// reply, which may honour byte ranges, redirect, stall, drop the connection part-way or
// leave out its length. One request per connection; every request is recorded.

#include <atomic>
#include <cstddef>
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
};

struct SeenRequest {
    std::string path;
    std::string range; // the Range header's value, or empty
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

  private:
    void acceptLoop();
    void answer(long long socket);
    CannedReply replyFor(const std::string& path);

    long long listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptThread_;
    mutable std::mutex mutex_;
    std::vector<std::thread> connections_;
    std::map<std::string, CannedReply> replies_;
    std::vector<SeenRequest> seen_;
};

} // namespace orolith::testing
