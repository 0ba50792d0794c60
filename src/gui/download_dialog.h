#pragma once
// The elevation tile download window: a coordinate becomes an SRTM tile name, the tile's
// address in the chosen continent folder is shown and opened in the browser.

#include <QDialog>
#include <array>

class QLineEdit;
class QRadioButton;

namespace orolith::gui {

// Shows the window modally on the continent `region` (above 5: the last one) and returns the
// continent chosen when it closed.
int runDownloadDialog(QWidget* parent, int region);

class DownloadWindow : public QDialog {
    Q_OBJECT
  public:
    explicit DownloadWindow(int region, QWidget* parent = nullptr);

    // The continent kept when the window closed (the one it opened with until then).
    int region() const { return region_; }

  public slots:
    void reject() override; // the title-bar close and Escape keep the choice as Close does

  private:
    void checkCoordinate();
    void openTileAddress();
    void keepChoice();
    int selectedContinent() const;

    QLineEdit* coordinate_ = nullptr;
    QLineEdit* tileName_ = nullptr;
    QLineEdit* address_ = nullptr;
    std::array<QRadioButton*, 6> continents_{};
    int region_ = 0;
};

} // namespace orolith::gui
