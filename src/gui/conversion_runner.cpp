#include "gui/conversion_runner.h"

#include "gui/byte_text.h"
#include "gui/path_text.h"
#include "gui/desktop.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <QWidget>

namespace orolith::gui {

namespace {

class WorkThread : public QThread {
  public:
    WorkThread(std::function<void(Host&)> work, Host& host) : work_(std::move(work)), host_(host) {}

  protected:
    void run() override { work_(host_); }

  private:
    std::function<void(Host&)> work_;
    Host& host_;
};

} // namespace

GuiHost::GuiHost(QWidget* window) : window_(window) {}

void GuiHost::onWindowThread(const std::function<void()>& call) {
    if (QThread::currentThread() == thread())
        call();
    else
        QMetaObject::invokeMethod(this, call, Qt::BlockingQueuedConnection);
}

void GuiHost::message(MessageKind, std::string_view text) {
    const QString shown = fromBytes(text);
    onWindowThread([this, shown] {
        // Once the window is closing, the run's remaining messages are not shown.
        if (!cancelled())
            Desktop::instance().message(window_, shown);
    });
}

bool GuiHost::ask(std::string_view text) {
    const QString shown = fromBytes(text);
    bool yes = false;
    onWindowThread([this, shown, &yes] { yes = !cancelled() && Desktop::instance().ask(window_, shown); });
    return yes;
}

void GuiHost::progress(double percent) {
    if (QThread::currentThread() == thread())
        emit progressed(percent);
    else
        QMetaObject::invokeMethod(
            this, [this, percent] { emit progressed(percent); }, Qt::QueuedConnection);
}

void GuiHost::launch(const std::filesystem::path& program, const std::filesystem::path& argument) {
    const QString tool = fromPath(program);
    const QString file = fromPath(argument);
    onWindowThread([tool, file] { Desktop::instance().startProgram(tool, {file}); });
}

ConversionRunner::ConversionRunner(QWidget* window) : QObject(window), host_(window) {}

ConversionRunner::~ConversionRunner() {
    if (thread_ != nullptr) {
        host_.requestCancel();
        waitForEnd();
    }
}

bool ConversionRunner::start(std::function<void(Host&)> work, std::function<void()> whenDone) {
    if (thread_ != nullptr)
        return false;
    host_.clearCancel();
    whenDone_ = std::move(whenDone);
    thread_ = new WorkThread(std::move(work), host_);
    connect(thread_, &QThread::finished, this, &ConversionRunner::onThreadFinished);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    thread_->start();
    return true;
}

void ConversionRunner::waitForEnd() {
    if (thread_ == nullptr)
        return;
    QEventLoop loop;
    connect(this, &ConversionRunner::finished, &loop, &QEventLoop::quit);
    if (thread_ != nullptr)
        loop.exec();
}

void ConversionRunner::onThreadFinished() {
    QThread* ended = thread_;
    thread_ = nullptr;
    ended->wait();
    delete ended;
    QApplication::restoreOverrideCursor();
    auto done = std::move(whenDone_);
    whenDone_ = nullptr;
    if (done)
        done();
    emit finished();
}

} // namespace orolith::gui
