// The download window's fetching part against a server on 127.0.0.1: a tile downloaded with
// progress and handed to the main window, an area with sea opened in the main window,
// Cancel, and closing the window during a download.
#include "download/synthetic_tiles.h"
#include "gui/download_dialog.h"
#include "gui/progress_text.h"
#include "gui/settings_dialog.h"
#include "gui/tile_fetch_panel.h"
#include "support/loopback_server.h"
#include "window_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using orolith::gui::DownloadWindow;
using namespace orolith::gui::testing;
namespace dl = orolith::download;

namespace {

constexpr orolith::TileCorner kTile{50, -4};

// The fake desktop, a server on 127.0.0.1 and a home folder whose download settings send
// copernicus30 to it, for `auto& [desktop, home, server] = served;`.
struct ServedHome {
    FakeDesktop desktop;
    QTemporaryDir home;
    orolith::testing::LoopbackServer server;
    ServedHome() {
        writeFile(home.path() + "/system/dem-sources.txt",
                  QByteArray::fromStdString("sources=copernicus30\r\ncopernicus30=" + server.baseUrl() + "/c30\r\n"));
    }
};

void serveTile(orolith::testing::LoopbackServer& server, int stallMilliseconds, const std::string& base = "/c30") {
    orolith::testing::CannedReply reply;
    reply.body = orolith::testing::syntheticTile(dl::SourceKind::Copernicus30, kTile);
    reply.stallMilliseconds = stallMilliseconds;
    server.serve(base + dl::tilePath({dl::SourceKind::Copernicus30, "", 0}, kTile), reply);
}

} // namespace

class TileFetchPanelTest : public QObject {
    Q_OBJECT

  private slots:
    void downloadsTheCoordinatesTileAndOpensIt() {
        ServedHome served;
        auto& [desktop, home, server] = served;
        serveTile(server, 0);
        DownloadWindow window(0, nullptr, scratchPlaces(home.path()));
        window.show();
        click(window, "boxFromTile");
        QCOMPARE(control<QLineEdit>(window, "boxEdit")->text(), QString("50,-4,51,-3"));
        QVERIFY(!control<QPushButton>(window, "openTilesButton")->isEnabled());
        click(window, "downloadButton");
        QTRY_VERIFY(control<QPushButton>(window, "openTilesButton")->isEnabled());
        auto* progress = control<QProgressBar>(window, "downloadProgress");
        QCOMPARE(progress->value(), progress->maximum());
        QVERIFY(control<QLabel>(window, "downloadStatus")->text().startsWith("1 fetched"));
        click(window, "openTilesButton");
        QVERIFY(!window.isVisible());
        const auto cached = dl::cachedTilePath((home.path() + "/dem").toStdString(), dl::SourceKind::Copernicus30, kTile);
        QCOMPARE(window.areaToOpen().rasters, std::vector<std::string>{cached.string()});
        QCOMPARE(window.areaToOpen().name, std::string("N50W004"));
        QVERIFY(desktop.messages.isEmpty());
    }

    // N49W004 is sea (404): the mosaic reads it as 0 m, also when opened again from its file.
    // The area goes into a folder of its own in the maps folder chosen, which is kept.
    void anAreaWithSeaOpensWithTheSeaBand() {
        ServedHome served;
        auto& [desktop, home, server] = served;
        serveTile(server, 0);
        const QString maps = QDir::toNativeSeparators(home.filePath("my maps"));
        desktop.picks = {maps};
        auto main = openWindow(home.path());
        QTimer driver;
        connect(&driver, &QTimer::timeout, [&] {
            auto* window = qobject_cast<DownloadWindow*>(QApplication::activeModalWidget());
            if (window == nullptr)
                return;
            auto* box = control<QLineEdit>(*window, "boxEdit");
            if (box->text().isEmpty()) {
                click(*window, "chooseMapsFolder");
                box->setText("49,-4,51,-3");
                click(*window, "downloadButton");
            } else if (control<QPushButton>(*window, "openTilesButton")->isEnabled()) {
                driver.stop();
                click(*window, "openTilesButton");
            }
        });
        driver.start(20);
        control<QToolButton>(*main, "Picture2")->click();
        const QString folder = maps + QDir::separator() + "N49W004-N50W004";
        QCOMPARE(control<QLineEdit>(*main, "Text4")->text(), folder + QDir::separator() + "N49W004-N50W004.vrt");
        QTRY_VERIFY(!main->runActive());
        auto* list = control<QListWidget>(*main, "List1");
        QCOMPARE(list->count(), 5); // the sea's 0 m up to the land's 100 m
        QVERIFY(list->item(0)->text().startsWith("0\t"));
        QVERIFY(list->item(4)->text().startsWith("100\t"));

        control<QPushButton>(*main, "Command6")->click();
        QTRY_VERIFY(!main->runActive());
        QVERIFY2(desktop.messages.last().contains("; 0.0 % of the area has no elevation data"),
                 qPrintable(desktop.messages.join('|')));
        const std::string copyright = "Copyright = " + dl::attributionOf({dl::SourceKind::Copernicus30}) + "\r\n";
        QVERIFY(readFile(folder + "/N49W004-N50W004.mp").contains(copyright.c_str()));
        QVERIFY(main->close());
        QVERIFY(readFile(home.filePath("system/window.ini")).contains("\r\nmaps-folder=" + maps.toUtf8() + "\r\n"));
    }

