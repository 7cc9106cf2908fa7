#include "ServerAudit.h"

#include "records/Codec.h"
#include "records/CheckoutTransaction.h"
#include "records/Quote.h"
#include "records/Requests.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>

using namespace vantrel;

namespace soak {

namespace {

// The server's rows of one kind, by id, as stored.
using Rows = QHash<QString, QByteArray>;

QHash<QString, Rows> readRecords(const QString &databaseFile)
{
    QHash<QString, Rows> records;
    const QString connection = QStringLiteral("soak-audit-") + databaseFile;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(databaseFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) qFatal("soak: the server's database %s cannot be read", qPrintable(databaseFile));
        QSqlQuery query(db);
        query.exec(QStringLiteral("SELECT kind, id, body FROM records WHERE kind IN ('customer', 'deal', 'quote', 'checkout')"));
        while (query.next()) records[query.value(0).toString()].insert(query.value(1).toString(), query.value(2).toByteArray());
    }
    QSqlDatabase::removeDatabase(connection);
    return records;
}

template <class T>
T stored(const QByteArray &body, const char *inner = nullptr)
{
    if (!inner) return decode<T>(body, KeyStyle::Storage);
    const QJsonObject object = QJsonDocument::fromJson(body).object().value(QLatin1String(inner)).toObject();
    return decode<T>(QJsonDocument(object).toJson(QJsonDocument::Compact), KeyStyle::Storage);
}

} // namespace

AuditCounts &AuditCounts::operator+=(const AuditCounts &other)
{
    ids += other.ids;
    mostRecordsPerId = std::max(mostRecordsPerId, other.mostRecordsPerId);
    duplicates += other.duplicates;
    paidMarkers += other.paidMarkers;
    findings += other.findings;
    return *this;
}

AuditCounts audit(const QString &databaseFile, const QList<testing::Request> &requests, const QList<SaleResult> &sales)
{
    const QHash<QString, Rows> records = readRecords(databaseFile);

    // What each sale's work looks like on the server: customers by e-mail,
    // deals by the customer's account, quotes by their notes and customer,
    // live checkouts by quote.
    QHash<QString, QList<Customer>> customersByEmail;
    for (const QByteArray &body : records.value(QStringLiteral("customer")))
        if (const Customer c = stored<Customer>(body); !c.email.isEmpty()) customersByEmail[c.email].append(c);
    QHash<QString, int> dealsByAccount;
    for (const QByteArray &body : records.value(QStringLiteral("deal"))) ++dealsByAccount[stored<Deal>(body).accountId];
    QHash<QString, QList<Quote>> quotesByNotes;
    for (const QByteArray &body : records.value(QStringLiteral("quote"))) {
        const Quote q = stored<Quote>(body, "quote");
        quotesByNotes[q.notes + QLatin1Char('/') + q.customerId].append(q);
    }
    QHash<QString, int> liveCheckoutsByQuote;
    QHash<QString, QString> paidQuotes; // quote id -> its notes, once paid
    for (const QByteArray &body : records.value(QStringLiteral("checkout"))) {
        const CheckoutTransaction tx = stored<CheckoutTransaction>(body, "tx");
        if (tx.status != QLatin1String(status::canceled)) ++liveCheckoutsByQuote[tx.quoteId];
        if (tx.status == QLatin1String(status::complete)) paidQuotes.insert(tx.quoteId, QString());
    }

    AuditCounts counts;
    QSet<QString> seen, checked;
    const auto count = [&](const QString &content, int records, const QString &what, bool perSale = false) {
        counts.mostRecordsPerId = std::max(counts.mostRecordsPerId, records);
        // Several ids may carry the same work (a creation that never arrived
        // is sent again under a new id): its extra records count once.
        // Quotes are counted by sale below.
        if (records > 1 && !perSale && !checked.contains(content)) {
            counts.duplicates += records - 1;
            counts.findings.append(QStringLiteral("%1 records of %2").arg(records).arg(what));
        }
        checked.insert(content);
    };
    for (const testing::Request &request : requests) {
        if (request.method != "POST") continue;
        const QString &path = request.path;
        if (path == QLatin1String("/api/customers") || path == QLatin1String("/api/customers/recover-request")) {
            const auto form = tryDecode<NewCustomerRequest>(request.body, KeyStyle::Wire);
            if (!form || seen.contains(QStringLiteral("customer:") + form->requestId)) continue;
            seen.insert(QStringLiteral("customer:") + form->requestId);
            const QList<Customer> made = customersByEmail.value(form->email);
            int deals = 0;
            for (const Customer &c : made) deals += dealsByAccount.value(c.accountId);
            count(QStringLiteral("customer ") + form->email, int(made.size()), QStringLiteral("customer ") + form->email);
            count(QStringLiteral("deal ") + form->email, deals, QStringLiteral("deals of ") + form->email);
        } else if (path == QLatin1String("/api/quotes")) {
            const auto save = tryDecode<SaveQuoteRequest>(request.body, KeyStyle::Wire);
            if (!save || seen.contains(QStringLiteral("quote:") + save->requestId)) continue;
            seen.insert(QStringLiteral("quote:") + save->requestId);
            const QString content = save->notes + QLatin1Char('/') + save->customerId;
            count(QStringLiteral("quote ") + content, int(quotesByNotes.value(content).size()),
                  QStringLiteral("quote \"%1\"").arg(save->notes), true);
        } else if (path == QLatin1String("/api/checkouts") || path == QLatin1String("/api/checkouts/recover-request")) {
            const auto start = tryDecode<CheckoutRequest>(request.body, KeyStyle::Wire);
            if (!start || seen.contains(QStringLiteral("checkout:") + start->requestId)) continue;
            seen.insert(QStringLiteral("checkout:") + start->requestId);
            count(QStringLiteral("checkout ") + start->quoteId, liveCheckoutsByQuote.value(start->quoteId),
                  QStringLiteral("live checkouts of quote ") + start->quoteId);
        }
    }
    counts.ids = int(seen.size());

    // A sale's quote under a second number is a duplicate even when each
    // save request made only its own.
    for (const SaleResult &sale : sales) {
        QList<Quote> quotes;
        for (auto it = quotesByNotes.cbegin(); it != quotesByNotes.cend(); ++it)
            if (it.key().startsWith(sale.marker + QLatin1Char('/'))) quotes += it.value();
        if (quotes.size() > 1) {
            counts.duplicates += int(quotes.size()) - 1;
            counts.findings.append(QStringLiteral("%1 quotes for %2").arg(quotes.size()).arg(sale.marker));
        }
        for (const Quote &q : quotes)
            if (paidQuotes.contains(q.id)) counts.paidMarkers.insert(sale.marker);
    }
    return counts;
}

} // namespace soak
