#include "gui/tile_mirror_group.h"

#include "gui/byte_text.h"

#include <QFormLayout>
#include <QLineEdit>

namespace orolith::gui {

namespace dl = orolith::download;

TileMirrorGroup::TileMirrorGroup(const dl::SourceSettings& settings, QWidget* parent)
    : QGroupBox(tr("Elevation tile mirrors (base addresses)"), parent) {
    auto* form = new QFormLayout(this);
    for (const dl::SourceKind kind : dl::kAllSources) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("baseUrl_") + fromBytes(dl::sourceName(kind)));
        box->setPlaceholderText(fromBytes(dl::defaultBaseUrl(kind)));
        // Wide enough to show the source's own address in full.
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(box->placeholderText()) +
                             box->fontMetrics().averageCharWidth() * 2);
        box->setToolTip(fromBytes(dl::sourceTitle(kind)));
        if (const auto found = settings.baseUrls.find(kind); found != settings.baseUrls.end())
            box->setText(fromBytes(found->second));
        form->addRow(fromBytes(dl::sourceName(kind)), box);
        boxes_[kind] = box;
    }
}

QString TileMirrorGroup::problem() const {
    for (const auto& [kind, box] : boxes_) {
        const QString text = box->text().trimmed();
        if (!text.isEmpty() && !dl::isBaseUrl(toBytes(text)))
            return tr("The base address for %1 must be an http:// or https:// address.")
                .arg(fromBytes(dl::sourceName(kind)));
    }
    return {};
}

dl::SourceSettings TileMirrorGroup::applied(dl::SourceSettings settings) const {
    settings.baseUrls.clear();
    for (const auto& [kind, box] : boxes_) {
        const std::string url = dl::tidyBaseUrl(toBytes(box->text()));
        if (!url.empty() && url != dl::defaultBaseUrl(kind))
            settings.baseUrls[kind] = url;
    }
    return settings;
}

} // namespace orolith::gui
