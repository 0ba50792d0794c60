#include "download/tile_fetcher.h"

#include "download/raster_check.h"
#include "download/tile_lock.h"
#include "download/tile_transfer.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <future>
#include <map>
#include <memory>
#include <set>
#include <system_error>
#include <thread>

namespace orolith::download {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// One tile at one source, and how often it was tried there.
struct Job {
    std::size_t tile = 0;
    std::size_t source = 0;
    int attempt = 1;
    Clock::time_point notBefore{}; // for a tile another run holds
};

struct Active {
    Job job;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<TileTransfer> transfer;
    fs::path finalPath;
};

// A finished transfer whose file is being checked, away from the loop's thread.
struct Checking {
    Active active;
    std::future<std::string> problem;
};

bool isServerError(long status) {
    return status == 500 || status == 502 || status == 503 || status == 504;
}

bool isInterruption(CURLcode code) {
    return code == CURLE_PARTIAL_FILE || code == CURLE_RECV_ERROR || code == CURLE_SEND_ERROR ||
           code == CURLE_GOT_NOTHING || code == CURLE_OPERATION_TIMEDOUT || code == CURLE_HTTP2_STREAM;
}

class FetchRun {
  public:
    FetchRun(const std::vector<TileCorner>& tiles, const FetchOptions& options, FetchListener& listener);
    ~FetchRun();
    FetchReport run();

