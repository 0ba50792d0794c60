#include "gui/contour_lines_box.h"

#include "dem/contour_lines.h"
#include "dem/dem_bands.h"
#include "gui/byte_text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace orolith::gui {

ContourLinesBox::ContourLinesBox(QWidget* parent) : QGroupBox(tr("Contour lines"), parent) {
    setObjectName(QStringLiteral("ContourLines"));
    setCheckable(true);
    setChecked(false);
    interval_ = new QLineEdit(QStringLiteral("10"));
    interval_->setObjectName(QStringLiteral("ContourInterval"));
    interval_->setToolTip(tr("Between two lines, in whole metres (feet when ticked)"));
    multiples_ = new QLineEdit(QStringLiteral("5,10"));
    multiples_->setObjectName(QStringLiteral("ContourMajor"));
    multiples_->setToolTip(tr("Every N-th line is intermediate, every M-th major"));
    feet_ = new QCheckBox(tr("Feet"));
    feet_->setObjectName(QStringLiteral("ContourFeet"));
    // Two rows, so that the box fits a narrow panel.
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Interval")), 0, 0);
    grid->addWidget(interval_, 0, 1);
    grid->addWidget(feet_, 0, 2);
    grid->addWidget(new QLabel(tr("Intermediate, major")), 1, 0);
    grid->addWidget(multiples_, 1, 1);
    grid->setColumnStretch(3, 1);
}

bool ContourLinesBox::read(dem::ContourOptions& options, QString& error) const {
    options = {};
    if (!isChecked())
        return true;
    const auto interval = dem::readWholeMetres(toBytes(interval_->text()), true);
    if (!interval) {
        error = tr("The contour interval is a whole number of metres (or feet) above 0.");
        return false;
    }
    std::string why;
    const auto multiples = dem::readMajorMultiples(toBytes(multiples_->text()), why);
    if (!multiples) {
        error = tr("Contour lines: every N-th line is intermediate and every M-th major, M a multiple of N "
                   "(such as 5,10).");
        return false;
    }
    options.interval = *interval;
    options.intermediate = multiples->first;
    options.major = multiples->second;
    options.feet = feet_->isChecked();
    return true;
}

} // namespace orolith::gui
