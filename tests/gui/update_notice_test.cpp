// The "UPDATE AVAILABLE" notice of the main window against a version page served on the
// loopback address, the download page it opens, and the help page.
#include "core/app_info.h"
#include "window_test_support.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

// Answers every request with one page.
class VersionPage : public QObject {
  public:
    explicit VersionPage(const QByteArray& body) {
        response_ = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                    QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    request_ += socket->readAll();
                    if (request_.contains("\r\n\r\n")) {
                        socket->write(response_);
                        socket->disconnectFromHost();
                    }
                });
        });
    }
    QString url() const {
        return QStringLiteral("http://127.0.0.1:%1/version.htm").arg(server_.serverPort());
    }

  private:
    QTcpServer server_;
    QByteArray response_;
    QByteArray request_;
};

// A window whose start-up asks `url`; returns once the check is over.
std::unique_ptr<MainWindow> windowAsking(const QString& home, const QString& url) {
    MainWindow::Options options;
    options.home = home;
    options.versionPageUrl = url;
    auto window = std::make_unique<MainWindow>(options);
    QSignalSpy finished(window.get(), &MainWindow::updateCheckFinished);
    window->show();
    finished.wait(10000);
    return window;
}

QString closedPortUrl() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/version.htm").arg(port);
}

} // namespace

class UpdateNoticeTest : public QObject {
    Q_OBJECT

  private slots:
    void noticeShowsOnlyForANewerVersion_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("shown");
        QTest::newRow("0.7") << QByteArray("<html><body> 0.7 </body></html>") << true;
        QTest::newRow("0.61") << QByteArray("0.61") << true;
        QTest::newRow("0.6") << QByteArray("<html><body>0.6</body></html>") << false;
        QTest::newRow("text") << QByteArray("Not here any more") << false;
        QTest::newRow("beyond 1000 bytes") << "<body>" + QByteArray(1000, ' ') + "0.9</body>" << false;
    }

    void noticeShowsOnlyForANewerVersion() {
        QFETCH(QByteArray, page);
        QFETCH(bool, shown);
        FakeDesktop desktop;
        QTemporaryDir home;
        VersionPage server(page);
        auto window = windowAsking(home.path(), server.url());
        QCOMPARE(control<QLabel>(*window, "Label8")->isVisible(), shown);
        window->close();
    }

    void noServerMeansNoNotice() {
        FakeDesktop desktop;
        QTemporaryDir home;
        auto window = windowAsking(home.path(), closedPortUrl());
        QVERIFY(control<QLabel>(*window, "Label8")->isHidden());
        QVERIFY(desktop.messages.isEmpty());
        window->close();
    }

    void pressingTheNoticeOpensTheDownloadPage() {
        FakeDesktop desktop;
        QTemporaryDir home;
        VersionPage server("<body>1.0</body>");
        auto window = windowAsking(home.path(), server.url());
        auto* notice = control<QLabel>(*window, "Label8");
        QVERIFY(notice->isVisible());
        QTest::mouseClick(notice, Qt::RightButton);
        const std::string_view download = orolith::app::kDownloadPageUrl;
        QCOMPARE(desktop.urls,
                 QStringList{QString::fromUtf8(download.data(), static_cast<qsizetype>(download.size()))});
        window->close();
    }

    void helpOpensTheManualShippedWithTheProgram() {
        FakeDesktop desktop;
        QTemporaryDir home;
        auto window = openWindow(home.path());
        trigger(*window, "mhlp_0");
        QCOMPARE(desktop.urls.size(), 1);
        QVERIFY(desktop.urls[0].startsWith(QStringLiteral("file://")));
        QVERIFY(desktop.urls[0].endsWith(QStringLiteral("manual.html")));
        window->close();
    }
};

QTEST_MAIN(UpdateNoticeTest)
#include "update_notice_test.moc"
