// What the window keeps beside the settings file and what it opens at start, and the ways
// into it: dropped files and folders, the kind of input it names, the shortcuts.
#include "dem/dem_test_support.h"
#include "gui/desktop_places.h"
#include "gui/download_dialog.h"
#include "gui/dropped_inputs.h"
#include "gui/remembered_state.h"
#include "gui/tile_fetch_panel.h"
#include "window_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

// A 1° tile of 121 × 121 heights (30″), 100 m to 220 m from west to east.
QString writeTile(const QString& path, double west = -4.0) {
    orolith::dem::testing::TestRaster raster;
    raster.width = raster.height = 121;
    raster.geo[0] = west;
    raster.geo[1] = 1.0 / 120;
    raster.geo[3] = 51.0;
    raster.geo[5] = -1.0 / 120;
    for (std::size_t y = 0; y < 121; ++y)
        for (std::size_t x = 0; x < 121; ++x)
            raster.values.push_back(100.0 + static_cast<double>(x));
    QDir().mkpath(QFileInfo(path).absolutePath());
    orolith::dem::testing::writeRaster(raster, path.toStdString(), "GTiff");
    return QDir::toNativeSeparators(path);
}

void drop(QWidget& window, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &dropped);
}

} // namespace

class WindowMemoryTest : public QObject {
    Q_OBJECT

  private slots:
    void optionsAreaGeometryAndInputSurviveARestart() {
        FakeDesktop desktop;
        QTemporaryDir home;
        const QString tile = writeTile(home.filePath("dem/N50W004.tif"));
        {
            auto window = openWindow(home.path());
            window->openInputFromCommandLine(tile);
            QVERIFY(finishRun(*window));
            // Simplify left empty is a tenth of the pixel's shorter side (590 m at 50.5° N),
            // as on the command line.
            QVERIFY(control<QLineEdit>(*window, "Simplify")->text().isEmpty());
            QTRY_COMPARE(control<QLineEdit>(*window, "Simplify")->placeholderText(), QStringLiteral("59.0"));
            control<QLineEdit>(*window, "Interval")->setText("50");
            control<QLineEdit>(*window, "Base")->setText("10");
            control<QSpinBox>(*window, "Smooth")->setValue(2);
            control<QCheckBox>(*window, "FillVoids")->setChecked(true);
            control<QLineEdit>(*window, "Simplify")->setText("7.5");
            window->resize(1000, 700);
            QVERIFY(window->close());
        }
        const QByteArray settings = readFile(home.filePath("system/orolith.dat"));
        QCOMPARE(settings.count("\r\n"), 20);
        const QByteArray kept = readFile(home.filePath("system/window.ini"));
        QVERIFY(kept.startsWith("[bands]\r\ninterval=50\r\nbase=10\r\nsmooth=2\r\nfill-voids=true\r\n"
                                "simplify=7.5\r\n\r\n[download]\r\n"));
        QVERIFY(!kept.contains("\n\n")); // CR LF throughout

        MainWindow::Options options;
        options.places = scratchPlaces(home.path());
        options.checkForUpdate = false;
        options.reopenLastInput = true;
        MainWindow window(options);
        window.show();
        QCOMPARE(window.size(), QSize(1000, 700));
        QCOMPARE(control<QLineEdit>(window, "Interval")->text(), QStringLiteral("50"));
        QCOMPARE(control<QSpinBox>(window, "Smooth")->value(), 2);
        QVERIFY(control<QCheckBox>(window, "FillVoids")->isChecked());
        QVERIFY(finishRun(window));
        // The last input is open again, listed with the options kept: 100..220 m in bands
        // of 50 m from 10 m.
        QCOMPARE(control<QLineEdit>(window, "Text4")->text(), tile);
        QCOMPARE(control<QListWidget>(window, "List1")->count(), 4);
        QCOMPARE(control<QListWidget>(window, "List1")->item(0)->text(), QStringLiteral("60\t10302"));
        QCOMPARE(control<QLabel>(window, "inputKind")->text(),
                 QStringLiteral("Elevation model, 121 × 121, 30″"));
        QVERIFY(desktop.messages.isEmpty());

        // A missing or damaged file gives the defaults.
        QCOMPARE(loadRememberedState(home.filePath("system/none.ini")), RememberedState{});
        writeFile(home.filePath("system/bad.ini"), "[bands]\r\nsmooth=900\r\ngeometry\r\n");
        QCOMPARE(loadRememberedState(home.filePath("system/bad.ini")).smooth, 0);
    }

