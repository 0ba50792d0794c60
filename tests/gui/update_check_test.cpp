// The update check against a small HTTP server on the loopback address.

#include "gui/update_check.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace orolith::gui;

namespace {

// Serves one canned answer to every request, or never answers at all.
class PageServer : public QObject {
  public:
    explicit PageServer(QByteArray body, int status = 200, bool answer = true) : answer_(answer) {
        const QByteArray reason = status == 200 ? "OK" : "Not Found";
        response_ = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
                    "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
                    "\r\nConnection: close\r\n\r\n" + body;
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        });
    }

    QUrl url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/version.htm").arg(server_.serverPort()));
    }
    QByteArray request() const { return request_; }

  private:
    void serve(QTcpSocket* socket) {
        request_ += socket->readAll();
        if (!answer_ || !request_.contains("\r\n\r\n"))
            return;
        socket->write(response_);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QByteArray response_;
    QByteArray request_;
    bool answer_;
};

struct Outcome {
    QString text;
    QStringList newer;
    int finishedCount = 0;
};

Outcome runCheck(const QUrl& url, int timeoutMs = 4000) {
    UpdateCheck check(url);
    check.setTimeout(timeoutMs);
    QSignalSpy newer(&check, &UpdateCheck::newerVersionFound);
    QSignalSpy finished(&check, &UpdateCheck::finished);
    check.start();
    if (!finished.wait(10000))
        return {QStringLiteral("<no end>"), {}, 0};
    QTest::qWait(50); // nothing more arrives after the end
    Outcome outcome{check.versionText(), {}, static_cast<int>(finished.size())};
    for (const QList<QVariant>& arguments : newer)
        outcome.newer << arguments.at(0).toString();
    return outcome;
}

} // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT
  private slots:
    void readsTheVersionFromThePage_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("newer");
        QTest::newRow("body 0.7") << QByteArray("<html><body> 0.7 </body></html>") << "0.7" << true;
        QTest::newRow("same version") << QByteArray("0.6") << "0.6" << false;
        QTest::newRow("0.61") << QByteArray("\t0.61\r\n") << "0.61" << true;
        QTest::newRow("words") << QByteArray("Version 0.7 is out") << "Version0.7isout" << false;
        QTest::newRow("empty") << QByteArray() << "" << false;
        QTest::newRow("second body") << QByteArray("<body>1.2<body>0.1") << "1.2" << true;
    }
    void readsTheVersionFromThePage() {
        QFETCH(QByteArray, page);
        QFETCH(QString, text);
        QFETCH(bool, newer);
        PageServer server(page);
        const Outcome outcome = runCheck(server.url());
        QCOMPARE(outcome.finishedCount, 1);
        QCOMPARE(outcome.text, text);
        QCOMPARE(outcome.newer, newer ? QStringList{text} : QStringList{});
    }

    void asksAsTheProgramWithoutCaches() {
        PageServer server("0.6");
        runCheck(server.url());
        const QByteArray request = server.request().toLower();
        QVERIFY2(request.startsWith("get /version.htm "), request.constData());
        QVERIFY(request.contains("\r\nuser-agent: mtm1\r\n"));
        QVERIFY(request.contains("\r\ncache-control: no-cache\r\n"));
    }

    void readsOnlyTheFirstThousandBytes() {
        // "0.7" ends at byte 1000; the digit after it is not read.
        const QByteArray head = "<body>" + QByteArray(991, ' ') + "0.7";
        QCOMPARE(head.size(), UpdateCheck::kPageBytes);
        PageServer server(head + "5</body>" + QByteArray(200000, 'x'));
        const Outcome outcome = runCheck(server.url());
        QCOMPARE(outcome.text, QStringLiteral("0.7"));
        QCOMPARE(outcome.newer, QStringList{QStringLiteral("0.7")});
        QCOMPARE(outcome.finishedCount, 1);
    }

    void aRefusedPageSaysNothing() {
        PageServer server("<body>9.9</body>", 404);
        const Outcome outcome = runCheck(server.url());
        QCOMPARE(outcome.finishedCount, 1);
        QVERIFY(outcome.text.isEmpty());
        QVERIFY(outcome.newer.isEmpty());
    }

    void givesUpOnASilentServer() {
        PageServer server("0.9", 200, false);
        const Outcome outcome = runCheck(server.url(), 300);
        QCOMPARE(outcome.finishedCount, 1);
        QVERIFY(outcome.text.isEmpty());
        QVERIFY(outcome.newer.isEmpty());
        QVERIFY(!server.request().isEmpty()); // it was asked, it never answered
    }

    void endsQuietlyWithoutAServer() {
        quint16 port = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            port = probe.serverPort();
        }
        const Outcome outcome = runCheck(QUrl(QStringLiteral("http://127.0.0.1:%1/version.htm").arg(port)));
        QCOMPARE(outcome.finishedCount, 1);
        QVERIFY(outcome.text.isEmpty());
        QVERIFY(outcome.newer.isEmpty());
    }

    void canBeDroppedWhileRunning() {
        PageServer server("0.9", 200, false);
        auto* check = new UpdateCheck(server.url());
        check->start();
        QVERIFY(check->isRunning());
        QTest::qWait(50);
        delete check; // the window closed before the page came
        QTest::qWait(50);
    }
};

QTEST_MAIN(UpdateCheckTest)
#include "update_check_test.moc"
