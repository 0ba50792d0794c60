// Files and folders dropped on the main window open as if chosen in File ▸ "Open File".
#include "gui/conversion_runner.h"
#include "gui/desktop.h"
#include "gui/dropped_inputs.h"
#include "gui/main_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace orolith::gui {

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!runner_->active() &&
        std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (runner_->active())
        return;
    const QStringList inputs = droppedInputs(event->mimeData()->urls());
    event->acceptProposedAction();
    if (inputs.isEmpty()) {
        Desktop::instance().message(this,
                                    tr("Nothing to open here: drop elevation tiles, a folder of tiles or "
                                       "a Geo Vector file."));
        return;
    }
    openInputs(inputs);
}

} // namespace orolith::gui
