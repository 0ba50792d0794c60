#include "gui/progress_text.h"

#include <QCoreApplication>
#include <cmath>

namespace orolith::gui {

namespace {

// A share this small gives no useful estimate yet.
constexpr double kLeastShareForEstimate = 0.02;

} // namespace

QString byteSizeText(std::uint64_t bytes) {
    if (bytes < 1024)
        return QCoreApplication::translate("orolith::gui::Progress", "%1 bytes").arg(bytes);
    const char* units[] = {"KiB", "MiB", "GiB", "TiB"};
    double value = static_cast<double>(bytes) / 1024.0;
    int unit = 0;
    while (value >= 1024.0 && unit < 3) {
        value /= 1024.0;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(QLatin1String(units[unit]));
}

QString durationText(double seconds) {
    const auto whole = static_cast<long long>(std::llround(std::max(seconds, 0.0)));
    if (whole < 60)
        return QCoreApplication::translate("orolith::gui::Progress", "%1 s").arg(whole);
    if (whole < 3600)
        return QCoreApplication::translate("orolith::gui::Progress", "%1 min %2 s")
            .arg(whole / 60)
            .arg(whole % 60, 2, 10, QLatin1Char('0'));
    return QCoreApplication::translate("orolith::gui::Progress", "%1 h %2 min")
        .arg(whole / 3600)
        .arg(whole % 3600 / 60, 2, 10, QLatin1Char('0'));
}

QString fetchProgressText(const download::FetchProgress& progress, std::uint64_t expectedBytes) {
    QString text = QCoreApplication::translate("orolith::gui::Progress", "%1 of %2 tiles, %3")
                       .arg(progress.tilesDone)
                       .arg(progress.tilesTotal)
                       .arg(byteSizeText(progress.bytes));
    if (expectedBytes > progress.bytes)
        text += QCoreApplication::translate("orolith::gui::Progress", " of about %1")
                    .arg(byteSizeText(expectedBytes));
    if (progress.seconds <= 0 || progress.bytes == 0)
        return text;
    const double speed = static_cast<double>(progress.bytes) / progress.seconds;
    text += QCoreApplication::translate("orolith::gui::Progress", ", %1/s")
                .arg(byteSizeText(static_cast<std::uint64_t>(speed)));
    if (expectedBytes > progress.bytes)
        text += QCoreApplication::translate("orolith::gui::Progress", ", %1 left")
                    .arg(durationText(static_cast<double>(expectedBytes - progress.bytes) / speed));
    return text;
}

QString runTimeText(const QString& stage, double seconds, double share) {
    QString text = stage + QStringLiteral(" … ") + durationText(seconds);
    if (share >= kLeastShareForEstimate && share < 1.0)
        text += QCoreApplication::translate("orolith::gui::Progress", ", about %1 left")
                    .arg(durationText(seconds * (1.0 - share) / share));
    return text;
}

} // namespace orolith::gui
