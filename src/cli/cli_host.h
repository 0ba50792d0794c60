#pragma once
// The command-line face of the core's host: notices go to standard output, failures to
// standard error, questions are answered No (the commands offer --force where it matters),
// and progress is drawn on standard error when that is a terminal.

#include "cli/commands.h"
#include "core/host.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orolith::cli {

class CliHost : public Host {
  public:
    explicit CliHost(Streams& io) : io_(io) {}
    ~CliHost() override { endProgress(); }

    void message(MessageKind kind, std::string_view text) override;
    bool ask(std::string_view text) override;
    void progress(double percent) override;
    // True after Ctrl+C while an InterruptCatcher is installed.
    bool cancelled() override;

    // Printed after a question that was answered No ("use --force to replace it").
    void setDeclineHint(std::string hint) { declineHint_ = std::move(hint); }
    // Label of the progress line ("Converting").
    void setProgressLabel(std::string label) { progressLabel_ = std::move(label); }
    // Clears the progress line, if one was drawn.
    void endProgress();

    // A text of the core with its CR LF line breaks as plain line feeds.
    static std::string plainLines(std::string_view text);

  private:
    Streams& io_;
    std::string declineHint_;
    std::string progressLabel_ = "Working";
    int shownPercent_ = -1;
};

// The folder of the running program (the default home folder is decided from it).
std::filesystem::path executableFolder();

// Splits "a,b,c" at commas (empty pieces kept out).
std::vector<std::string> splitList(std::string_view text);

} // namespace orolith::cli
