#pragma once
// A blocking HTTP helper for black-box tests of the stand-in server.

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

struct HttpResult {
    int status = 0; // 0: no HTTP reply at all
    QByteArray body;
    QByteArray contentType;
    QByteArray location;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
};

class HttpWalk {
public:
    explicit HttpWalk(QString base) : m_base(std::move(base)) {}
    void setToken(const QString &token) { m_token = token; }
    void setBase(const QString &base) { m_base = base; }

    HttpResult call(const QByteArray &method, const QString &path, const QByteArray &body = {},
                    std::optional<QString> token = std::nullopt)
    {
        QNetworkRequest request(QUrl(m_base + path));
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
        const QString bearer = token.value_or(m_token);
        if (!bearer.isEmpty()) request.setRawHeader("Authorization", "Bearer " + bearer.toUtf8());
        QNetworkReply *reply = method == "GET" ? m_network.get(request)
                                               : m_network.sendCustomRequest(request, method, body);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit); // a hung server fails the test, not the run
        loop.exec();
        HttpResult result;
        result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        result.body = reply->readAll();
        result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        result.location = reply->rawHeader("Location");
        result.error = reply->isFinished() ? reply->error() : QNetworkReply::TimeoutError;
        reply->abort();
        reply->deleteLater();
        return result;
    }
    HttpResult get(const QString &path) { return call("GET", path); }
    HttpResult post(const QString &path, const QByteArray &body) { return call("POST", path, body); }
    HttpResult put(const QString &path, const QByteArray &body) { return call("PUT", path, body); }

private:
    QNetworkAccessManager m_network;
    QString m_base;
    QString m_token;
};