    // Without --home on a fresh desktop: the settings and what the window remembers in the
    // config folder, the styles in the data folder (without a "system" folder, which would
    // make it a one-folder home from then on), the tiles in the cache folder.
    void withoutAHomeTheDesktopsFoldersAreUsed() {
        FakeDesktop desktop;
        QTemporaryDir root;
        const QString config = root.filePath("config"), data = root.filePath("data"), cache = root.filePath("cache");
        struct Environment { // the desktop's folders in `root` while the test runs
            QList<std::pair<const char*, QByteArray>> before;
            void set(const char* name, const QString& value) {
                before.append({name, qgetenv(name)});
                qputenv(name, value.toUtf8());
            }
            ~Environment() {
                for (const auto& [name, value] : before)
                    value.isNull() ? qunsetenv(name) : qputenv(name, value);
            }
        } environment;
        environment.set("HOME", root.path());
        environment.set("XDG_CONFIG_HOME", config);
        environment.set("XDG_DATA_HOME", data);
        environment.set("XDG_CACHE_HOME", cache);
        MainWindow::Options options;
        options.places = windowPlaces(QString());
        options.checkForUpdate = false;
        std::filesystem::path tiles;
        QString maps;
        {
            MainWindow window(options);
            window.show();
            control<QLineEdit>(window, "Text2")->setText("10400");
            QTimer::singleShot(0, [&] {
                auto* download = qobject_cast<DownloadWindow*>(QApplication::activeModalWidget());
                tiles = download->findChild<TileFetchPanel*>()->cacheRoot();
                maps = control<QLineEdit>(*download, "mapsFolder")->text();
                download->close();
            });
            control<QToolButton>(window, "Picture2")->click();
            QVERIFY(window.close());
        }
        QVERIFY(readFile(config + "/orolith-creator/orolith.dat").contains("\r\n10400\r\n"));
        QVERIFY(readFile(config + "/orolith-creator/window.ini").startsWith("[bands]\r\n"));
        QVERIFY(QFileInfo(data + "/orolith-creator/typ").isDir());
        QVERIFY(!QFileInfo::exists(data + "/orolith-creator/system"));
        QCOMPARE(tiles, toPath(cache + "/orolith-creator/dem"));
        QCOMPARE(maps, QDir::toNativeSeparators(root.filePath("Documents/Orolith")));
        QVERIFY(desktop.messages.isEmpty());
    }

    void droppedFilesAndFoldersOpen() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        const QString a = writeTile(home.filePath("tiles/N50W004.tif"));
        const QString b = writeTile(home.filePath("tiles/N50W003.tif"), -3.0);
        writeFile(home.filePath("tiles/readme.txt"), "not a tile");
        const QUrl folder = QUrl::fromLocalFile(home.filePath("tiles"));
        QCOMPARE(droppedInputs({folder, QUrl("https://example.org/N50W004.hgt")}), (QStringList{b, a}));
        QCOMPARE(droppedInputs({QUrl::fromLocalFile(home.filePath("missing.hgt"))}), QStringList());

        // A folder of tiles opens as one mosaic.
        drop(*window, {folder});
        QVERIFY(finishRun(*window));
        QCOMPARE(control<QLineEdit>(*window, "Text4")->text(),
                 QDir::toNativeSeparators(home.filePath("mosaics/N50W003+1.vrt")));
        QCOMPARE(control<QLabel>(*window, "inputKind")->text(),
                 QStringLiteral("Elevation model, 241 × 121, 30″"));

        // A Geo Vector file opens as itself; a folder without tiles is said so.
        const QString text = writeFile(home.filePath("two.txt"), kTwoBands);
        drop(*window, {QUrl::fromLocalFile(text)});
        QVERIFY(finishRun(*window));
        QCOMPARE(control<QLineEdit>(*window, "Text4")->text(), text);
        QCOMPARE(control<QLabel>(*window, "inputKind")->text(), QStringLiteral("Geo Vector"));
        drop(*window, {QUrl::fromLocalFile(home.filePath("typ"))});
        QVERIFY(desktop.messages.last().startsWith("Nothing to open here"));
    }

    void everyCommandHasAKey() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        const QList<QPair<QString, QKeySequence>> keys{
            {"mf_0", QKeySequence(Qt::CTRL | Qt::Key_O)},   {"mmap_0", QKeySequence(Qt::CTRL | Qt::Key_M)},
            {"mmap_1", QKeySequence(Qt::CTRL | Qt::Key_T)}, {"mmap_2", QKeySequence(Qt::CTRL | Qt::Key_G)},
            {"mmap_3", QKeySequence(Qt::CTRL | Qt::Key_D)}, {"mhlp_0", QKeySequence(Qt::Key_F1)},
            {"mmap_4", QKeySequence(Qt::CTRL | Qt::Key_0)}};
        for (const auto& [name, key] : keys)
            QCOMPARE(control<QAction>(*window, name)->shortcut(), key);
        // Ctrl+M writes the map as the button does.
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        control<QLineEdit>(*window, "Text4")->setText(writeFile(home.filePath("two.txt"), kTwoBands));
        QTest::keyClick(window.get(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(finishRun(*window));
        QVERIFY(readFile(home.filePath("two.mp")).startsWith("[IMG ID]"));
    }

    // A first window on a small screen (the test platform's 800 × 600, as 1600 × 1200 at
    // scale 2) gives the panel the width its controls need: nothing in it scrolls sideways.
    void aSmallScreenLeavesThePanelWhole() {
        ScratchWindow scratch;
        auto& window = scratch.window;
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* scroll = control<QScrollArea>(*window, "sidePanelScroll");
        QVERIFY(window->width() < 2 * scroll->widget()->minimumSizeHint().width());
        QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
    }

    void helpOpensItsOwnViewerWithoutABrowser() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        desktop.browserFound = false;
        trigger(*window, "mhlp_0");
        QCOMPARE(desktop.urls.size(), 1);
        auto* viewer = control<QWidget>(*window, "manualViewer");
        QVERIFY(viewer->isVisible());
        QVERIFY(control<QTextBrowser>(*viewer, "manualText")->toPlainText().contains("Orolith Creator"));
    }
};

QTEST_MAIN(WindowMemoryTest)
#include "window_memory_test.moc"
