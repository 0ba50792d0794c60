#pragma once
// Asks the maker's version page, once, whether a newer version has been published. Runs
// in the background: the window stays usable while the page is read, and the check gives
// up after a few seconds.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace orolith::gui {

class UpdateCheck : public QObject {
    Q_OBJECT
  public:
    // At most this many bytes of the page are read.
    static constexpr int kPageBytes = 1000;

    explicit UpdateCheck(QObject* parent = nullptr);
    explicit UpdateCheck(const QUrl& url, QObject* parent = nullptr);
    ~UpdateCheck() override;

    // How long the check waits for the page in all, in milliseconds (default 4000).
    void setTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

    // Sends the request; the signals follow later. A second call while running does nothing.
    void start();

    bool isRunning() const { return reply_ != nullptr; }
    // True once a check gave up or was dropped before its answer was complete. Qt's network
    // threads may then still wait for a server or a name lookup that never answers, and
    // leaving the program normally would wait for them: the program ends at once instead.
    static bool networkLeftBusy();
    // The network manager the checks share; it outlives every check.
    QNetworkAccessManager* network() const { return network_; }
    // The version text read from the page ("0.7"); empty before the end or when nothing came.
    QString versionText() const { return versionText_; }

  signals:
    // The page names a version above this program's.
    void newerVersionFound(const QString& version);
    // The check is over, whatever its outcome. Emitted once per start().
    void finished();

  private slots:
    void readAvailable();
    void replyFinished();
    void giveUp();

  private:
    void conclude(bool pageRead);

    QUrl url_;
    int timeoutMs_ = 4000;
    QNetworkAccessManager* network_ = nullptr;
    QNetworkReply* reply_ = nullptr;
    QTimer* timer_ = nullptr;
    QByteArray received_;
    QString versionText_;
};

} // namespace orolith::gui
