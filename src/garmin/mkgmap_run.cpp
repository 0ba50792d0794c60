#include "garmin/mkgmap_run.h"

#include "core/platform/temporary_files.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <deque>

#ifndef _WIN32
#include <signal.h>
#include <unistd.h>
#endif

namespace orolith::garmin {

namespace {

constexpr std::size_t kKeptLines = 12;

class LineKeeper {
  public:
    void add(const QByteArray& bytes, MkgmapRun& run) {
        pending_ += bytes;
        for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
            line(QString::fromLocal8Bit(pending_.left(end)).trimmed().toStdString(), run);
            pending_.remove(0, end + 1);
        }
    }
    void finish(MkgmapRun& run) {
        line(QString::fromLocal8Bit(pending_).trimmed().toStdString(), run);
        run.lastLines.assign(lines_.begin(), lines_.end());
    }

  private:
    void line(const std::string& text, MkgmapRun& run) {
        static const std::string failedMaps = "Number of MapFailedExceptions: ";
        if (text.empty() || text.starts_with("Picked up JAVA_TOOL_OPTIONS") ||
            (text.starts_with("Using ") && text.ends_with(" to execute mkgmap.")))
            return;
        if (text.starts_with(failedMaps))
            run.failedMaps = std::atoi(text.c_str() + failedMaps.size());
        lines_.push_back(text);
        if (lines_.size() > kKeptLines)
            lines_.pop_front();
    }
    QByteArray pending_;
    std::deque<std::string> lines_;
};

std::size_t countExisting(const std::filesystem::path& folder, const std::vector<std::string>& names) {
    std::size_t count = 0;
    std::error_code ec;
    for (const std::string& name : names)
        count += std::filesystem::exists(folder / name, ec) ? 1 : 0;
    return count;
}

// mkgmap runs in a process group of its own (its script, Java and whatever they start), so
// that stopping it stops all of them, and a signal to this program reaches them through it
// (until the caller has cleaned up and ends passing signals on).
class ProcessGroup {
  public:
    explicit ProcessGroup(QProcess& process) : process_(process) {
#ifndef _WIN32
        process_.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    }
    ProcessGroup(const ProcessGroup&) = delete;
    ProcessGroup& operator=(const ProcessGroup&) = delete;
    void started() {
        leader_ = static_cast<long>(process_.processId());
        passSignalsTo(leader_);
    }
    // Kills the whole group and waits for mkgmap's own process.
    void kill() {
#ifndef _WIN32
        if (leader_ > 0)
            ::kill(static_cast<pid_t>(-leader_), SIGKILL);
#endif
        process_.kill();
        process_.waitForFinished();
    }

  private:
    QProcess& process_;
    long leader_ = 0;
};

} // namespace

MkgmapRun runMkgmap(const MkgmapCommand& command, const std::vector<std::string>& arguments,
                    const std::filesystem::path& outputDir, const std::vector<std::string>& tileNames,
                    const MkgmapWatch& watch) {
    MkgmapRun run;
    QProcess process;
    QStringList words;
    for (const std::string& word : command.leadingArguments)
        words << QString::fromStdString(word);
    for (const std::string& word : arguments)
        words << QString::fromStdString(word);
    if (!command.javaToolOptions.empty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString before = environment.value("JAVA_TOOL_OPTIONS");
        environment.insert("JAVA_TOOL_OPTIONS",
                           (before.isEmpty() ? "" : before + " ") + QString::fromStdString(command.javaToolOptions));
        process.setProcessEnvironment(environment);
    }
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(QString::fromStdString(outputDir.string()));
    ProcessGroup group(process);
    process.start(QString::fromStdString(command.program), words);
    LineKeeper lines;
    if (!process.waitForStarted()) {
        lines.add(process.errorString().toLocal8Bit(), run);
        lines.finish(run);
        return run;
    }
    run.started = true;
    group.started();
    while (!process.waitForFinished(100)) {
        lines.add(process.readAll(), run);
        if (heldSignal() != 0 || (watch && watch(countExisting(outputDir, tileNames)))) {
            run.cancelled = true;
            group.kill();
            break;
        }
        if (process.state() == QProcess::NotRunning)
            break;
    }
    lines.add(process.readAll(), run);
    lines.finish(run);
    if (heldSignal() != 0 && !run.cancelled) { // mkgmap ended of the signal; what it started goes too
        run.cancelled = true;
        group.kill();
    }
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = run.crashed ? -1 : process.exitCode();
    return run;
}

std::string describeFailure(const MkgmapRun& run) {
    std::string text;
    if (!run.started)
        text = "mkgmap could not be started.";
    else if (run.crashed)
        text = "mkgmap stopped abnormally.";
    else if (run.exitCode != 0)
        text = "mkgmap stopped with exit code " + std::to_string(run.exitCode) + ".";
    else
        text = "mkgmap did not make gmapsupp.img.";
    if (!run.lastLines.empty())
        text += " Its last lines:";
    for (const std::string& line : run.lastLines)
        text += "\n" + line;
    return text;
}

} // namespace orolith::garmin
