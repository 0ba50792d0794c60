// The list of recent inputs: order, moving up, dropping the oldest, and the entries the
// settings file gives back.
#include "gui/recent_files.h"

#include <QDir>
#include <QTest>

using orolith::gui::RecentFiles;

class RecentFilesTest : public QObject {
    Q_OBJECT

  private slots:
    void newestFirstAndEachPathOnce() {
        RecentFiles recent;
        QCOMPARE(recent.paths(), QStringList({" ", "", "", ""}));
        for (const char* path : {"/d/a.txt", "/d/b.txt", "/d/c.txt", "/d/d.txt"})
            QVERIFY(recent.add(path));
        QCOMPARE(recent.paths(), QStringList({"/d/d.txt", "/d/c.txt", "/d/b.txt", "/d/a.txt"}));

        QVERIFY(!recent.add("/d/d.txt")); // already the newest
        QVERIFY(recent.add("/d/b.txt"));  // moves up, the ones above it shift down
        QCOMPARE(recent.paths(), QStringList({"/d/b.txt", "/d/d.txt", "/d/c.txt", "/d/a.txt"}));
        QVERIFY(recent.add("/d/e.txt")); // the oldest drops out
        QCOMPARE(recent.paths(), QStringList({"/d/e.txt", "/d/b.txt", "/d/d.txt", "/d/c.txt"}));
        QVERIFY(recent.add("/d/E.txt")); // names differing in case are different files
        QCOMPARE(recent.at(1), QStringLiteral("/d/e.txt"));

        QVERIFY(!recent.add("\\\\server\\share.txt"));
        QCOMPARE(recent.at(0), QStringLiteral("/d/E.txt"));
    }

    void entriesFromTheSettingsFile() {
        RecentFiles recent;
        recent.assign({"", "/d/a.txt"}); // a first start's file: the blank was trimmed away
        QCOMPARE(recent.paths(), QStringList({" ", "/d/a.txt", "", ""}));

        recent.assign({"c:/maps/b.txt", "x", "y", "z", "ignored"});
        QCOMPARE(recent.at(0), QDir::toNativeSeparators("c:/maps/b.txt"));
        QCOMPARE(recent.paths().size(), RecentFiles::kCount);
        QVERIFY(recent.add("x")); // a known path moves up rather than being added twice
        QCOMPARE(recent.paths(), QStringList({"x", QDir::toNativeSeparators("c:/maps/b.txt"), "y", "z"}));
    }
};

QTEST_MAIN(RecentFilesTest)
#include "recent_files_test.moc"
