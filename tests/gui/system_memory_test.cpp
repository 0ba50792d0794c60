// The memory figure the About window shows.
#include "gui/system_memory.h"

#include <QtTest>

using namespace orolith::gui;

class SystemMemoryTest : public QObject {
    Q_OBJECT
  private slots:
    void memoryFigureFromProcMeminfo() {
        QCOMPARE(memoryLoadFromMeminfo("MemTotal:       16000000 kB\nMemFree:         1000000 kB\n"
                                       "MemAvailable:   10080000 kB\nBuffers:          200000 kB\n"),
                 37);
        QCOMPARE(memoryLoadFromMeminfo("MemTotal: 1000 kB\nMemAvailable: 995 kB\n"), 1); // 0.5 % rounds up
        QCOMPARE(memoryLoadFromMeminfo("MemTotal: 1000 kB\nMemAvailable: 1200 kB\n"), 0);
        QCOMPARE(memoryLoadFromMeminfo("MemTotal: 1000 kB\nMemFree: 10 kB\n"), -1);
        QCOMPARE(memoryLoadFromMeminfo("MemTotal: 0 kB\nMemAvailable: 0 kB\n"), -1);
        QCOMPARE(memoryLabelText(5), QStringLiteral("System: 5%"));
        QCOMPARE(memoryLabelText(-1), QStringLiteral("System:-1%"));
    }
};

QTEST_MAIN(SystemMemoryTest)
#include "system_memory_test.moc"
