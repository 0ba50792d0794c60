#pragma once
// While an InterruptCatcher lives, SIGINT, SIGTERM and SIGHUP (Ctrl+C, a kill, a closed
// terminal) only set a flag, so that a long run stops at its next check and removes what it
// made instead of ending in the middle. The earlier handlers are back when it goes.

namespace orolith::cli {

class InterruptCatcher {
  public:
    InterruptCatcher();
    ~InterruptCatcher();
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

    // True once a signal arrived while a catcher was installed (until the next catcher).
    static bool raised();
    // The exit status of a run stopped so, as a shell reports a program ended by that signal:
    // 130 for Ctrl+C, 143 for a kill, 129 for a closed terminal.
    static int cancelledStatus();
};

} // namespace orolith::cli