  private:
    void startJob(Job job);
    void finishTransfer(CURL* easy, CURLcode code);
    void judgeTransfer(Active& active, CURLcode code);
    void checkPart(Active& active);
    void acceptPart(Active& active, const std::string& problem);
    void collectChecks(bool wait);
    void retryOrFail(Active& active, const std::string& problem, bool dropPart,
                     std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    void nextSource(const Job& job, const std::string& problem, bool missing);
    void settle(std::size_t tile, TileState state, SourceKind source = {}, fs::path file = {});
    void tellProgress(bool now);
    void cancelAll();

    const FetchOptions& options_;
    FetchListener& listener_;
    CURLM* multi_ = nullptr;
    std::vector<TileResult> results_;
    std::vector<bool> missingEverywhere_;
    std::deque<Job> queue_;
    std::map<CURL*, Active> active_;
    std::vector<Checking> checks_;
    std::set<std::size_t> toldWaiting_;
    std::size_t done_ = 0;
    std::uint64_t bytes_ = 0;
    Clock::time_point started_ = Clock::now();
    Clock::time_point lastReport_{};
};

FetchRun::FetchRun(const std::vector<TileCorner>& tiles, const FetchOptions& options, FetchListener& listener)
    : options_(options), listener_(listener) {
    std::set<TileCorner> seen;
    for (const TileCorner tile : tiles) {
        if (!seen.insert(tile).second)
            continue;
        results_.push_back({tile, TileState::Cancelled, {}, {}, {}});
        queue_.push_back({results_.size() - 1, 0, 1, {}});
    }
    missingEverywhere_.assign(results_.size(), true);
    multi_ = curl_multi_init();
}

FetchRun::~FetchRun() {
    cancelAll();
    curl_multi_cleanup(multi_);
}

FetchReport FetchRun::run() {
    FetchReport report;
    const std::size_t connections = static_cast<std::size_t>(std::clamp(options_.connections, 1, 8));
    if (options_.sources.empty())
        queue_.clear();
    while (!queue_.empty() || !active_.empty() || !checks_.empty()) {
        if (listener_.cancelled()) {
            cancelAll();
            report.cancelled = true;
            break;
        }
        // Start what may start; a tile another run holds waits its turn at the back.
        for (std::size_t n = queue_.size(); n > 0 && active_.size() < connections; --n) {
            const Job job = queue_.front();
            queue_.pop_front();
            if (job.notBefore > Clock::now())
                queue_.push_back(job);
            else
                startJob(job);
        }
        collectChecks(false);
        if (active_.empty()) {
            if (!queue_.empty() || !checks_.empty())
                std::this_thread::sleep_for(std::chrono::milliseconds(checks_.empty() ? 50 : 10));
            continue;
        }
        int running = 0;
        curl_multi_perform(multi_, &running);
        int left = 0;
        bool finished = false;
        while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
            if (message->msg == CURLMSG_DONE) {
                finishTransfer(message->easy_handle, message->data.result);
                finished = true;
            }
        }
        for (auto& [easy, active] : active_)
            bytes_ += active.transfer->takeNewBytes();
        tellProgress(false);
        // A finished transfer frees a connection for the next tile at once; otherwise wait for
        // the sockets, as long as curl says (at once for a new transfer), at most 0.1 s.
        long wait = 100; // milliseconds
        if (curl_multi_timeout(multi_, &wait) != CURLM_OK || wait < 0 || wait > 100)
            wait = 100;
        if (wait > 0 && !finished)
            curl_multi_poll(multi_, nullptr, 0, static_cast<int>(wait), nullptr);
    }
    tellProgress(true);
    report.tiles = std::move(results_);
    return report;
}

void FetchRun::startJob(Job job) {
    const TileSource& source = options_.sources[job.source];
    const TileCorner tile = results_[job.tile].tile;
    const fs::path folder = cacheFolder(options_.cacheRoot, source.kind);
    const fs::path finalPath = folder / tileFileName(source.kind, tile);
    std::error_code error;
    if (fs::exists(finalPath, error)) {
        if (checkCachedTile(finalPath, tile).empty()) {
            settle(job.tile, TileState::Cached, source.kind, finalPath);
            return;
        }
        fs::remove(finalPath, error); // let in by an earlier run that did not check it: fetched again
    }
    fs::create_directories(folder, error);
    // A live run holds a tile's lock no longer than its transfer may last and the check after it.
    const auto staleAfter = std::chrono::seconds(options_.limits.totalSeconds + 300);
    const fs::path lockPath = fs::path(finalPath).concat(".lock");
    LockState lockState = LockState::Failed;
    auto lock = takeTileLock(lockPath, staleAfter, lockState);
    if (!lock) {
        if (lockState == LockState::Busy) {
            if (toldWaiting_.insert(job.tile).second)
                listener_.waiting(tile, lockPath);
            job.notBefore = Clock::now() + std::chrono::milliseconds(100);
            queue_.push_back(job);
        } else {
            nextSource(job, "cannot write in " + folder.string(), false);
        }
        return;
    }
    if (fs::exists(finalPath, error)) { // another run finished it meanwhile
        settle(job.tile, TileState::Cached, source.kind, finalPath);
        return;
    }
    auto transfer = std::make_unique<TileTransfer>(fs::path(finalPath).concat(".part"), tileUrl(source, tile),
                                                   options_.limits);
    std::string problem;
    if (!transfer->open(problem)) {
        nextSource(job, problem, false);
        return;
    }
    CURL* easy = transfer->handle();
    active_[easy] = Active{job, std::move(lock), std::move(transfer), finalPath};
    curl_multi_add_handle(multi_, easy);
}

void FetchRun::finishTransfer(CURL* easy, CURLcode code) {
    const auto found = active_.find(easy);
    if (found == active_.end())
        return;
    curl_multi_remove_handle(multi_, easy);
    Active active = std::move(found->second);
    active_.erase(found);
    bytes_ += active.transfer->takeNewBytes();
    active.transfer->close();
    const fs::path part = active.transfer->partPath();
    judgeTransfer(active, code); // may hand `active` on to a check
    std::error_code error;
    if (fs::exists(part, error) && fs::file_size(part, error) == 0)
        removePart(part); // nothing to resume from
}

// What a finished transfer means for its tile.
void FetchRun::judgeTransfer(Active& active, CURLcode code) {
    TileTransfer& transfer = *active.transfer;
    const long status = transfer.status();
    switch (transfer.abort()) {
    case TileTransfer::Abort::Oversize:
        active.job.attempt = options_.limits.attempts; // the same size again next time
        return retryOrFail(active,
                           "larger than " + std::to_string(options_.limits.maxTileBytes >> 20) + " MB", true);
    case TileTransfer::Abort::BadRange:
        return retryOrFail(active, "the server sent another part of the file than asked for", true);
    case TileTransfer::Abort::WriteError:
        return nextSource(active.job, "cannot write " + transfer.partPath().string(), false);
    case TileTransfer::Abort::ErrorBody: // the status tells what went wrong
        code = CURLE_OK;
        break;
    case TileTransfer::Abort::None:
        break;
    }
    if (code == CURLE_FILESIZE_EXCEEDED) {
        active.job.attempt = options_.limits.attempts; // the same size again next time
        return retryOrFail(active,
                           "larger than " + std::to_string(options_.limits.maxTileBytes >> 20) + " MB", true);
    }
    if (code == CURLE_TOO_MANY_REDIRECTS)
        return nextSource(active.job, "too many redirects", false);
    if (code != CURLE_OK) {
        const std::string message =
            transfer.curlMessage()[0] ? transfer.curlMessage() : curl_easy_strerror(code);
        if (isInterruption(code))
            return retryOrFail(active, message, false);
        return nextSource(active.job, message, false);
    }
    if (status == 404 || status == 410) {
        removePart(transfer.partPath());
        return nextSource(active.job, "no such tile", true);
    }
    if (isServerError(status)) { // a busy or broken server: asked again later, less often each time
        const auto delay =
            std::chrono::milliseconds(options_.limits.retryMilliseconds << (active.job.attempt - 1));
        return retryOrFail(active, "the server answered HTTP " + std::to_string(status), false, delay);
    }
    if (status == 200 || status == 206 || (status == 416 && transfer.resumedFrom() > 0))
        return checkPart(active);
    nextSource(active.job, "the server answered HTTP " + std::to_string(status), false);
}

// The part is complete as far as HTTP knows: checked on a thread of its own (reading a tile
// through, or inflating it, takes a while) while the other transfers go on.
void FetchRun::checkPart(Active& active) {
    Checking checking{std::move(active), {}};
    checking.problem =
        std::async(std::launch::async, checkTileRaster, checking.active.transfer->partPath(),
                   checking.active.finalPath.filename().string(), results_[checking.active.job.tile].tile);
    checks_.push_back(std::move(checking));
}

void FetchRun::collectChecks(bool wait) {
    for (std::size_t i = 0; i < checks_.size();) {
        if (!wait && checks_[i].problem.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            ++i;
            continue;
        }
        Checking done = std::move(checks_[i]);
        checks_.erase(checks_.begin() + static_cast<std::ptrdiff_t>(i));
        acceptPart(done.active, done.problem.get());
    }
}

// Into the cache if GDAL reads the part as the tile.
void FetchRun::acceptPart(Active& active, const std::string& problem) {
    const SourceKind kind = options_.sources[active.job.source].kind;
    const fs::path& part = active.transfer->partPath();
    std::error_code error;
    if (!problem.empty()) {
        removePart(part);
        return nextSource(active.job, problem, false);
    }
    fs::rename(part, active.finalPath, error);
    removePart(part);
    if (error)
        return nextSource(active.job, "cannot move the tile into the cache", false);
    settle(active.job.tile, TileState::Downloaded, kind, active.finalPath);
}

void FetchRun::retryOrFail(Active& active, const std::string& problem, bool dropPart,
                           std::chrono::milliseconds delay) {
    if (dropPart)
        removePart(active.transfer->partPath());
    if (active.job.attempt < options_.limits.attempts) {
        Job again = active.job;
        ++again.attempt;
        again.notBefore = Clock::now() + delay;
        queue_.push_front(again); // the lock goes with `active`; the retry takes it again
        return;
    }
    nextSource(active.job, problem, false);
}

void FetchRun::nextSource(const Job& job, const std::string& problem, bool missing) {
    TileResult& result = results_[job.tile];
    if (!missing) {
        missingEverywhere_[job.tile] = false;
        if (!result.problem.empty())
            result.problem += "; ";
        result.problem += std::string(sourceName(options_.sources[job.source].kind)) + ": " + problem;
    }
    if (job.source + 1 < options_.sources.size()) {
        queue_.push_front({job.tile, job.source + 1, 1, {}});
        return;
    }
    settle(job.tile, missingEverywhere_[job.tile] ? TileState::None : TileState::Failed);
}

void FetchRun::settle(std::size_t tile, TileState state, SourceKind source, fs::path file) {
    TileResult& result = results_[tile];
    result.state = state;
    result.source = source;
    result.file = std::move(file);
    if (state != TileState::Failed)
        result.problem.clear();
    ++done_;
    tellProgress(true);
}

void FetchRun::tellProgress(bool now) {
    const Clock::time_point time = Clock::now();
    if (!now && time - lastReport_ < std::chrono::milliseconds(100))
        return;
    lastReport_ = time;
    FetchProgress progress{done_, results_.size(), bytes_,
                           std::chrono::duration<double>(time - started_).count()};
    std::size_t sized = 0;
    for (const auto& [easy, active] : active_)
        if (const auto toCome = active.transfer->bytesToCome()) {
            progress.bytesAnnounced += *toCome;
            ++sized;
        }
    progress.tilesUnsized = results_.size() - done_ - sized;
    listener_.progress(progress);
}

// Stops every transfer; what they wrote stays in the parts for the next run.
void FetchRun::cancelAll() {
    for (auto& [easy, active] : active_) {
        curl_multi_remove_handle(multi_, easy);
        active.transfer->close();
    }
    active_.clear();
    queue_.clear();
    for (Checking& checking : checks_)
        checking.problem.wait(); // a checked part stays a part: the next run checks it again
    checks_.clear();
}

} // namespace

