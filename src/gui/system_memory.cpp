#include "gui/system_memory.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <cmath>
#include <cstdint>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(Q_OS_MACOS)
#include <mach/mach.h>
#include <sys/sysctl.h>
#include <sys/types.h>
#endif

namespace orolith::gui {

namespace {

// The number of kilobytes on the line "<key>:   1234 kB", or -1.
qint64 meminfoValue(const QByteArray& meminfo, const QByteArray& key) {
    const QList<QByteArray> lines = meminfo.split('\n');
    for (const QByteArray& line : lines) {
        if (!line.startsWith(key + ':'))
            continue;
        const QList<QByteArray> fields = line.mid(key.size() + 1).simplified().split(' ');
        bool ok = false;
        const qint64 value = fields.value(0).toLongLong(&ok);
        return ok && value >= 0 ? value : -1;
    }
    return -1;
}

#if defined(Q_OS_MACOS)
int macMemoryLoad() {
    std::uint64_t total = 0;
    size_t size = sizeof(total);
    if (sysctlbyname("hw.memsize", &total, &size, nullptr, 0) != 0 || total == 0)
        return -1;
    vm_statistics64_data_t stats{};
    mach_msg_type_number_t count = HOST_VM_INFO64_COUNT;
    if (host_statistics64(mach_host_self(), HOST_VM_INFO64, reinterpret_cast<host_info64_t>(&stats),
                          &count) != KERN_SUCCESS)
        return -1;
    const std::uint64_t available =
        (static_cast<std::uint64_t>(stats.free_count) + stats.inactive_count + stats.purgeable_count) *
        static_cast<std::uint64_t>(vm_kernel_page_size);
    const double used = available >= total ? 0.0 : static_cast<double>(total - available);
    return static_cast<int>(std::lround(100.0 * used / static_cast<double>(total)));
}
#endif

} // namespace

int memoryLoadFromMeminfo(const QByteArray& meminfo) {
    const qint64 total = meminfoValue(meminfo, "MemTotal");
    const qint64 available = meminfoValue(meminfo, "MemAvailable");
    if (total <= 0 || available < 0)
        return -1;
    const qint64 used = available >= total ? 0 : total - available;
    return static_cast<int>(std::lround(100.0 * static_cast<double>(used) / static_cast<double>(total)));
}

int memoryLoadPercent() {
#if defined(Q_OS_WIN)
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    return GlobalMemoryStatusEx(&status) ? static_cast<int>(status.dwMemoryLoad) : -1;
#elif defined(Q_OS_MACOS)
    return macMemoryLoad();
#else
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return memoryLoadFromMeminfo(file.readAll());
#endif
}

QString memoryLabelText(int percent) {
    const QString number = percent >= 0 ? QStringLiteral(" %1").arg(percent) : QString::number(percent);
    return QCoreApplication::translate("orolith::gui::SystemMemory", "System:%1%").arg(number);
}

} // namespace orolith::gui
