#pragma once
// The download window's choice of where an area's map goes: a folder (Documents/Orolith
// unless the user chose another) that gets one folder per area, named after its tiles, for
// the mosaic, the map, its TYP and gmapsupp.img.

#include <QWidget>

class QLabel;
class QLineEdit;

namespace orolith::gui {

class MapsFolderRow : public QWidget {
    Q_OBJECT
  public:
    explicit MapsFolderRow(const QString& folder, QWidget* parent = nullptr);

    QString folder() const;
    // Names the folder the area of `box` ("S,W,N,E") goes to; a box that cannot be read
    // names none.
    void showAreaOf(const QString& box);

  private:
    void choose();

    QLineEdit* folder_ = nullptr;
    QLabel* area_ = nullptr;
    QString box_;
};

} // namespace orolith::gui
