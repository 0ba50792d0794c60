#pragma once
// The core never talks to the user directly. Whoever drives it (the desktop window,
// the command-line tool, a test) implements this small interface.

#include <filesystem>
#include <string>
#include <string_view>

namespace orolith {

enum class MessageKind {
    Notice,  // information the user acknowledges ("Created …", "created:…", a capped draw order)
    Failure, // a step that failed; the operation goes on or stops as its rules say
};

class Host {
  public:
    virtual ~Host() = default;

    // A message the user acknowledges (a message box with OK in the window).
    virtual void message(MessageKind kind, std::string_view text) = 0;

    // A Yes/No question; true means Yes.
    virtual bool ask(std::string_view text) = 0;

    // Progress of a long run in percent (0..100). Called from the thread that runs the work.
    virtual void progress(double percent) { (void)percent; }

    // Polled during long runs; true stops the run, and nothing partial is kept.
    virtual bool cancelled() { return false; }

    // Start an external program with one file as its argument, detached. Failures are ignored.
    virtual void launch(const std::filesystem::path& program, const std::filesystem::path& argument) {
        (void)program;
        (void)argument;
    }
};

// The question asked before an existing file is replaced: its path, that it exists, and the
// question itself, a blank line between each (CR LF lines, as every message). The window
// passes the two sentences in its own language.
std::string replaceQuestion(std::string_view path, std::string_view exists = "File exists.",
                            std::string_view question = "Replace?");

} // namespace orolith
