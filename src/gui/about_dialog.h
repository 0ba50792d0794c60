#pragma once
// The "Information" window: the program's logo, name and version, and how much of the
// computer's memory is in use (refreshed whenever the window becomes active again).

#include <QDialog>
#include <QIcon>

class QLabel;

namespace orolith::gui {

// The program's icon in every size it is drawn in, for the windows and the task bar.
QIcon applicationIcon();

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // Fills the labels again: "Beta ", the memory figure, the version line.
    void refresh();

  protected:
    bool event(QEvent* event) override;

  private:
    QLabel* betaLabel_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QLabel* memoryLabel_ = nullptr;
};

// Shows the window modally; returns when it was closed.
void runAboutDialog(QWidget* parent);

} // namespace orolith::gui
