// `orolith img` stopped by a signal while mkgmap runs: mkgmap and what it started stop too,
// the work folder goes, and the program ends as the signal says.

#include "support/test_support.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orolith {
namespace {

namespace fs = std::filesystem;

pid_t pidIn(const fs::path& file) {
    std::ifstream in(file);
    pid_t pid = 0;
    in >> pid;
    return pid;
}

// Gone, or a zombie nobody has reaped yet.
bool ended(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return true;
    const std::size_t close = line.rfind(')');
    return close != std::string::npos && line.size() > close + 2 && line[close + 2] == 'Z';
}

// Waits at most about 30 s for `done`.
template <typename Done> bool waitFor(Done done) {
    for (int i = 0; i < 600 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return done();
}

TEST(ImgSignal, TerminatingTheRunStopsMkgmapAndRemovesItsWorkFolder) {
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        testing::TempDir dir;
        const fs::path input =
            dir.write("sample.txt", testing::readBytes(testing::sourceDir() / "data" / "sample.txt"));
        const fs::path script = dir.write("mkgmap", "#!/bin/sh\necho $$ > '" + (dir / "mkgmap.pid").string() +
                                                        "'\nsleep 60 &\necho $! > '" +
                                                        (dir / "sleep.pid").string() + "'\nwait\n");
        fs::permissions(script, fs::perms::owner_all);
        const fs::path out = dir / "out";
        const pid_t run = ::fork();
        ASSERT_GE(run, 0);
        if (run == 0) {
            const int quiet = ::open("/dev/null", O_WRONLY);
            ::dup2(quiet, 1);
            ::dup2(quiet, 2);
            ::execl(OROLITH_CLI_BINARY, "orolith", "img", input.c_str(), "--mkgmap", script.c_str(),
                    "--output-dir", out.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ASSERT_TRUE(waitFor([&] { return pidIn(dir / "sleep.pid") > 0; })) << "mkgmap never started";
        const pid_t mkgmap = pidIn(dir / "mkgmap.pid"), sleeper = pidIn(dir / "sleep.pid");
        ::kill(run, signalNumber);
        int status = 0;
        ASSERT_EQ(::waitpid(run, &status, 0), run);
        // Ended by the signal, or cancelled with the shell's status for it once what it made is gone.
        EXPECT_TRUE((WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) ||
                    (WIFEXITED(status) && WEXITSTATUS(status) == 128 + signalNumber))
            << status;
        EXPECT_TRUE(waitFor([&] { return ended(mkgmap) && ended(sleeper); })) << "mkgmap outlived the run";
        if (fs::exists(out))
            for (const std::string& name : testing::fileNames(out))
                EXPECT_NE(name.rfind(".gmapsupp-", 0), 0u) << name;
        if (!ended(sleeper))
            ::kill(sleeper, SIGKILL);
    }
}

} // namespace
} // namespace orolith
