#pragma once
// The colour ramp chooser: "Automatic" (the atlas ramp for elevation models, the classic table
// otherwise), the built-in ramps, "From file…" and the files read so far, above a strip that
// shows the ramp chosen. The choice is kept in its own file beside the settings file.

#include "core/style/colour_ramp.h"

#include <QWidget>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace orolith::gui {

class RampChooser : public QWidget {
    Q_OBJECT
  public:
    explicit RampChooser(QWidget* parent = nullptr);

    // The ramp chosen; nothing for "Automatic".
    std::optional<ColourRamp> chosen() const;
    // "automatic", a built-in name or a ramp file's path: what the settings keep.
    QString setting() const;
    // Chooses by a setting; a file that cannot be read leaves "Automatic", and says why.
    void choose(const QString& setting);
    // Reads a ramp file and chooses it; false (after saying why, nothing changed) when it cannot.
    bool chooseFile(const QString& path);
    // The strip shows the ramp chosen as it would colour data from `lowest` to `highest`.
    void setRange(double lowest, double highest);

  signals:
    void changed();

  private:
    void askForFile();
    void showStrip();

    QComboBox* combo_ = nullptr;      // rampChooser
    QPushButton* fromFile_ = nullptr; // rampFromFile
    QLabel* strip_ = nullptr;         // rampStrip
    std::vector<ColourRamp> files_;   // read from files, after the built-ins in the combo
    double lowest_ = 0;
    double highest_ = 1000;
};

// ramp.txt in the settings folder
QString rampSettingFile(const QString& settingsFolder);
// The kept choice; "automatic" when there is none.
QString loadRampSetting(const QString& file);
// False when the file cannot be written.
bool saveRampSetting(const QString& file, const QString& setting);

} // namespace orolith::gui
