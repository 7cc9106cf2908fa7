#include "StandinState.h"

#include "GeneratedCatalog.h"

#include "records/Uuid.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>

namespace standin {

using namespace vantrel;

// --- helpers ----------------------------------------------------------------

HttpResponse jsonReply(const QByteArray &json, int status)
{
    HttpResponse r;
    r.status = status;
    r.body = json;
    return r;
}

HttpResponse errorReply(int status, const QString &message, std::optional<QString> code)
{
    return recordReply(APIError{message, code}, status);
}

QString moneyString(const Decimal &value)
{
    QString text = value.rounded(2).toString();
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0) return text + QStringLiteral(".00");
    while (text.size() - dot - 1 < 2) text += QLatin1Char('0');
    return text;
}

QJsonObject objectBody(const HttpRequest &r)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(r.body, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        throw Refusal{400, QStringLiteral("The request body must be a JSON object.")};
    return doc.object();
}

QString randomToken(int bytes)
{
    QByteArray raw(bytes, Qt::Uninitialized);
    QRandomGenerator *g = QRandomGenerator::system();
    for (int i = 0; i < bytes; ++i) raw[i] = char(g->bounded(256));
    return QString::fromLatin1(raw.toHex());
}

QString challengeFor(const QString &verifier)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(verifier.toUtf8(), QCryptographicHash::Sha256).toHex());
}

static QString hashed(const QString &secret) { return challengeFor(secret); }

template <class T> static T fromObject(const QJsonValue &value)
{
    return decode<T>(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact), KeyStyle::Storage);
}

template <class T> static QJsonValue toObject(const T &record)
{
    return toJsonObject(record, KeyStyle::Storage);
}

