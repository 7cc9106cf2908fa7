#pragma once
// The stand-in server behind a front door that counts and records every
// request (and may answer some itself), a model signed in to it through the
// ordinary start-up, and a second client that prepares server records.

#include "HttpServer.h"
#include "StandinServer.h"

#include "records/Uuid.h"
#include "server/APIClient.h"
#include "server/Endpoints.h"
#include "server/SessionStore.h"
#include "workflow/WorkspaceParts.h"
#include "workflow/QuoteValidation.h"

#include <QCoroTask>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace quotestest {

using namespace vantrel;
using standin::HttpRequest;
using standin::HttpResponse;

inline HttpResponse errorResponse(int status, const QString &text)
{
    HttpResponse r;
    r.status = status;
    r.body = encode(APIError{text}, KeyStyle::Wire);
    return r;
}

class Backend {
public:
    explicit Backend(standin::StandinOptions options = {})
    {
        options.seed = QStringLiteral("demo");
        options.stepDelayMs = 20;
        QString problem;
        started = server.start(options, &problem);
        front = std::make_unique<standin::HttpServer>([this](const HttpRequest &r) { return answer(r); });
        started = started && front->listen(QHostAddress(QHostAddress::LocalHost), 0, &problem);
        error = problem;
        api.setBase(base());
        api.setToken(server.issueToken(user));
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(front->port()); }
    int count(const QByteArray &method, const QString &path) const
    {
        return int(std::count_if(requests.cbegin(), requests.cend(), [&](const HttpRequest &r) {
            return r.method == method && r.path == path;
        }));
    }
    QList<QJsonObject> bodies(const QByteArray &method, const QString &path) const
    {
        QList<QJsonObject> out;
        for (const HttpRequest &r : requests)
            if (r.method == method && r.path == path) out.append(QJsonDocument::fromJson(r.body).object());
        return out;
    }

    // Server records made through the second client.
    NewCustomerRequest customerForm(const QString &first)
    {
        const CustomerOptions options = QCoro::waitFor(CheckoutAPI::customerOptions(api));
        return NewCustomerRequest{newUuidString(), first, QStringLiteral("Tester"), QStringLiteral("555-010-2000"),
                                  first.toLower() + QStringLiteral("@example.com"), options.defaultCampaignId,
                                  QStringLiteral("100")};
    }
    NewCustomerResponse newCustomer(const QString &first)
    {
        return QCoro::waitFor(CheckoutAPI::createCustomer(api, customerForm(first)));
    }
    Quote newQuote(const NewCustomerResponse &owner)
    {
        SaveQuoteRequest request;
        request.requestId = newUuidString();
        request.customerId = owner.customer.id;
        request.dealId = owner.deal.id;
        request.lines = {QuoteLine::fromProduct(server.products().first())};
        request.discount = request.shipping = request.adjustment = QStringLiteral("0");
        return QCoro::waitFor(CheckoutAPI::saveQuote(api, request));
    }
    CheckoutTransaction startCheckout(APIClient &client, const Quote &quote, const QString &tender)
    {
        const qint64 amount = cents(quote.total);
        CheckoutRequest request{newUuidString(), quote.id, amount, tender,
                                tender == QLatin1String("cash") ? amount : 0, false};
        return QCoro::waitFor(CheckoutAPI::startCheckout(client, request));
    }

    // While the flag is set, requests to exactly this method and path are
    // handled and their replies lost (the network stack's own resend
    // included), or refused by the gateway before the server sees them.
    void loseReplies(const QByteArray &method, const QString &path, const bool *whileSet)
    {
        intercept = [this, method, path, whileSet](const HttpRequest &r) -> std::optional<HttpResponse> {
            if (!*whileSet || r.method != method || r.path != path) return std::nullopt;
            HttpResponse response = server.handle(r);
            response.drop = true;
            return response;
        };
    }
    void refuse(const QByteArray &method, const QStringList &paths, const bool *whileSet)
    {
        intercept = [method, paths, whileSet](const HttpRequest &r) -> std::optional<HttpResponse> {
            if (!*whileSet || r.method != method || !paths.contains(r.path)) return std::nullopt;
            HttpResponse response;
            response.status = 502;
            response.contentType = "text/html";
            response.body = "<html><body>502 Bad Gateway</body></html>";
            return response;
        };
    }

    standin::StandinServer server;
    std::unique_ptr<standin::HttpServer> front;
    APIClient api;
    bool started = false;
    QString error;
    const QString user = QStringLiteral("Avery Demo");
    QList<HttpRequest> requests;
    // Answers a request instead of the stand-in when it returns a response.
    std::function<std::optional<HttpResponse>(const HttpRequest &)> intercept;

private:
    HttpResponse answer(const HttpRequest &request)
    {
        requests.append(request);
        if (intercept)
            if (std::optional<HttpResponse> own = intercept(request)) return *own;
        return server.handle(request);
    }
};

// A model on its own storage folder whose keychain holds a session for the
// backend, so start() signs in as the app does at launch.
class Workspace {
public:
    explicit Workspace(Backend &backend, std::chrono::milliseconds catalogInterval = std::chrono::minutes(1))
    {
        CheckoutModelServices services;
        const QString base = backend.base();
        services.build = CheckoutBuildConfiguration{false, base, base, QStringLiteral("vantrelcheckout")};
        services.sessions = &sessions;
        services.catalogInterval = catalogInterval;
        services.pollInterval = std::chrono::milliseconds(50);
        services.searchDebounce = std::chrono::milliseconds(20);
        const Session session{backend.server.issueToken(backend.user), backend.user, true};
        sessions.items.insert(base, encode(session, KeyStyle::Storage));
        model = std::make_unique<CheckoutModel>(services, dir.path());
    }
    // Signed in with the workspace files read, but nothing loaded yet.
    void signInOnly()
    {
        const Session session =
            decode<Session>(sessions.items.value(model->server()), KeyStyle::Storage);
        model->adoptSession(session);
    }
    CheckoutModel &operator*() { return *model; }
    CheckoutModel *operator->() { return model.get(); }

    QTemporaryDir dir;
    InMemorySessionStore sessions;
    std::unique_ptr<CheckoutModel> model;
};

} // namespace quotestest
