#include "gui/update_check.h"

#include "core/app/app_info.h"
#include "core/app/version_page.h"
#include "gui/byte_text.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <atomic>
#include <string>
#include <string_view>

namespace orolith::gui {

namespace {

QUrl defaultPageUrl() {
    return QUrl(fromBytes(app::kVersionPageUrl));
}

// Only a successful answer is the version page; an error page of any length says nothing.
bool isVersionPage(const QNetworkReply& reply) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

// Set once a check was dropped before its answer was complete: Qt's connection or host
// lookup threads may still be busy with it.
std::atomic<bool> checkLeftBusy{false};

// One network manager for the program's whole life, never destroyed: destroying a manager
// waits for its connection thread, which a server that never ends its answer holds for
// seconds, and the window would freeze meanwhile.
QNetworkAccessManager* sharedNetwork() {
    static QNetworkAccessManager* const network = [] {
        auto* manager = new QNetworkAccessManager;
        manager->setProxy(QNetworkProxy::NoProxy);
        return manager;
    }();
    return network;
}

} // namespace

bool UpdateCheck::networkLeftBusy() {
    return checkLeftBusy.load();
}

UpdateCheck::UpdateCheck(QObject* parent) : UpdateCheck(defaultPageUrl(), parent) {}

UpdateCheck::UpdateCheck(const QUrl& url, QObject* parent)
    : QObject(parent), url_(url), network_(sharedNetwork()), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &UpdateCheck::giveUp);
}

UpdateCheck::~UpdateCheck() {
    if (reply_ != nullptr) {
        checkLeftBusy = true;
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
}

void UpdateCheck::start() {
    if (reply_ != nullptr)
        return;
    received_.clear();
    versionText_.clear();

    QNetworkRequest request(url_);
    request.setHeader(
        QNetworkRequest::UserAgentHeader,
        QByteArray(app::kUpdateAgentName.data(), static_cast<qsizetype>(app::kUpdateAgentName.size())));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");

    reply_ = network_->get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &UpdateCheck::readAvailable);
    connect(reply_, &QNetworkReply::finished, this, &UpdateCheck::replyFinished);
    timer_->start(timeoutMs_);
}

void UpdateCheck::readAvailable() {
    if (reply_ == nullptr)
        return;
    if (!isVersionPage(*reply_)) {
        conclude(false);
        return;
    }
    const int room = kPageBytes - static_cast<int>(received_.size());
    if (room > 0)
        received_.append(reply_->read(room));
    if (received_.size() >= kPageBytes)
        conclude(true); // enough: the rest of the page is not needed
}

void UpdateCheck::replyFinished() {
    if (reply_ == nullptr)
        return;
    readAvailable();
    if (reply_ == nullptr)
        return;
    // A page the server refused (404 and the like) or a broken connection says nothing.
    conclude(reply_->error() == QNetworkReply::NoError);
}

void UpdateCheck::giveUp() {
    if (reply_ != nullptr)
        conclude(false);
}

void UpdateCheck::conclude(bool pageRead) {
    timer_->stop();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    if (!reply->isFinished())
        checkLeftBusy = true;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();

    // The page is read into a buffer of blanks; bytes that did not come stay blanks.
    QByteArray buffer = pageRead ? received_.left(kPageBytes) : QByteArray();
    buffer.append(QByteArray(kPageBytes - static_cast<int>(buffer.size()), ' '));
    // A page that names no version is a check that found nothing newer.
    VersionPage page;
    page.parse(std::string_view(buffer.constData(), buffer.size()));
    const std::string& text = page.versionText();
    versionText_ = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));

    if (page.isNewerThan(app::kVersion))
        emit newerVersionFound(versionText_);
    emit finished();
}

} // namespace orolith::gui
