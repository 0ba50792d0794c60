#pragma once
// What the preview shows, made off the window's thread: one thread reads the input's bands
// (handing on what it has every few hundred milliseconds), another paints pictures of them.
// A newer request makes an older picture stop where it is; partial pictures arrive while
// painting goes on.

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

namespace orolith::gui {

using BandSnapshot = std::shared_ptr<const render::BandSet>;

class PreviewEngine : public QObject {
    Q_OBJECT
  public:
    explicit PreviewEngine(QObject* parent = nullptr);
    ~PreviewEngine() override;

    // Reads `path` (a Geo Vector file or an elevation model) anew; an earlier read stops.
    void load(const QString& path, const render::BandReadSettings& settings);
    bool reading() const { return readThread_ != nullptr; }
    const BandSnapshot& bands() const { return bands_; }

    // How bands look and what lies beneath them; takes effect with the next picture.
    void setLooks(std::vector<render::BandLook> looks, bool contours, QColor background);
    const std::vector<render::BandLook>& looks() const { return looks_; }

    // Paints the bands as seen through `view`; any picture still being painted stops.
    void paint(const render::MapView& view);

  signals:
    // More bands arrived (`complete`: the whole input has been read).
    void bandsChanged(bool complete);
    void readFailed(const QString& message);
    // A picture of `view`; `complete` is false for a picture still being painted.
    void pictureReady(const QImage& image, const render::MapView& view, bool complete);

  private:
    void stopReading();
    void takeSnapshot(const BandSnapshot& snapshot, bool complete, quint64 readNumber);

    BandSnapshot bands_;
    std::vector<render::BandLook> looks_;
    bool contours_ = false;
    QColor background_ = Qt::white;

    QThread* readThread_ = nullptr;
    std::shared_ptr<std::atomic<bool>> readCancelled_;
    quint64 readNumber_ = 0;

    QThread* paintThread_ = nullptr;
    QObject* painter_ = nullptr; // lives on paintThread_
    std::shared_ptr<std::atomic<quint64>> latestPicture_;
};

} // namespace orolith::gui
