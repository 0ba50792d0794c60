#pragma once
// Long runs of the core (writing a map, listing an input, writing a TYP file) happen on a
// worker thread so the window keeps repainting. The core talks to the user through GuiHost,
// which shows its messages and questions on the window's thread while the run waits.

#include "core/host.h"

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>

class QThread;
class QWidget;

namespace orolith::gui {

class GuiHost : public QObject, public Host {
    Q_OBJECT
  public:
    explicit GuiHost(QWidget* window);

    void message(MessageKind kind, std::string_view text) override;
    bool ask(std::string_view text) override;
    void progress(double percent) override;
    bool cancelled() override { return cancelRequested_.load(); }
    void launch(const std::filesystem::path& program, const std::filesystem::path& argument) override;

    void requestCancel() { cancelRequested_.store(true); }
    void clearCancel() { cancelRequested_.store(false); }

  signals:
    // Emitted on the window's thread.
    void progressed(double percent);

  private:
    void onWindowThread(const std::function<void()>& call);

    QPointer<QWidget> window_;
    std::atomic<bool> cancelRequested_{false};
};

// Runs one piece of work at a time on its own thread; `finished` arrives on the window's thread.
class ConversionRunner : public QObject {
    Q_OBJECT
  public:
    explicit ConversionRunner(QWidget* window);
    ~ConversionRunner() override;

    GuiHost& host() { return host_; }
    bool active() const { return thread_ != nullptr; }

    // False when a run is already going on.
    bool start(std::function<void(Host&)> work, std::function<void()> whenDone);
    // Asks the run to stop at its next check; `finished` still follows.
    void cancel() { host_.requestCancel(); }
    // Lets events run until the current run has ended (its questions are answered No).
    void waitForEnd();

  signals:
    void finished();

  private:
    void onThreadFinished();

    GuiHost host_;
    QThread* thread_ = nullptr;
    std::function<void()> whenDone_;
};

} // namespace orolith::gui
