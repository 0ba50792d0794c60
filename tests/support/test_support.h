#pragma once
// Helpers shared by the tests: a scratch folder and a host that records what the core said.

#include "core/host.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orolith::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Writes `bytes` exactly (no line-end translation) and returns the file's path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;

  private:
    std::filesystem::path path_;
};

// The whole file as bytes; empty when it cannot be read.
std::string readBytes(const std::filesystem::path& path);

// Lines joined by CR LF, each line ended by one.
std::string crlf(const std::vector<std::string>& lines);
// The same for lines written as one text with "|" between them: crlfLines("[END]|") is "[END]\r\n\r\n".
std::string crlfLines(std::string_view barSeparated);

// The folder of the project's sources (for data/ and the like).
std::filesystem::path sourceDir();

// The names in `folder`, sorted (to see that no temporary or partial file was left).
std::vector<std::string> fileNames(const std::filesystem::path& folder);

// Takes write permission from `folder`; false when that binds nothing (root writes anywhere).
bool makeReadOnly(const std::filesystem::path& folder);

// Whether mkgmap is on the PATH; runMkgmap runs it with `arguments` (each quoted) and
// --output-dir=`outDir`, returns its exit code and leaves what it printed in `log`.
bool haveMkgmap();
int runMkgmap(const std::filesystem::path& outDir, const std::vector<std::string>& arguments,
              std::string& log);

// Records every message and question; answers questions from a queue (default: `defaultAnswer`).
class RecordingHost : public Host {
  public:
    void message(MessageKind kind, std::string_view text) override;
    bool ask(std::string_view text) override;
    void progress(double percent) override;
    bool cancelled() override { return cancelAfterProgress >= 0 && progressCalls > cancelAfterProgress; }
    void launch(const std::filesystem::path& program, const std::filesystem::path& argument) override;

    std::vector<std::pair<MessageKind, std::string>> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;
    bool defaultAnswer = true;
    std::vector<double> progressValues;
    int progressCalls = 0;
    int cancelAfterProgress = -1; // cancel once progress was reported more often than this
    std::function<void(int call)> onProgress; // runs at every progress report (counted from 1)
    std::vector<std::pair<std::string, std::string>> launches;

    std::vector<std::string> texts(MessageKind kind) const;
};

} // namespace orolith::testing