bool FetchReport::complete() const {
    return !cancelled && std::all_of(tiles.begin(), tiles.end(), [](const TileResult& tile) {
        return tile.state == TileState::Cached || tile.state == TileState::Downloaded ||
               tile.state == TileState::None;
    });
}

std::vector<fs::path> FetchReport::files() const {
    std::vector<fs::path> paths;
    for (const TileResult& tile : tiles) {
        if (!tile.file.empty())
            paths.push_back(tile.file);
    }
    return paths;
}

std::vector<SourceKind> FetchReport::sourcesUsed() const {
    std::vector<SourceKind> kinds;
    for (const SourceKind kind : kAllSources) {
        const bool used = std::any_of(tiles.begin(), tiles.end(), [kind](const TileResult& tile) {
            return !tile.file.empty() && tile.source == kind;
        });
        if (used)
            kinds.push_back(kind);
    }
    return kinds;
}

fs::path cacheFolder(const fs::path& cacheRoot, SourceKind kind) {
    return cacheRoot / std::string(sourceName(kind));
}

fs::path cachedTilePath(const fs::path& cacheRoot, SourceKind kind, TileCorner tile) {
    return cacheFolder(cacheRoot, kind) / tileFileName(kind, tile);
}

FetchReport fetchTiles(const std::vector<TileCorner>& tiles, const FetchOptions& options,
                       FetchListener& listener) {
    FetchRun run(tiles, options, listener);
    return run.run();
}

} // namespace orolith::download
