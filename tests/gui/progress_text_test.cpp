// How the window words sizes, durations and the state of downloads and Garmin map runs.
#include "gui/progress_text.h"

#include <QTest>

using namespace orolith::gui;

class ProgressTextTest : public QObject {
    Q_OBJECT

  private slots:
    void sizesAndDurations() {
        QCOMPARE(byteSizeText(1023), QStringLiteral("1023 bytes"));
        QCOMPARE(byteSizeText(1024), QStringLiteral("1.0 KiB"));
        QCOMPARE(byteSizeText(20 * 1024 * 1024 + 102 * 1024), QStringLiteral("20.1 MiB"));
        QCOMPARE(byteSizeText(std::uint64_t{3} << 30), QStringLiteral("3.0 GiB"));
        QCOMPARE(durationText(59.4), QStringLiteral("59 s"));
        QCOMPARE(durationText(185), QStringLiteral("3 min 05 s"));
        QCOMPARE(durationText(7830), QStringLiteral("2 h 10 min"));
    }

    // Speed and time left once bytes have come; a total only while more is expected.
    void downloadProgress() {
        constexpr std::uint64_t mib = 1024 * 1024;
        QCOMPARE(fetchProgressText({0, 24, 0, 0.0}, 48 * mib),
                 QStringLiteral("0 of 24 tiles, 0 bytes of about 48.0 MiB"));
        QCOMPARE(fetchProgressText({3, 24, 20 * mib, 10.0}, 48 * mib),
                 QStringLiteral("3 of 24 tiles, 20.0 MiB of about 48.0 MiB, 2.0 MiB/s, 14 s left"));
        QCOMPARE(fetchProgressText({24, 24, 50 * mib, 10.0}, 48 * mib),
                 QStringLiteral("24 of 24 tiles, 50.0 MiB, 5.0 MiB/s"));
    }

    // The time left follows from the share done, once there is enough of it to go by.
    void runTimes() {
        QCOMPARE(runTimeText(QStringLiteral("Writing the map"), 1.0, 0.01),
                 QStringLiteral("Writing the map … 1 s"));
        QCOMPARE(runTimeText(QStringLiteral("Compiling"), 30.0, 0.25),
                 QStringLiteral("Compiling … 30 s, about 1 min 30 s left"));
        QCOMPARE(runTimeText(QStringLiteral("Done"), 40.0, 1.0), QStringLiteral("Done … 40 s"));
    }
};

QTEST_MAIN(ProgressTextTest)
#include "progress_text_test.moc"
