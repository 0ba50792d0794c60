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
    // Shows `folder`; `defaultFolder` stands for an empty box.
    MapsFolderRow(const QString& folder, const QString& defaultFolder, QWidget* parent = nullptr);

    // The folder as a full path: the default for an empty box, a relative one in the user's
    // home folder (never where the program happens to run).
    QString folder() const;
    // Names the folder the area of `box` ("S,W,N,E") goes to; a box that cannot be read
    // names none.
    void showAreaOf(const QString& box);

  private:
    void choose();

    QLineEdit* folder_ = nullptr;
    QLabel* area_ = nullptr;
    QString default_;
    QString box_;
};

} // namespace orolith::gui
