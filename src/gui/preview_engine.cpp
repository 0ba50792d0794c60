#include "gui/preview_engine.h"

#include "core/host.h"
#include "render/input_bands.h"

#include <QElapsedTimer>
#include <QThread>

namespace orolith::gui {

namespace {

constexpr qint64 kSnapshotEveryMs = 300;

// The reading thread's host: no questions, the first failure kept, cancellation by flag.
class ReadingHost : public Host {
  public:
    explicit ReadingHost(std::shared_ptr<std::atomic<bool>> cancel) : cancel_(std::move(cancel)) {}
    void message(MessageKind kind, std::string_view text) override {
        if (kind == MessageKind::Failure && failure.empty())
            failure = std::string(text);
    }
    bool ask(std::string_view) override { return false; }
    bool cancelled() override { return cancel_->load(); }

    std::string failure;

  private:
    std::shared_ptr<std::atomic<bool>> cancel_;
};

} // namespace

PreviewEngine::PreviewEngine(QObject* parent)
    : QObject(parent), latestPicture_(std::make_shared<std::atomic<quint64>>(0)) {
    paintThread_ = new QThread(this);
    painter_ = new QObject;
    painter_->moveToThread(paintThread_);
    connect(paintThread_, &QThread::finished, painter_, &QObject::deleteLater);
    paintThread_->start();
}

PreviewEngine::~PreviewEngine() {
    stopReading();
    latestPicture_->fetch_add(1); // a picture being painted stops
    paintThread_->quit();
    paintThread_->wait();
}

void PreviewEngine::stopReading() {
    if (readThread_ == nullptr)
        return;
    readCancelled_->store(true);
    readThread_->wait();
    delete readThread_;
    readThread_ = nullptr;
}

void PreviewEngine::load(const QString& path, const render::BandReadSettings& settings) {
    stopReading();
    bands_.reset();
    const quint64 number = ++readNumber_;
    readCancelled_ = std::make_shared<std::atomic<bool>>(false);
    const std::string file = path.toStdString();
    auto result = std::make_shared<BandSnapshot>();
    auto failure = std::make_shared<QString>();
    readThread_ = QThread::create([this, file, settings, number, cancel = readCancelled_, result, failure] {
        ReadingHost host(cancel);
        QElapsedTimer sinceSnapshot;
        sinceSnapshot.start();
        const render::BatchReady batchReady = [&](const render::BandSet& soFar, std::size_t) {
            if (sinceSnapshot.elapsed() < kSnapshotEveryMs)
                return;
            sinceSnapshot.restart();
            auto snapshot = std::make_shared<const render::BandSet>(soFar);
            QMetaObject::invokeMethod(this, [this, snapshot, number] { takeSnapshot(snapshot, false, number); },
                                      Qt::QueuedConnection);
        };
        std::optional<render::BandSet> bands = render::readInputBands({file}, settings, host, batchReady);
        if (cancel->load())
            return;
        // Taken up on the window's thread once this thread has finished.
        if (bands)
            *result = std::make_shared<const render::BandSet>(std::move(*bands));
        else
            *failure = QString::fromStdString(host.failure);
    });
    connect(readThread_, &QThread::finished, this, [this, number, result, failure] {
        if (number != readNumber_ || readThread_ == nullptr)
            return; // a read that was stopped and replaced
        readThread_->wait();
        delete readThread_;
        readThread_ = nullptr;
        if (*result)
            takeSnapshot(*result, true, number);
        else if (!readCancelled_->load())
            emit readFailed(*failure);
    });
    readThread_->start();
}

void PreviewEngine::takeSnapshot(const BandSnapshot& snapshot, bool complete, quint64 readNumber) {
    if (readNumber != readNumber_)
        return; // from a read that was replaced
    bands_ = snapshot;
    emit bandsChanged(complete);
}

void PreviewEngine::setLooks(std::vector<render::BandLook> looks, bool contours, QColor background) {
    looks_ = std::move(looks);
    contours_ = contours;
    background_ = background;
}

void PreviewEngine::paint(const render::MapView& view) {
    if (!bands_ || !view.isValid())
        return;
    const quint64 number = latestPicture_->fetch_add(1) + 1;
    render::PaintOptions options;
    options.background = background_;
    options.contours = contours_;
    QMetaObject::invokeMethod(
        painter_,
        [this, number, latest = latestPicture_, bands = bands_, looks = looks_, view, options]() mutable {
            if (latest->load() != number)
                return; // a newer picture was asked for meanwhile
            options.keepGoing = [&] { return latest->load() == number; };
            options.partial = [&](const QImage& partial) {
                QMetaObject::invokeMethod(this, [this, copy = partial.copy(), view] { emit pictureReady(copy, view, false); },
                                          Qt::QueuedConnection);
            };
            QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
            if (image.isNull() || !render::paintBands(image, view, *bands, looks, options))
                return;
            QMetaObject::invokeMethod(this, [this, image, view] { emit pictureReady(image, view, true); },
                                      Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

} // namespace orolith::gui
