#include "platform/qt/qt_platform.hpp"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace quorvel::platform {

QtHttp::QtHttp() : manager_(new QNetworkAccessManager) {}

QtHttp::~QtHttp() {
    delete manager_;
}

void QtHttp::get(std::string_view url, Done done) {
    QNetworkRequest request(
        QUrl(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size()))));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager_->get(request);
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done = std::move(done)] {
        int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() != QNetworkReply::NoError && status == 0) {
            status = 0;
        }
        QByteArray body = reply->readAll();
        reply->deleteLater();
        done(status, body.toStdString());
    });
}

} // namespace quorvel::platform
