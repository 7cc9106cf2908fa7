#pragma once
// Inside of StandinServer: the records in memory (written through to SQLite),
// the routes, the checkout state machine and the documents.

#include "StandinServer.h"
#include "Store.h"

#include "records/Money.h"

#include <QHash>
#include <QJsonObject>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

namespace standin {

// A refused request: becomes an APIError body with this status.
struct Refusal {
    int status;
    QString message;
    std::optional<QString> code = std::nullopt; // see APIError::code
};

// Records of one kind in insertion order.
template <class T> struct Table {
    QHash<QString, T> byId;
    QStringList order;

    bool contains(const QString &id) const { return byId.contains(id); }
    // For ids taken from `order`, which always exist.
    const T &at(const QString &id) const { return *byId.constFind(id); }
    const T *find(const QString &id) const
    {
        auto it = byId.constFind(id);
        return it == byId.cend() ? nullptr : &*it;
    }
    T *find(const QString &id)
    {
        auto it = byId.find(id);
        return it == byId.end() ? nullptr : &*it;
    }
    void put(const QString &id, const T &value)
    {
        if (!byId.contains(id)) order.append(id);
        byId.insert(id, value);
    }
    void clear()
    {
        byId.clear();
        order.clear();
    }
    int size() const { return int(order.size()); }
};

struct StoredCheckout {
    vantrel::CheckoutTransaction tx;
    QString owner; // user who started it; others see the quote read-only
    vantrel::CheckoutRequest request;
    bool simulated = true; // the simulated terminal may pay it on its own
    QList<vantrel::QuoteLine> paidLines; // lines at the time of payment, for the invoice
};

struct StoredQuote {
    vantrel::Quote quote; // without transaction, read-only flag and payment summary
    QString owner;
};

struct LedgerEntry {
    QByteArray body; // canonical request body
    QString state; // "done" or "fenced"
    QString resultId;
};

struct CodeGrant {
    QString challenge;
    QString user;
    qint64 createdMs = 0;
    bool used = false;
};

struct SessionRow {
    QString user;
    qint64 createdMs = 0;
};

struct StandinServer::State {
    StandinServer *q = nullptr;
    StandinOptions options;
    std::unique_ptr<QTemporaryDir> tempDir;
    QString dataDir;
    Store store;
    std::unique_ptr<HttpServer> http;
    QString host;

    Table<vantrel::Product> products;
    Table<vantrel::Tax> taxes;
    Table<vantrel::Customer> customers;
    Table<vantrel::Deal> deals;
    Table<vantrel::Campaign> campaigns;
    Table<StoredQuote> quotes;
    Table<StoredCheckout> checkouts;
    Table<LedgerEntry> ledger; // key: kind + ":" + request id
    Table<CodeGrant> codes;
    Table<SessionRow> sessions;
    Table<QString> receipts; // receipt request id -> checkout id
    QString defaultCampaignId;

    QHash<QString, QTimer *> timers; // checkout id -> next automatic step
    QList<StandinFault> faults;

    // lifecycle and storage (StandinServer.cpp)
    qint64 nowMs() const;
    double nowSeconds() const { return double(nowMs()) / 1000.0; }
    void load();
    void save(const vantrel::Product &p);
    void save(const vantrel::Tax &t);
    void save(const vantrel::Customer &c);
    void save(const vantrel::Deal &d);
    void save(const vantrel::Campaign &c);
    void save(const StoredQuote &q);
    void save(const StoredCheckout &c);
    void saveLedger(const QString &key, const LedgerEntry &e);
    void saveCode(const QString &code, const CodeGrant &g);
    void saveSession(const QString &token, const SessionRow &s);
    QString newId();
    QString issueToken(const QString &user);

    // routing
    HttpResponse route(const HttpRequest &r);
    HttpResponse control(const HttpRequest &r);
    QString requireUser(const HttpRequest &r) const;
    HttpResponse authStart(const HttpRequest &r);
    HttpResponse authApprove(const HttpRequest &r);
    HttpResponse authExchange(const HttpRequest &r);

    // reference data and customers (Customers.cpp)
    HttpResponse searchCustomers(const HttpRequest &r);
    HttpResponse createCustomer(const HttpRequest &r);
    HttpResponse recoverCustomer(const HttpRequest &r);
    HttpResponse customerOptions();
    HttpResponse dealsOf(const HttpRequest &r);

    // quotes (Quotes.cpp)
    vantrel::Quote present(const StoredQuote &q, const QString &user) const;
    const StoredCheckout *latestCheckout(const QString &quoteId) const;
    HttpResponse quotesOf(const HttpRequest &r, const QString &user);
    HttpResponse saveQuote(const HttpRequest &r, const QString &user);
    HttpResponse linkDeal(const QString &quoteId, const HttpRequest &r, const QString &user);
    void computeTotals(vantrel::Quote &quote) const;

    // checkouts (Checkouts.cpp)
    HttpResponse startCheckout(const HttpRequest &r, const QString &user);
    HttpResponse recoverCheckout(const HttpRequest &r);
    HttpResponse resumeCheckout(const QString &id);
    HttpResponse cancelCheckout(const QString &id);
    HttpResponse holdCheckout(const QString &id, const HttpRequest &r);
    HttpResponse receipt(const QString &id, const HttpRequest &r);
    void schedule(const QString &id, int delayMs);
    void advance(const QString &id); // timer: the next automatic step
    void armAfterRestart();
    bool payNow(const QString &id, bool viaRegister);
    bool declineNow(const QString &id);
    void changed(StoredCheckout &c);
    void finishPayment(StoredCheckout &c);

    // documents and demo data (Documents.cpp, DemoData.cpp, GeneratedCatalog.cpp)
    HttpResponse quotePdf(const QString &id, const QString &user);
    HttpResponse invoicePdf(const QString &id);
    HttpResponse productImage(const QString &id);
    void seedDemo();
    void addGeneratedCatalog(int count);
};

// helpers shared by the route files
HttpResponse jsonReply(const QByteArray &json, int status = 200);
template <class R> HttpResponse recordReply(const R &record, int status = 200)
{
    return jsonReply(vantrel::encode(record, vantrel::KeyStyle::Wire), status);
}
HttpResponse errorReply(int status, const QString &message, std::optional<QString> code = std::nullopt);
QString moneyString(const vantrel::Decimal &value); // two decimals, "." separator
// A JSON object body, or a Refusal.
QJsonObject objectBody(const HttpRequest &r);
// Canonical form of a request record, for comparing repeats.
template <class R> QByteArray canonical(const R &record)
{
    return vantrel::encode(record, vantrel::KeyStyle::Wire);
}
QString randomToken(int bytes);

} // namespace standin
