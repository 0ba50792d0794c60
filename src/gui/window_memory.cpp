// What the window remembers beside the settings file: the band options, the download area,
// its size and place; and the input of the last run, opened again at start.
#include "gui/desktop.h"
#include "gui/main_window.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>

namespace orolith::gui {

namespace {

// A first window fills most of a small screen and stays moderate on a large one.
QSize firstWindowSize(const QScreen* screen) {
    const QSize wanted(1280, 820);
    if (screen == nullptr)
        return wanted;
    return wanted.boundedTo(screen->availableGeometry().size() * 0.92);
}

} // namespace

void MainWindow::restoreRemembered() {
    remembered_ = loadRememberedState(rememberedStateFile(home_.settingsFolder));
    intervalBox_->setText(remembered_.interval);
    baseBox_->setText(remembered_.base);
    smoothBox_->setValue(remembered_.smooth);
    fillVoidsBox_->setChecked(remembered_.fillVoids);
    simplifyBox_->setText(remembered_.simplify);
    if (remembered_.geometry.isEmpty() || !restoreGeometry(remembered_.geometry))
        resize(firstWindowSize(screen()));
    auto* split = findChild<QSplitter*>(QStringLiteral("mainSplit"));
    if (remembered_.split.isEmpty() || !split->restoreState(remembered_.split)) {
        // The panel as wide as its controls ask, as far as half the window, but never
        // narrower than its controls need: on a small screen the map gives way.
        const auto* scroll = static_cast<QScrollArea*>(split->widget(0));
        const int bar = scroll->verticalScrollBar()->sizeHint().width();
        const int panel = scroll->widget()->sizeHint().width() + bar;
        const int least = scroll->widget()->minimumSizeHint().width() + bar;
        split->setSizes({std::min(panel, std::max(least, width() / 2)), width()});
    }
}

void MainWindow::storeRemembered() {
    remembered_.interval = intervalBox_->text();
    remembered_.base = baseBox_->text();
    remembered_.smooth = smoothBox_->value();
    remembered_.fillVoids = fillVoidsBox_->isChecked();
    remembered_.simplify = simplifyBox_->text();
    remembered_.geometry = saveGeometry();
    remembered_.split = findChild<QSplitter*>(QStringLiteral("mainSplit"))->saveState();
    QString error;
    const QString file = rememberedStateFile(home_.settingsFolder);
    if (!saveRememberedState(file, remembered_, error))
        Desktop::instance().message(this, tr("Cannot write file:") + file + QStringLiteral("\r\n") + error);
}

// The input box as the last run left it; a file that has gone is left named, not opened.
void MainWindow::reopenLastInput() {
    const QString path = inputBox_->text();
    if (!path.contains(QLatin1Char('*')) && QFileInfo(path).isFile())
        openInput(path);
}

} // namespace orolith::gui