    // A mirror entered in the settings window is where the download window asks; an address
    // that is no web address is refused there and nothing is kept.
    void aMirrorSetInTheSettingsIsAsked() {
        ServedHome served;
        auto& [desktop, home, server] = served;
        serveTile(server, 0, "/mirror");
        const QString mirror = QString::fromStdString(server.baseUrl() + "/mirror/");
        QTimer::singleShot(0, [&] {
            QWidget& settings = *QApplication::activeModalWidget();
            auto* box = control<QLineEdit>(settings, "baseUrl_copernicus30");
            QCOMPARE(box->text(), QString::fromStdString(server.baseUrl() + "/c30"));
            box->setText("ftp://mirror.example.org");
            control<QPushButton>(settings, "Command1")->click();
            QVERIFY(settings.isVisible());
            box->setText(mirror);
            control<QPushButton>(settings, "Command1")->click();
        });
        orolith::gui::runSettingsDialog(nullptr, QString(), home.path(), home.path() + "/system");
        QCOMPARE(desktop.messages,
                 QStringList{"The base address for copernicus30 must be an http:// or https:// address."});

        DownloadWindow window(0, nullptr, scratchPlaces(home.path()));
        window.show();
        click(window, "boxFromTile");
        click(window, "downloadButton");
        QTRY_VERIFY(control<QPushButton>(window, "openTilesButton")->isEnabled());
        QCOMPARE(server.requests().size(), std::size_t{1});
        QVERIFY(server.requests().front().path.rfind("/mirror/", 0) == 0);
    }

    // More than 50 tiles, or more than 1 GiB, are asked about first; No asks nobody.
    void aLargeAreaIsAskedAboutFirst() {
        ServedHome served;
        auto& [desktop, home, server] = served;
        DownloadWindow window(0, nullptr, scratchPlaces(home.path()));
        window.show();
        control<QLineEdit>(window, "boxEdit")->setText("40,-10,50,0");
        desktop.answers = {false};
        click(window, "downloadButton");
        QCOMPARE(desktop.questions,
                 QStringList{"The area covers 100 tiles, about 2.8 GiB to download.\r\n\r\nDownload them?"});
        QVERIFY(!window.findChild<orolith::gui::TileFetchPanel*>()->running());
        QVERIFY(server.requests().empty());

        // 30 tiles of about 30 MB stay below both marks: no question.
        control<QLineEdit>(window, "boxEdit")->setText("40,-10,43,0");
        click(window, "downloadButton");
        QCOMPARE(desktop.questions.size(), 1);
        QVERIFY(window.findChild<orolith::gui::TileFetchPanel*>()->running());
        QCOMPARE(control<QLabel>(window, "downloadStatus")->text(), QString("30 tiles, about 858.3 MiB"));
        click(window, "cancelButton");
    }

    void cancelAndCloseStopARunningDownload() {
        ServedHome served;
        auto& [desktop, home, server] = served;
        serveTile(server, 30000); // answers only after the test is over
        DownloadWindow window(0, nullptr, scratchPlaces(home.path()));
        window.show();
        auto* panel = window.findChild<orolith::gui::TileFetchPanel*>();
        click(window, "boxFromTile");
        click(window, "downloadButton");
        QVERIFY(panel->running());
        QTRY_COMPARE(server.requests().size(), std::size_t{1}); // the window kept answering meanwhile
        // The size the server gave is the total, in place of a typical tile's 20 MiB.
        const auto size = orolith::testing::syntheticTile(dl::SourceKind::Copernicus30, kTile).size();
        QTRY_COMPARE(control<QLabel>(window, "downloadStatus")->text(),
                     "0 of 1 tiles, 0 bytes of about " + orolith::gui::byteSizeText(size));
        click(window, "cancelButton");
        QTRY_VERIFY(control<QPushButton>(window, "downloadButton")->isEnabled());
        QVERIFY(control<QLabel>(window, "downloadStatus")->text().startsWith("Cancelled"));
        QCOMPARE(control<QProgressBar>(window, "downloadProgress")->value(), 0); // nothing arrived
        QVERIFY(!control<QPushButton>(window, "openTilesButton")->isEnabled());

        click(window, "downloadButton");
        QTRY_COMPARE(server.requests().size(), std::size_t{2});
        window.close();
        QVERIFY(!panel->running());
        QVERIFY(window.areaToOpen().rasters.empty());
        QVERIFY(!QFileInfo::exists(QString::fromStdString(
            dl::cachedTilePath((home.path() + "/dem").toStdString(), dl::SourceKind::Copernicus30, kTile).string())));
    }
};

QTEST_MAIN(TileFetchPanelTest)
#include "tile_fetch_panel_test.moc"
