#include "gui/update_check.h"

#include "core/app/app_info.h"
#include "core/app/version_page.h"
#include "gui/byte_text.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
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

} // namespace

UpdateCheck::UpdateCheck(QObject* parent) : UpdateCheck(defaultPageUrl(), parent) {}

UpdateCheck::UpdateCheck(const QUrl& url, QObject* parent)
    : QObject(parent), url_(url), network_(new QNetworkAccessManager(this)), timer_(new QTimer(this)) {
    network_->setProxy(QNetworkProxy::NoProxy);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &UpdateCheck::giveUp);
}

UpdateCheck::~UpdateCheck() {
    if (reply_ != nullptr) {
        reply_->disconnect(this);
        reply_->abort();
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
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();

    // The page is read into a buffer of blanks; bytes that did not come stay blanks.
    QByteArray buffer = pageRead ? received_.left(kPageBytes) : QByteArray();
    buffer.append(QByteArray(kPageBytes - static_cast<int>(buffer.size()), ' '));
    const std::string text = extractVersionText(std::string_view(buffer.constData(), buffer.size()));
    versionText_ = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));

    if (isNewerVersion(text, app::kVersion))
        emit newerVersionFound(versionText_);
    emit finished();
}

} // namespace orolith::gui
