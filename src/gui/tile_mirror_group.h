#pragma once
// The settings window's group of tile mirrors: one base address per elevation tile source,
// empty for the source's own. The command line and the download window read the same
// addresses from the download settings (system/dem-sources.txt).

#include "download/source_settings.h"

#include <QGroupBox>
#include <QString>

#include <map>

class QLineEdit;

namespace orolith::gui {

class TileMirrorGroup : public QGroupBox {
    Q_OBJECT
  public:
    explicit TileMirrorGroup(const download::SourceSettings& settings, QWidget* parent = nullptr);

    // Why an address cannot be used, or empty when every box is empty or an address.
    QString problem() const;
    // `settings` with the boxes' addresses (call when problem() is empty).
    download::SourceSettings applied(download::SourceSettings settings) const;

  private:
    std::map<download::SourceKind, QLineEdit*> boxes_;
};

} // namespace orolith::gui
