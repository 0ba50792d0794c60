#pragma once
// What the preview shows, made off the window's thread. One thread reads the whole input
// (handing on what it has every few hundred milliseconds) at the level of detail of its whole
// extent in the canvas; when the view comes closer than that, another reads just the area
// around the view at the view's level of detail, and pictures of that area use it once it is
// complete. A third thread paints pictures: a newer request makes an older picture stop
// where it is, except that a move at the same scale lets it finish, so pictures keep coming
// while the user drags. Partial pictures arrive while painting goes on.

#include "render/band_painter.h"
#include "render/band_set.h"
#include "render/band_style.h"
#include "render/map_view.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <vector>

class QThread;
class QTimer;

namespace orolith::dem {
struct DemOptions;
}

namespace orolith::gui {

using BandSnapshot = std::shared_ptr<const render::BandSet>;

class PreviewEngine : public QObject {
    Q_OBJECT
  public:
    explicit PreviewEngine(QObject* parent = nullptr);
    ~PreviewEngine() override;

    // Reads the input anew (a Geo Vector file, or elevation models banded as `input` says);
    // earlier reads are abandoned without waiting for them, and only the newest one reports.
    void load(const dem::DemOptions& input, const render::BandReadSettings& settings);
    // Stops reading and forgets the bands: nothing is painted until the next load.
    void clear();
    bool reading() const { return whole_.thread != nullptr; }
    // The bands of the whole input, at the level of detail of the whole extent.
    const BandSnapshot& bands() const { return bands_; }
    // The bands a picture of `view` is painted from: the finer ones read for the area around
    // the view when they cover it, else those of the whole input.
    const BandSnapshot& bandsFor(const render::MapView& view) const;
    // Whether the finer bands of the area around `view` are being read.
    bool readingDetail() const { return detail_.thread != nullptr; }

    // How bands look and what lies beneath them; takes effect with the next picture.
    void setLooks(std::vector<render::BandLook> looks, bool contours, QColor background);
    const std::vector<render::BandLook>& looks() const { return looks_; }

    // Paints the bands as seen through `view`, a picture whose pixels are `pixelRatio`
    // times finer than the view's; a picture of another scale still being painted stops.
    // Reads the area around the view again when it needs more detail than is at hand.
    void paint(const render::MapView& view, double pixelRatio = 1.0);

  signals:
    // More bands arrived (`complete`: the whole input has been read).
    void bandsChanged(bool complete);
    void readFailed(const QString& message);
    // The finer bands around the view arrived.
    void detailChanged();
    // A picture of `view`; `complete` is false for a picture still being painted.
    void pictureReady(const QImage& image, const render::MapView& view, bool complete);

  private:
    struct ReadJob {
        QThread* thread = nullptr;
        std::shared_ptr<std::atomic<bool>> cancelled;
        quint64 number = 0;
    };
    void startRead(ReadJob& job, const render::BandReadSettings& settings, bool whole);
    void stopReading(ReadJob& job);
    void takeSnapshot(const BandSnapshot& snapshot, bool complete, quint64 readNumber);
    void followView(const render::MapView& view);
    void readDetail();
    void abandon(ReadJob& job);

    std::shared_ptr<const dem::DemOptions> input_;
    render::BandReadSettings settings_;
    BandSnapshot bands_;
    ReadJob whole_;

    BandSnapshot detailBands_;       // complete, for detailArea_
    render::GeoBox detailArea_;
    ReadJob detail_;
    render::GeoBox pendingArea_;     // of the detail being read, with its tolerance
    double pendingTolerance_ = 0.0;
    render::MapView latestView_;
    QTimer* detailTimer_ = nullptr;  // the detail is read once the view rests
    std::vector<QThread*> stopping_; // cancelled reads not yet ended

    std::vector<render::BandLook> looks_;
    bool contours_ = false;
    QColor background_ = Qt::white;

    QThread* paintThread_ = nullptr;
    QObject* painter_ = nullptr; // lives on paintThread_
    // The last complete picture, for moving it when the next is of the same scale (used on
    // paintThread_ only).
    struct Painted {
        QImage image;
        render::MapView view;
        quint64 scale = 0;
    };
    std::shared_ptr<Painted> lastPicture_ = std::make_shared<Painted>();
    std::shared_ptr<std::atomic<quint64>> latestPicture_;
    std::shared_ptr<std::atomic<quint64>> latestScale_; // changes with scale, size or looks
    quint64 scaleNumber_ = 0;
    render::MapView lastPainted_;
    const render::BandSet* lastBands_ = nullptr; // compared only
};

} // namespace orolith::gui
