// The elevation headers come before Qt's, whose "slots" keyword they use as a name.
// clang-format off
#include "dem/dem_bands.h"
// clang-format on
#include "gui/preview_engine.h"

#include "core/host.h"
#include "render/input_bands.h"
#include "render/picture_shift.h"

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>

namespace orolith::gui {

namespace {

constexpr qint64 kSnapshotEveryMs = 300;
constexpr int kDetailAfterMs = 250; // the view rests this long before its area is read again
// The whole input's bands serve while a pixel of the view is at most this much finer than
// their tolerance; finer bands serve views whose pixel is within these bounds of theirs.
constexpr double kCoarseServesDown = 1.5;
constexpr double kFineServesUp = 1.5;
constexpr double kFineServesDown = 4.0;
constexpr double kDetailMargin = 0.5; // of the view's size, read on every side of it

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

// Whether bands merged at `tolerance` over `area` serve a picture of `view`.
bool detailServes(const render::GeoBox& area, double tolerance, const render::MapView& view) {
    const double pixel = view.degreesPerPixelX();
    return area.contains(view.area()) && tolerance <= pixel * kFineServesUp && tolerance * kFineServesDown >= pixel;
}

bool sameScale(const render::MapView& a, const render::MapView& b) {
    return a.degreesPerPixelX() == b.degreesPerPixelX() && a.degreesPerPixelY() == b.degreesPerPixelY() &&
           a.size() == b.size();
}

} // namespace

PreviewEngine::PreviewEngine(QObject* parent)
    : QObject(parent), latestPicture_(std::make_shared<std::atomic<quint64>>(0)),
      latestScale_(std::make_shared<std::atomic<quint64>>(0)) {
    paintThread_ = new QThread(this);
    painter_ = new QObject;
    painter_->moveToThread(paintThread_);
    connect(paintThread_, &QThread::finished, painter_, &QObject::deleteLater);
    paintThread_->start();
    detailTimer_ = new QTimer(this);
    detailTimer_->setSingleShot(true);
    detailTimer_->setInterval(kDetailAfterMs);
    connect(detailTimer_, &QTimer::timeout, this, &PreviewEngine::readDetail);
}

PreviewEngine::~PreviewEngine() {
    stopReading(whole_);
    stopReading(detail_);
    for (QThread* thread : stopping_) {
        thread->wait();
        delete thread;
    }
    latestPicture_->fetch_add(1); // a picture being painted stops
    latestScale_->fetch_add(1);
    paintThread_->quit();
    paintThread_->wait();
}

void PreviewEngine::stopReading(ReadJob& job) {
    if (job.thread == nullptr)
        return;
    job.cancelled->store(true);
    job.thread->wait();
    delete job.thread;
    job.thread = nullptr;
}

void PreviewEngine::clear() {
    abandon(whole_);
    abandon(detail_);
    detailTimer_->stop();
    bands_.reset();
    detailBands_.reset();
    ++whole_.number; // snapshots of the abandoned read already on their way are ignored
}

void PreviewEngine::load(const dem::DemOptions& input, const render::BandReadSettings& settings) {
    clear();
    input_ = std::make_shared<const dem::DemOptions>(input);
    settings_ = settings;
    startRead(whole_, settings, true);
}

// Reads on a thread of its own. The whole input hands on snapshots as it goes and reports a
// failure; a detail read only hands on its complete result.
void PreviewEngine::startRead(ReadJob& job, const render::BandReadSettings& settings, bool whole) {
    const quint64 number = ++job.number;
    job.cancelled = std::make_shared<std::atomic<bool>>(false);
    auto result = std::make_shared<BandSnapshot>();
    auto failure = std::make_shared<QString>();
    job.thread = QThread::create([this, input = input_, settings, number, whole, cancel = job.cancelled,
                                  result, failure] {
        ReadingHost host(cancel);
        QElapsedTimer sinceSnapshot;
        sinceSnapshot.start();
        render::BatchReady batchReady;
        if (whole)
            batchReady = [&](const render::BandSet& soFar, std::size_t) {
                if (sinceSnapshot.elapsed() < kSnapshotEveryMs)
                    return;
                sinceSnapshot.restart();
                auto snapshot = std::make_shared<const render::BandSet>(soFar);
                QMetaObject::invokeMethod(
                    this, [this, snapshot, number] { takeSnapshot(snapshot, false, number); }, Qt::QueuedConnection);
            };
        std::optional<render::BandSet> bands = render::readInputBands(*input, settings, host, batchReady);
        if (cancel->load())
            return;
        // Taken up on the window's thread once this thread has finished.
        if (bands)
            *result = std::make_shared<const render::BandSet>(std::move(*bands));
        else
            *failure = QString::fromStdString(host.failure);
    });
    connect(job.thread, &QThread::finished, this, [this, &job, number, whole, result, failure] {
        if (number != job.number || job.thread == nullptr)
            return; // a read that was stopped and replaced
        job.thread->wait();
        delete job.thread;
        job.thread = nullptr;
        if (job.cancelled->load())
            return;
        if (whole && *result)
            takeSnapshot(*result, true, number);
        else if (whole)
            emit readFailed(*failure);
        else if (*result) {
            detailBands_ = *result;
            detailArea_ = pendingArea_;
            emit detailChanged();
        }
    });
    job.thread->start();
}

void PreviewEngine::takeSnapshot(const BandSnapshot& snapshot, bool complete, quint64 readNumber) {
    if (readNumber != whole_.number)
        return; // from a read that was replaced
    bands_ = snapshot;
    emit bandsChanged(complete);
}

const BandSnapshot& PreviewEngine::bandsFor(const render::MapView& view) const {
    if (detailBands_ && bands_ && detailBands_->tolerance < bands_->tolerance &&
        detailServes(detailArea_, detailBands_->tolerance, view))
        return detailBands_;
    return bands_;
}

// Starts (once the view rests) or stops reading the finer bands around the view.
void PreviewEngine::followView(const render::MapView& view) {
    latestView_ = view;
    if (!bands_ || reading() || bands_->tolerance <= 0.0 ||
        view.degreesPerPixelX() * kCoarseServesDown >= bands_->tolerance ||
        (detailBands_ && detailServes(detailArea_, detailBands_->tolerance, view))) {
        detailTimer_->stop();
        if (detail_.thread != nullptr && !detailServes(pendingArea_, pendingTolerance_, view))
            abandon(detail_);
        return;
    }
    if (detail_.thread != nullptr && detailServes(pendingArea_, pendingTolerance_, view))
        return;
    detailTimer_->start();
}

// The input or the view moved on: the read is cancelled and ends on its own; nobody waits
// for it.
void PreviewEngine::abandon(ReadJob& job) {
    if (job.thread == nullptr)
        return;
    job.cancelled->store(true);
    QThread* thread = job.thread;
    stopping_.push_back(thread);
    connect(thread, &QThread::finished, this, [this, thread] {
        stopping_.erase(std::remove(stopping_.begin(), stopping_.end(), thread), stopping_.end());
        thread->wait();
        delete thread;
    });
    job.thread = nullptr;
}

void PreviewEngine::readDetail() {
    abandon(detail_);
    render::BandReadSettings settings = settings_;
    settings.fitWidth = settings.fitHeight = 0;
    settings.tolerance = latestView_.degreesPerPixelX();
    settings.area = latestView_.area().grown(kDetailMargin);
    pendingArea_ = settings.area;
    pendingTolerance_ = settings.tolerance;
    startRead(detail_, settings, false);
}

void PreviewEngine::setLooks(std::vector<render::BandLook> looks, bool contours, QColor background) {
    looks_ = std::move(looks);
    contours_ = contours;
    background_ = background;
    latestScale_->store(++scaleNumber_);
}

void PreviewEngine::paint(const render::MapView& view, double pixelRatio) {
    if (!bands_ || !view.isValid())
        return;
    followView(view);
    const BandSnapshot& bands = bandsFor(view);
    if (!sameScale(view, lastPainted_) || bands.get() != lastBands_)
        latestScale_->store(++scaleNumber_);
    lastPainted_ = view;
    lastBands_ = bands.get();
    const quint64 number = latestPicture_->fetch_add(1) + 1;
    const quint64 scale = latestScale_->load();
    const double ratio = std::max(1.0, pixelRatio);
    const QSize size(static_cast<int>(view.size().width() * ratio), static_cast<int>(view.size().height() * ratio));
    const render::MapView fine(view.west(), view.north(), view.degreesPerPixelX() / ratio,
                               view.degreesPerPixelY() / ratio, size);
    render::PaintOptions options;
    options.background = background_;
    options.contours = contours_;
    QMetaObject::invokeMethod(
        painter_,
        [this, number, scale, latest = latestPicture_, latestScale = latestScale_, last = lastPicture_, bands,
         looks = looks_, view, fine, ratio, options]() mutable {
            if (latest->load() != number)
                return; // a newer picture was asked for meanwhile
            options.keepGoing = [&] { return latest->load() == number || latestScale->load() == scale; };
            options.partial = [&](const QImage& partial) {
                QImage copy = partial.copy();
                copy.setDevicePixelRatio(ratio);
                QMetaObject::invokeMethod(
                    this, [this, copy, view] { emit pictureReady(copy, view, false); }, Qt::QueuedConnection);
            };
            options.tileOrigin = render::earthTileOrigin(fine);
            QImage image(fine.size(), QImage::Format_ARGB32_Premultiplied);
            if (image.isNull())
                return;
            const auto shift = last->scale == scale ? render::wholePixelShift(last->view, fine) : std::nullopt;
            const bool done = shift ? render::paintShifted(image, fine, last->image, *shift, *bands, looks, options)
                                    : render::paintBands(image, fine, *bands, looks, options);
            if (!done)
                return;
            *last = {image, fine, scale};
            image.setDevicePixelRatio(ratio);
            QMetaObject::invokeMethod(
                this, [this, image, view] { emit pictureReady(image, view, true); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

} // namespace orolith::gui
