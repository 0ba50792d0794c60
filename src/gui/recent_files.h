#pragma once
// The inputs opened most recently, newest first, as the File menu lists them and the settings
// file keeps them. There are always four entries; one that holds no path is blank.

#include <QString>
#include <QStringList>

namespace orolith::gui {

class RecentFiles {
  public:
    static constexpr int kCount = 4;

    // A new list: the first entry a single blank, the others empty, as a first settings file
    // holds them.
    RecentFiles();

    // Puts `path` first, with the platform's separators. An entry that already holds it moves
    // up; otherwise the oldest entry drops out. A path beginning with a backslash is not
    // recorded. False when the list did not change.
    bool add(const QString& path);

    // Takes the entries as the settings file holds them, newest first; missing ones are empty.
    // An empty first entry is the first start's blank, which the file trims away.
    void assign(const QStringList& paths);

    QString at(int index) const { return paths_.value(index); }
    const QStringList& paths() const { return paths_; }

  private:
    QStringList paths_;
};

} // namespace orolith::gui
