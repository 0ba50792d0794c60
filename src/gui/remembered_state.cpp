#include "gui/remembered_state.h"

#include "core/platform/atomic_file.h"
#include "core/platform/small_file.h"
#include "gui/path_text.h"

#include <QMap>
#include <QStringList>

namespace orolith::gui {

namespace {

constexpr std::size_t kLargestFile = 64 * 1024;

using Entries = QMap<QString, QString>; // "group/key" → value

Entries readEntries(const QString& file) {
    Entries entries;
    const SmallFile read = readSmallFile(toPath(file), kLargestFile);
    if (read.outcome != FileRead::Done)
        return entries;
    QString group;
    const QStringList lines = QString::fromUtf8(read.bytes).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2);
            continue;
        }
        const auto equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            entries.insert(group + QLatin1Char('/') + line.left(equals).trimmed(), line.mid(equals + 1));
    }
    return entries;
}

// One line a value: line breaks in it become spaces.
QString oneLine(QString value) {
    return value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

QString rememberedStateFile(const QString& settingsFolder) {
    return settingsFolder + QStringLiteral("/window.ini");
}

RememberedState loadRememberedState(const QString& file) {
    const Entries entries = readEntries(file);
    RememberedState state;
    const auto text = [&entries](const char* key, const QString& otherwise) {
        return entries.value(QString::fromLatin1(key), otherwise);
    };
    state.interval = text("bands/interval", state.interval);
    state.base = text("bands/base", state.base);
    bool whole = false;
    const int smooth = text("bands/smooth", QString()).toInt(&whole);
    if (whole && smooth >= 0 && smooth <= 100)
        state.smooth = smooth;
    state.fillVoids = text("bands/fill-voids", QString()) == QStringLiteral("true");
    state.simplify = text("bands/simplify", state.simplify);
    state.downloadCoordinate = text("download/coordinate", QString());
    state.downloadArea = text("download/area", QString());
    state.downloadMapsFolder = text("download/maps-folder", QString());
    state.geometry = QByteArray::fromBase64(text("window/geometry", QString()).toLatin1());
    state.split = QByteArray::fromBase64(text("window/split", QString()).toLatin1());
    return state;
}

bool saveRememberedState(const QString& file, const RememberedState& state, QString& error) {
    const QString crlf = QStringLiteral("\r\n");
    const auto line = [&crlf](const char* key, const QString& value) {
        return QString::fromLatin1(key) + QLatin1Char('=') + oneLine(value) + crlf;
    };
    const QString text =
        QStringLiteral("[bands]") + crlf + line("interval", state.interval) + line("base", state.base) +
        line("smooth", QString::number(state.smooth)) +
        line("fill-voids", state.fillVoids ? QStringLiteral("true") : QStringLiteral("false")) +
        line("simplify", state.simplify) + crlf + QStringLiteral("[download]") + crlf +
        line("coordinate", state.downloadCoordinate) + line("area", state.downloadArea) +
        line("maps-folder", state.downloadMapsFolder) + crlf +
        QStringLiteral("[window]") + crlf + line("geometry", QString::fromLatin1(state.geometry.toBase64())) +
        line("split", QString::fromLatin1(state.split.toBase64()));
    std::string failure;
    if (writeFileAtomically(toPath(file), text.toStdString(), failure))
        return true;
    error = QString::fromStdString(failure);
    return false;
}

} // namespace orolith::gui
