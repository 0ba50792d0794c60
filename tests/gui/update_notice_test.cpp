// The update check against a version page served on the loopback address, the window's
// "UPDATE AVAILABLE" notice and the download page it opens, and the help page.
#include "core/app/app_info.h"
#include "gui/help_page.h"
#include "gui/update_check.h"
#include "window_test_support.h"

#include <QLabel>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

// Answers every request with one page, or never answers at all; records what was asked.
class PageServer : public QObject {
  public:
    explicit PageServer(const QByteArray& body, bool answer = true, const QByteArray& status = "200 OK") {
        const QByteArray response = "HTTP/1.1 " + status + "\r\nContent-Type: text/html\r\nContent-Length: " +
                                    QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [=, this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [=, this] {
                    request += socket->readAll();
                    if (answer && request.contains("\r\n\r\n")) {
                        socket->write(response);
                        socket->disconnectFromHost();
                    }
                });
        });
    }
    QString url() const {
        return QStringLiteral("http://127.0.0.1:%1/version.htm").arg(server_.serverPort());
    }
    QByteArray request;

  private:
    QTcpServer server_;
};

QString closedPortUrl() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return QStringLiteral("http://127.0.0.1:%1/version.htm").arg(probe.serverPort());
}

// A window whose start-up asks `url`; returns once the check is over.
std::unique_ptr<MainWindow> windowAsking(const QString& home, const QString& url) {
    MainWindow::Options options;
    options.places = scratchPlaces(home);
    options.versionPageUrl = url;
    auto window = std::make_unique<MainWindow>(options);
    QSignalSpy finished(window.get(), &MainWindow::updateCheckFinished);
    window->show();
    finished.wait(10000);
    return window;
}

} // namespace

class UpdateNoticeTest : public QObject {
    Q_OBJECT

  private slots:
    void noticeShowsOnlyForANewerVersion_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QByteArray>("status");
        QTest::newRow("0.7") << QByteArray("<html><body> 0.7 </body></html>") << true << QByteArray();
        QTest::newRow("0.6") << QByteArray("<html><body>0.6</body></html>") << false << QByteArray();
        // Only the first 1000 bytes are read: "0.7" ends there, and "0.6" is not read as "0.65".
        const QByteArray head = "<body>" + QByteArray(991, ' ');
        QTest::newRow("0.7 at byte 1000") << head + "0.7</body>" + QByteArray(5000, 'x') << true << QByteArray();
        QTest::newRow("0.65 after byte 1000") << head + "0.65</body>" + QByteArray(5000, 'x') << false << QByteArray();
        QTest::newRow("no server") << QByteArray() << false << QByteArray();
        // An error page is no version page, however long.
        QTest::newRow("error page") << "<body>0.9</body>" + QByteArray(2000, 'x') << false << QByteArray("404 Not Found");
        QTest::newRow("server error") << QByteArray("0.9") << false << QByteArray("500 Internal Server Error");
    }
    void noticeShowsOnlyForANewerVersion() {
        QFETCH(QByteArray, page);
        QFETCH(bool, shown);
        QFETCH(QByteArray, status);
        FakeDesktop desktop;
        QTemporaryDir home;
        PageServer server(page, true, status.isEmpty() ? QByteArray("200 OK") : status);
        auto window = windowAsking(home.path(), page.isEmpty() ? closedPortUrl() : server.url());
        auto* notice = control<QLabel>(*window, "Label8");
        QCOMPARE(notice->isVisible(), shown);
        QVERIFY(desktop.messages.isEmpty());
        const QByteArray request = server.request.toLower();
        if (!page.isEmpty()) { // asked as the program, uncached
            QVERIFY2(request.startsWith("get /version.htm "), request.constData());
            QVERIFY(request.contains("\r\nuser-agent: mtm1\r\n"));
            QVERIFY(request.contains("\r\ncache-control: no-cache\r\n"));
        }
        if (!shown)
            return;
        QTest::mouseClick(notice, Qt::RightButton);
        const std::string_view download = orolith::app::kDownloadPageUrl;
        QCOMPARE(desktop.urls, QStringList{QString::fromUtf8(download.data(), qsizetype(download.size()))});
    }

    void givesUpOnASilentServerAndMayBeDropped() {
        PageServer server("0.9", false);
        UpdateCheck check{QUrl(server.url())};
        check.setTimeout(300);
        QSignalSpy newer(&check, &UpdateCheck::newerVersionFound);
        QSignalSpy finished(&check, &UpdateCheck::finished);
        check.start();
        QVERIFY(finished.wait(10000));
        QTest::qWait(50);
        QCOMPARE(finished.size(), 1);
        QVERIFY(newer.isEmpty());
        QVERIFY(!server.request.isEmpty());

        auto* dropped = new UpdateCheck(QUrl(server.url()));
        dropped->start();
        QTest::qWait(50);
        // The window closed before the page came. Dropping the check must not destroy the
        // network manager, whose destructor waits seconds for a connection that never ends,
        // and the program then ends without waiting for Qt's network threads.
        const QPointer<QNetworkAccessManager> network = dropped->network();
        delete dropped;
        QTest::qWait(50);
        QVERIFY(!network.isNull());
        QVERIFY(UpdateCheck::networkLeftBusy());
    }

    void helpOpensTheManualShippedWithTheProgram() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        trigger(*window, "mhlp_0");
        QCOMPARE(desktop.urls.size(), 1);
        const QUrl url(desktop.urls[0]);
        QVERIFY(url.isLocalFile());
        QCOMPARE(url.toLocalFile(), manualPath());
        QVERIFY(QFileInfo(manualPath()).isFile());
    }
};

QTEST_MAIN(UpdateNoticeTest)
#include "update_notice_test.moc"