static QByteArray compact(const QJsonObject &o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

// --- lifecycle -----------------------------------------------------------------

StandinServer::StandinServer(QObject *parent) : QObject(parent), d(std::make_unique<State>()) { d->q = this; }

StandinServer::~StandinServer() { stop(); }

bool StandinServer::start(const StandinOptions &options, QString *error)
{
    stop();
    d->options = options;
    d->dataDir = options.dataDir;
    if (d->dataDir.isEmpty()) {
        d->tempDir = std::make_unique<QTemporaryDir>();
        if (!d->tempDir->isValid()) {
            if (error) *error = QStringLiteral("Cannot create a temporary data directory.");
            return false;
        }
        d->dataDir = d->tempDir->path();
    }
    if (!QDir().mkpath(d->dataDir)) {
        if (error) *error = QStringLiteral("Cannot create the data directory %1.").arg(d->dataDir);
        return false;
    }
    if (options.seed != QLatin1String("demo") && options.seed != QLatin1String("empty")) {
        if (error) *error = QStringLiteral("The seed must be \"demo\" or \"empty\".");
        return false;
    }
    if (options.catalogSize < 0 || options.catalogSize > maxGeneratedProducts) {
        if (error)
            *error =
                QStringLiteral("The catalog size must be a number from 0 to %1.").arg(maxGeneratedProducts);
        return false;
    }
    if (!d->store.open(QDir(d->dataDir).filePath(QStringLiteral("standin.sqlite")), error)) return false;
    try {
        if (options.seed == QLatin1String("demo") && d->store.meta(QStringLiteral("seeded")).isEmpty() &&
            d->store.isEmpty()) {
            d->store.begin();
            d->seedDemo();
            d->store.setMeta(QStringLiteral("seeded"), QStringLiteral("demo"));
            d->store.commit();
        }
        d->load();
        d->addGeneratedCatalog(options.catalogSize);
    } catch (const std::exception &e) {
        d->store.rollback();
        if (error)
            *error = QStringLiteral("Cannot prepare the database: %1").arg(QString::fromUtf8(e.what()));
        d->store.close();
        return false;
    }

    QHostAddress address;
    if (options.host == QLatin1String("localhost"))
        address = QHostAddress::LocalHost;
    else if (!address.setAddress(options.host)) {
        if (error) *error = QStringLiteral("The host %1 is not an IP address.").arg(options.host);
        d->store.close();
        return false;
    }
    d->http = std::make_unique<HttpServer>([this](const HttpRequest &r) { return handle(r); });
    if (!d->http->listen(address, options.port, error)) {
        d->http.reset();
        d->store.close();
        return false;
    }
    d->host = address.protocol() == QAbstractSocket::IPv6Protocol
                  ? QStringLiteral("[%1]").arg(address.toString())
                  : address.toString();
    d->armAfterRestart();
    return true;
}

void StandinServer::stop()
{
    for (QTimer *t : std::as_const(d->timers)) delete t;
    d->timers.clear();
    d->http.reset();
    d->store.close();
    d->faults.clear();
}

quint16 StandinServer::port() const { return d->http ? d->http->port() : 0; }

QString StandinServer::baseUrl() const { return QStringLiteral("http://%1:%2").arg(d->host).arg(port()); }

QString StandinServer::dataDir() const { return d->dataDir; }

QString StandinServer::issueToken(const QString &user)
{
    try {
        d->store.begin();
        const QString token = d->issueToken(user);
        d->store.commit();
        return token;
    } catch (const std::exception &) {
        d->store.rollback(); // not started, or the disk failed: no session
        return {};
    }
}

void StandinServer::injectFault(const StandinFault &fault) { d->faults.append(fault); }

void StandinServer::clearFaults() { d->faults.clear(); }

StandinCounts StandinServer::counts() const
{
    StandinCounts c;
    c.customers = d->customers.size();
    c.deals = d->deals.size();
    c.quotes = d->quotes.size();
    c.checkouts = d->checkouts.size();
    c.receipts = d->receipts.size();
    c.sessions = d->sessions.size();
    return c;
}

std::optional<CheckoutTransaction> StandinServer::checkout(const QString &id) const
{
    if (const StoredCheckout *c = d->checkouts.find(id)) return c->tx;
    return std::nullopt;
}

std::optional<Quote> StandinServer::quote(const QString &id) const
{
    if (const StoredQuote *q = d->quotes.find(id)) return d->present(*q, QString());
    return std::nullopt;
}

QList<Customer> StandinServer::customers() const
{
    QList<Customer> list;
    for (const QString &id : d->customers.order) list.append(d->customers.at(id));
    return list;
}

QList<Product> StandinServer::products() const
{
    QList<Product> list;
    for (const QString &id : d->products.order) list.append(d->products.at(id));
    return list;
}

static bool runStep(StandinServer::State &s, const std::function<bool()> &step)
{
    try {
        s.store.begin();
        const bool ok = step();
        s.store.commit();
        return ok;
    } catch (const std::exception &) {
        s.store.rollback();
        s.load();
        return false;
    }
}

bool StandinServer::pay(const QString &checkoutId)
{
    return runStep(*d, [&] { return d->payNow(checkoutId, false); });
}

bool StandinServer::collect(const QString &checkoutId)
{
    return runStep(*d, [&] { return d->payNow(checkoutId, true); });
}

bool StandinServer::decline(const QString &checkoutId)
{
    return runStep(*d, [&] { return d->declineNow(checkoutId); });
}

// --- storage -------------------------------------------------------------------

qint64 StandinServer::State::nowMs() const
{
    return options.nowMs ? options.nowMs() : QDateTime::currentMSecsSinceEpoch();
}

void StandinServer::State::load()
{
    products.clear();
    taxes.clear();
    customers.clear();
    deals.clear();
    campaigns.clear();
    quotes.clear();
    checkouts.clear();
    ledger.clear();
    codes.clear();
    sessions.clear();
    receipts.clear();
    for (const auto &[id, body] : store.all(QStringLiteral("product")))
        products.put(id, decode<Product>(body, KeyStyle::Storage));
    for (const auto &[id, body] : store.all(QStringLiteral("tax")))
        taxes.put(id, decode<Tax>(body, KeyStyle::Storage));
    for (const auto &[id, body] : store.all(QStringLiteral("customer")))
        customers.put(id, decode<Customer>(body, KeyStyle::Storage));
    for (const auto &[id, body] : store.all(QStringLiteral("deal")))
        deals.put(id, decode<Deal>(body, KeyStyle::Storage));
    for (const auto &[id, body] : store.all(QStringLiteral("campaign")))
        campaigns.put(id, decode<Campaign>(body, KeyStyle::Storage));
    for (const auto &[id, body] : store.all(QStringLiteral("quote"))) {
        const QJsonObject o = QJsonDocument::fromJson(body).object();
        quotes.put(id, StoredQuote{fromObject<Quote>(o.value(QLatin1String("quote"))),
                                   o.value(QLatin1String("owner")).toString()});
    }
    for (const auto &[id, body] : store.all(QStringLiteral("checkout"))) {
        const QJsonObject o = QJsonDocument::fromJson(body).object();
        StoredCheckout c;
        c.tx = fromObject<CheckoutTransaction>(o.value(QLatin1String("tx")));
        c.owner = o.value(QLatin1String("owner")).toString();
        c.request = fromObject<CheckoutRequest>(o.value(QLatin1String("request")));
        c.simulated = o.value(QLatin1String("simulated")).toBool(true);
        for (const QJsonValue &line : o.value(QLatin1String("paidLines")).toArray())
            c.paidLines.append(fromObject<QuoteLine>(line));
        checkouts.put(id, c);
    }
    for (const auto &[id, body] : store.all(QStringLiteral("ledger"))) {
        const QJsonObject o = QJsonDocument::fromJson(body).object();
        ledger.put(id, LedgerEntry{o.value(QLatin1String("body")).toString().toUtf8(),
                                   o.value(QLatin1String("state")).toString(),
                                   o.value(QLatin1String("resultId")).toString()});
    }
    for (const auto &[id, body] : store.all(QStringLiteral("code"))) {
        const QJsonObject o = QJsonDocument::fromJson(body).object();
        codes.put(id, CodeGrant{o.value(QLatin1String("challenge")).toString(),
                                o.value(QLatin1String("user")).toString(),
                                qint64(o.value(QLatin1String("createdMs")).toDouble()),
                                o.value(QLatin1String("used")).toBool()});
    }
    for (const auto &[id, body] : store.all(QStringLiteral("session"))) {
        const QJsonObject o = QJsonDocument::fromJson(body).object();
        sessions.put(id, SessionRow{o.value(QLatin1String("user")).toString(),
                                    qint64(o.value(QLatin1String("createdMs")).toDouble())});
    }
    for (const auto &[id, body] : store.all(QStringLiteral("receipt")))
        receipts.put(id, QString::fromUtf8(body));
    defaultCampaignId = store.meta(QStringLiteral("defaultCampaign"));
}

void StandinServer::State::save(const Product &p)
{
    store.put(QStringLiteral("product"), p.id, encode(p, KeyStyle::Storage));
    products.put(p.id, p);
}

void StandinServer::State::save(const Tax &t)
{
    store.put(QStringLiteral("tax"), t.id, encode(t, KeyStyle::Storage));
    taxes.put(t.id, t);
}

void StandinServer::State::save(const Customer &c)
{
    store.put(QStringLiteral("customer"), c.id, encode(c, KeyStyle::Storage));
    customers.put(c.id, c);
}

void StandinServer::State::save(const Deal &deal)
{
    store.put(QStringLiteral("deal"), deal.id, encode(deal, KeyStyle::Storage));
    deals.put(deal.id, deal);
}

void StandinServer::State::save(const Campaign &c)
{
    store.put(QStringLiteral("campaign"), c.id, encode(c, KeyStyle::Storage));
    campaigns.put(c.id, c);
}

void StandinServer::State::save(const StoredQuote &sq)
{
    QJsonObject o;
    o.insert(QLatin1String("quote"), toObject(sq.quote));
    o.insert(QLatin1String("owner"), sq.owner);
    store.put(QStringLiteral("quote"), sq.quote.id, compact(o));
    quotes.put(sq.quote.id, sq);
}

void StandinServer::State::save(const StoredCheckout &c)
{
    QJsonObject o;
    o.insert(QLatin1String("tx"), toObject(c.tx));
    o.insert(QLatin1String("owner"), c.owner);
    o.insert(QLatin1String("request"), toObject(c.request));
    o.insert(QLatin1String("simulated"), c.simulated);
    QJsonArray lines;
    for (const QuoteLine &line : c.paidLines) lines.append(toObject(line));
    o.insert(QLatin1String("paidLines"), lines);
    store.put(QStringLiteral("checkout"), c.tx.id, compact(o));
    checkouts.put(c.tx.id, c);
}

void StandinServer::State::saveLedger(const QString &key, const LedgerEntry &e)
{
    QJsonObject o;
    o.insert(QLatin1String("body"), QString::fromUtf8(e.body));
    o.insert(QLatin1String("state"), e.state);
    o.insert(QLatin1String("resultId"), e.resultId);
    store.put(QStringLiteral("ledger"), key, compact(o));
    ledger.put(key, e);
}

void StandinServer::State::saveCode(const QString &key, const CodeGrant &g)
{
    QJsonObject o;
    o.insert(QLatin1String("challenge"), g.challenge);
    o.insert(QLatin1String("user"), g.user);
    o.insert(QLatin1String("createdMs"), double(g.createdMs));
    o.insert(QLatin1String("used"), g.used);
    store.put(QStringLiteral("code"), key, compact(o));
    codes.put(key, g);
}

void StandinServer::State::saveSession(const QString &key, const SessionRow &s)
{
    QJsonObject o;
    o.insert(QLatin1String("user"), s.user);
    o.insert(QLatin1String("createdMs"), double(s.createdMs));
    store.put(QStringLiteral("session"), key, compact(o));
    sessions.put(key, s);
}

QString StandinServer::State::newId()
{
    // Long digit-only identifiers, like the accounting system's.
    return QString::number(store.next(QStringLiteral("id"), 4650000000000001LL));
}

QString StandinServer::State::issueToken(const QString &user)
{
    const QString token = randomToken(32);
    saveSession(hashed(token), SessionRow{user, nowMs()});
    return token;
}

// --- requests --------------------------------------------------------------------

static bool isLoopback(const QHostAddress &peer)
{
    if (peer.isLoopback()) return true;
    bool mapped = false;
    const quint32 v4 = peer.toIPv4Address(&mapped);
    return mapped && QHostAddress(v4).isLoopback();
}

static HttpResponse badGateway()
{
    HttpResponse r;
    r.status = 502;
    r.contentType = "text/html; charset=utf-8";
    r.body = "<html><head><title>502 Bad Gateway</title></head><body><center><h1>502 Bad Gateway</h1>"
             "</center><hr><center>standin</center></body></html>\n";
    return r;
}

HttpResponse StandinServer::handle(const HttpRequest &request)
{
    const bool controlRoute = request.segments.value(0) == QLatin1String("__standin");
    if (controlRoute) {
        if (!d->options.testControls || !isLoopback(request.peer))
            return errorReply(404, QStringLiteral("Not found."));
        try {
            return d->control(request);
        } catch (const Refusal &r) {
            return errorReply(r.status, r.message, r.code);
        } catch (const std::exception &e) {
            return errorReply(400, QString::fromUtf8(e.what()));
        }
    }

    std::optional<StandinFault> fault;
    for (qsizetype i = 0; i < d->faults.size(); ++i) {
        StandinFault &f = d->faults[i];
        if ((f.method.isEmpty() || f.method == request.method) && request.path.startsWith(f.pathPrefix)) {
            fault = f;
            if (--f.count <= 0) d->faults.removeAt(i);
            break;
        }
    }
    if (fault && fault->kind == StandinFault::Kind::BadGateway) return badGateway();

    HttpResponse response;
    try {
        d->store.begin();
        response = d->route(request);
        d->store.commit();
    } catch (const Refusal &r) {
        d->store.rollback();
        // Handlers refuse before they change anything, so memory still matches the database.
        response = errorReply(r.status, r.message, r.code);
    } catch (const DecodingError &e) {
        d->store.rollback();
        response = errorReply(400, QStringLiteral("The request body is not valid: %1").arg(e.text()));
    } catch (const APIError &e) {
        d->store.rollback();
        response = errorReply(400, e.error);
    } catch (const std::exception &e) {
        d->store.rollback();
        try {
            d->load(); // forget half-made changes
        } catch (const std::exception &) {}
        response = errorReply(
            500,
            QStringLiteral("The server could not store the change: %1").arg(QString::fromUtf8(e.what())));
    }

    if (fault) {
        switch (fault->kind) {
        case StandinFault::Kind::DropAfterCommit: response.drop = true; break;
        case StandinFault::Kind::BadGatewayAfterCommit: response = badGateway(); break;
        case StandinFault::Kind::Delay: response.delayMs = fault->delayMs; break;
        case StandinFault::Kind::BadGateway: break;
        }
    }
    return response;
}

QString StandinServer::State::requireUser(const HttpRequest &r) const
{
    const QByteArray header = r.header("authorization");
    if (!header.startsWith("Bearer ")) throw Refusal{401, QStringLiteral("Sign in to continue.")};
    const QString token = QString::fromLatin1(header.mid(7).trimmed());
    const SessionRow *s = sessions.find(hashed(token));
    if (token.isEmpty() || !s) throw Refusal{401, QStringLiteral("Your session has ended. Sign in again.")};
    return s->user;
}

static void requireMethod(const HttpRequest &r, const char *method)
{
    if (r.method != method)
        throw Refusal{405, QStringLiteral("%1 is not allowed here.").arg(QString::fromLatin1(r.method))};
}

HttpResponse StandinServer::State::route(const HttpRequest &r)
{
    const QStringList &s = r.segments;
    const qsizetype n = s.size();
    if (n >= 1 && s[0] == QLatin1String("auth")) {
        if (n == 3 && s[1] == QLatin1String("zoho") && s[2] == QLatin1String("start")) {
            requireMethod(r, "GET");
            return authStart(r);
        }
        if (n == 3 && s[1] == QLatin1String("zoho") && s[2] == QLatin1String("approve")) {
            requireMethod(r, "GET");
            return authApprove(r);
        }
        if (n == 2 && s[1] == QLatin1String("exchange")) {
            requireMethod(r, "POST");
            return authExchange(r);
        }
        throw Refusal{404, QStringLiteral("Not found.")};
    }
    if (n == 0 || s[0] != QLatin1String("api")) throw Refusal{404, QStringLiteral("Not found.")};

    const QString user = requireUser(r);
    const QString what = s.value(1);
    if (n == 2) {
        if (what == QLatin1String("logout")) {
            requireMethod(r, "POST");
            const QString key = hashed(QString::fromLatin1(r.header("authorization").mid(7).trimmed()));
            store.remove(QStringLiteral("session"), key);
            sessions.byId.remove(key);
            sessions.order.removeAll(key);
            return jsonReply("{}");
        }
        if (what == QLatin1String("me")) {
            requireMethod(r, "GET");
            Me me{user,        true, options.paymentsEnabled, options.paymentRoute, options.accountingMode,
                  std::nullopt};
            if (!options.paymentsEnabled)
                me.paymentsSetupMessage = QStringLiteral(
                    "Payments are turned off on this stand-in server. Quotes can still be saved.");
            return recordReply(me);
        }
        if (what == QLatin1String("taxes")) {
            requireMethod(r, "GET");
            TaxesResponse reply;
            for (const QString &id : taxes.order) reply.taxes.append(taxes.at(id));
            return recordReply(reply);
        }
        if (what == QLatin1String("catalog")) {
            requireMethod(r, "GET");
            Catalog catalog;
            catalog.at = nowSeconds();
            catalog.products.reserve(products.size());
            for (const QString &id : products.order) catalog.products.append(products.at(id));
            return recordReply(catalog);
        }
        if (what == QLatin1String("customers")) {
            if (r.method == "GET") return searchCustomers(r);
            requireMethod(r, "POST");
            return createCustomer(r);
        }
        if (what == QLatin1String("customer-options")) {
            requireMethod(r, "GET");
            return customerOptions();
        }
        if (what == QLatin1String("quotes")) {
            if (r.method == "GET") return quotesOf(r, user);
            requireMethod(r, "POST");
            return saveQuote(r, user);
        }
        if (what == QLatin1String("deals")) {
            requireMethod(r, "GET");
            return dealsOf(r);
        }
        if (what == QLatin1String("checkouts")) {
            if (r.method == "GET") {
                TransactionsResponse reply;
                for (auto it = checkouts.order.crbegin(); it != checkouts.order.crend(); ++it)
                    reply.checkouts.append(checkouts.at(*it).tx);
                return recordReply(reply);
            }
            requireMethod(r, "POST");
            return startCheckout(r, user);
        }
    }
    if (n == 3) {
        const QString id = s[2];
        if (what == QLatin1String("customers") && id == QLatin1String("recover-request")) {
            requireMethod(r, "POST");
            return recoverCustomer(r);
        }
        if (what == QLatin1String("checkouts") && id == QLatin1String("recover-request")) {
            requireMethod(r, "POST");
            return recoverCheckout(r);
        }
        if (what == QLatin1String("deals")) {
            requireMethod(r, "GET");
            if (const Deal *deal = deals.find(id)) return recordReply(*deal);
            return jsonReply("null");
        }
        if (what == QLatin1String("quotes")) {
            requireMethod(r, "GET");
            const StoredQuote *q = quotes.find(id);
            if (!q) throw Refusal{404, QStringLiteral("This quote does not exist.")};
            return recordReply(present(*q, user));
        }
        if (what == QLatin1String("checkouts")) {
            requireMethod(r, "GET");
            const StoredCheckout *c = checkouts.find(id);
            if (!c) throw Refusal{404, QStringLiteral("This checkout does not exist.")};
            return recordReply(c->tx);
        }
    }
    if (n == 4) {
        const QString id = s[2];
        const QString action = s[3];
        if (what == QLatin1String("quotes") && action == QLatin1String("deal")) {
            requireMethod(r, "PUT");
            return linkDeal(id, r, user);
        }
        if (what == QLatin1String("quotes") && action == QLatin1String("pdf")) {
            requireMethod(r, "GET");
            return quotePdf(id, user);
        }
        if (what == QLatin1String("checkouts")) {
            if (action == QLatin1String("resume")) {
                requireMethod(r, "POST");
                return resumeCheckout(id);
            }
            if (action == QLatin1String("cancel")) {
                requireMethod(r, "POST");
                return cancelCheckout(id);
            }
            if (action == QLatin1String("hold")) {
                requireMethod(r, "PUT");
                return holdCheckout(id, r);
            }
            if (action == QLatin1String("receipt")) {
                requireMethod(r, "POST");
                return receipt(id, r);
            }
            if (action == QLatin1String("pdf")) {
                requireMethod(r, "GET");
                return invoicePdf(id);
            }
        }
        if (what == QLatin1String("items") && action == QLatin1String("image")) {
            requireMethod(r, "GET");
            return productImage(id);
        }
    }
    throw Refusal{404, QStringLiteral("Not found.")};
}

// --- sign-in -------------------------------------------------------------------------

static bool isChallenge(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{64}$"));
    return pattern.match(text).hasMatch();
}

HttpResponse StandinServer::State::authStart(const HttpRequest &r)
{
    const QString challenge = r.query.queryItemValue(QStringLiteral("challenge"), QUrl::FullyDecoded);
    if (!isChallenge(challenge))
        throw Refusal{400, QStringLiteral("The sign-in link is missing its proof-key challenge.")};
    QByteArray page =
        "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<title>Vantrel demo sign-in</title>"
        "<style>body{font-family:sans-serif;max-width:28em;margin:3em auto;padding:0 1em}"
        "a.user{display:block;margin:.6em 0;padding:.9em;border-radius:.6em;background:#1f4e79;color:#fff;"
        "text-decoration:none;text-align:center}</style></head><body>"
        "<h1>Demo sign-in</h1><p>This stand-in server runs on demonstration data. Pick a demo user; "
        "no Zoho account is needed.</p>\n";
    for (const char *user : demoUsers) {
        QUrlQuery q;
        q.addQueryItem(QStringLiteral("challenge"), challenge);
        q.addQueryItem(QStringLiteral("user"), QString::fromLatin1(user));
        page += "<a class=\"user\" href=\"/auth/zoho/approve?" +
                q.toString(QUrl::FullyEncoded).toHtmlEscaped().toUtf8() + "\">Continue as " +
                QString::fromLatin1(user).toHtmlEscaped().toUtf8() + "</a>\n";
    }
    page += "</body></html>\n";
    HttpResponse response;
    response.contentType = "text/html; charset=utf-8";
    response.body = page;
    return response;
}

HttpResponse StandinServer::State::authApprove(const HttpRequest &r)
{
    const QString challenge = r.query.queryItemValue(QStringLiteral("challenge"), QUrl::FullyDecoded);
    const QString user = r.query.queryItemValue(QStringLiteral("user"), QUrl::FullyDecoded);
    if (!isChallenge(challenge))
        throw Refusal{400, QStringLiteral("The sign-in link is missing its proof-key challenge.")};
    bool known = false;
    for (const char *demo : demoUsers) known = known || user == QLatin1String(demo);
    if (!known) throw Refusal{400, QStringLiteral("Pick one of the demo users.")};
    const QString code = randomToken(24);
    saveCode(hashed(code), CodeGrant{challenge, user, nowMs(), false});
    const QByteArray location = options.callbackScheme.toUtf8() + "://auth?code=" + code.toLatin1();
    HttpResponse response;
    response.status = 302;
    response.contentType = "text/html; charset=utf-8";
    response.extraHeaders.append({"Location", location});
    response.body = "<!DOCTYPE html><html><body><p>Signed in. <a href=\"" + location +
                    "\">Return to Vantrel Checkout</a>.</p></body></html>\n";
    return response;
}

HttpResponse StandinServer::State::authExchange(const HttpRequest &r)
{
    const Exchange exchange = decode<Exchange>(r.body, KeyStyle::Wire, "Exchange");
    const QString key = hashed(exchange.code);
    CodeGrant *grant = codes.find(key);
    if (exchange.code.isEmpty() || !grant)
        throw Refusal{400, QStringLiteral("This sign-in code is not valid. Sign in again.")};
    if (grant->used) throw Refusal{400, QStringLiteral("This sign-in code was already used. Sign in again.")};
    if (nowMs() - grant->createdMs > qint64(options.codeLifetimeSeconds) * 1000)
        throw Refusal{400, QStringLiteral("This sign-in code has expired. Sign in again.")};
    if (challengeFor(exchange.verifier) != grant->challenge)
        throw Refusal{400, QStringLiteral("The sign-in proof does not match this code. Sign in again.")};
    CodeGrant usedGrant = *grant;
    usedGrant.used = true;
    saveCode(key, usedGrant);
    return recordReply(Session{issueToken(usedGrant.user), usedGrant.user, true});
}

// --- test controls ---------------------------------------------------------------------

HttpResponse StandinServer::State::control(const HttpRequest &r)
{
    const QStringList &s = r.segments;
    if (s.size() == 2 && s[1] == QLatin1String("counts")) {
        requireMethod(r, "GET");
        const StandinCounts c = q->counts();
        QJsonObject o{{QStringLiteral("customers"), c.customers}, {QStringLiteral("deals"), c.deals},
                      {QStringLiteral("quotes"), c.quotes},       {QStringLiteral("checkouts"), c.checkouts},
                      {QStringLiteral("receipts"), c.receipts},   {QStringLiteral("sessions"), c.sessions}};
        return jsonReply(compact(o));
    }
    if (s.size() == 2 && s[1] == QLatin1String("token")) {
        requireMethod(r, "POST");
        const QJsonObject o = objectBody(r);
        const QString user = o.value(QLatin1String("user")).toString();
        if (user.trimmed().isEmpty()) throw Refusal{400, QStringLiteral("Give a \"user\".")};
        return recordReply(Session{q->issueToken(user), user, true});
    }
    if (s.size() == 2 && s[1] == QLatin1String("faults")) {
        if (r.method == "DELETE") {
            faults.clear();
            return jsonReply("{}");
        }
        requireMethod(r, "POST");
        const QJsonObject o = objectBody(r);
        StandinFault f;
        f.method = o.value(QLatin1String("method")).toString().toUpper().toLatin1();
        f.pathPrefix = o.value(QLatin1String("path_prefix")).toString();
        f.delayMs = o.value(QLatin1String("delay_ms")).toInt(0);
        f.count = o.value(QLatin1String("count")).toInt(1);
        const QString kind = o.value(QLatin1String("kind")).toString();
        if (kind == QLatin1String("drop"))
            f.kind = StandinFault::Kind::DropAfterCommit;
        else if (kind == QLatin1String("bad_gateway"))
            f.kind = StandinFault::Kind::BadGateway;
        else if (kind == QLatin1String("bad_gateway_after_commit"))
            f.kind = StandinFault::Kind::BadGatewayAfterCommit;
        else if (kind == QLatin1String("delay"))
            f.kind = StandinFault::Kind::Delay;
        else
            throw Refusal{
                400, QStringLiteral("kind must be drop, bad_gateway, bad_gateway_after_commit or delay.")};
        if (!f.pathPrefix.startsWith(QLatin1Char('/')) || f.count < 1 || f.delayMs < 0)
            throw Refusal{400,
                          QStringLiteral(
                              "Give a path_prefix starting with \"/\", a positive count and delay_ms >= 0.")};
        faults.append(f);
        return jsonReply("{}");
    }
    if (s.size() == 4 && s[1] == QLatin1String("checkouts")) {
        requireMethod(r, "POST");
        const QString id = s[2];
        const QString action = s[3];
        bool ok = false;
        if (action == QLatin1String("pay"))
            ok = q->pay(id);
        else if (action == QLatin1String("collect"))
            ok = q->collect(id);
        else if (action == QLatin1String("decline"))
            ok = q->decline(id);
        else
            throw Refusal{404, QStringLiteral("Not found.")};
        if (!ok) throw Refusal{409, QStringLiteral("The checkout is not waiting for that.")};
        return recordReply(checkouts.find(id)->tx);
    }
    throw Refusal{404, QStringLiteral("Not found.")};
}

} // namespace standin
