// Black-box walk over HTTP against the stand-in server running in-process.

#include "HttpWalk.h"
#include "StandinServer.h"

#include "records/Money.h"
#include "records/Requests.h"
#include "records/Uuid.h"

#include <QBuffer>
#include <QImage>
#include <QPdfDocument>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

using namespace vantrel;
using standin::StandinServer;

class TestStandin : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    StandinServer m_server;
    std::unique_ptr<HttpWalk> m_http;
    qint64 m_clockMs = 0;

    standin::StandinOptions options(const QString &seed = QStringLiteral("demo"))
    {
        standin::StandinOptions o;
        o.dataDir = m_dir.path();
        o.seed = seed;
        o.stepDelayMs = 10;
        o.autoPayMs = -1;
        o.testControls = true;
        o.nowMs = [this] { return m_clockMs ? m_clockMs : QDateTime::currentMSecsSinceEpoch(); };
        return o;
    }
    void restart(const standin::StandinOptions &o)
    {
        QString error;
        QVERIFY2(m_server.start(o, &error), qPrintable(error));
        m_http->setBase(m_server.baseUrl());
    }
    template <class T>
    T ok(const HttpResult &r)
    {
        if (r.status != 200) qWarning() << r.status << r.body;
        [&] { QCOMPARE(r.status, 200); }();
        return decode<T>(r.body, KeyStyle::Wire);
    }
    static QString apiError(const HttpResult &r) { return decode<APIError>(r.body, KeyStyle::Wire).error; }
    Customer someCustomer() { return ok<CustomersResponse>(m_http->get("/api/customers?q=")).customers.first(); }
    Product someProduct(int index = 3) { return ok<Catalog>(m_http->get("/api/catalog")).products.at(index); }
    SaveQuoteRequest quoteRequest(const QList<QuoteLine> &lines)
    {
        return SaveQuoteRequest{newUuidString(), {}, someCustomer().id, {}, lines, "n", "t", "0", "0", "0"};
    }
    Quote saveQuote(int quantity = 2)
    {
        QuoteLine line = QuoteLine::fromProduct(someProduct());
        line.quantity = QString::number(quantity);
        return ok<Quote>(m_http->post("/api/quotes", encode(quoteRequest({line}), KeyStyle::Wire)));
    }
    CheckoutRequest checkoutFor(const Quote &q, const QString &tender = QStringLiteral("card"))
    {
        return CheckoutRequest{newUuidString(), q.id, cents(q.total), tender, cents(q.total), false};
    }
    QString status(const QString &id) { return m_server.checkout(id) ? m_server.checkout(id)->status : QString(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_http = std::make_unique<HttpWalk>(QString());
        restart(options());
        m_http->setToken(m_server.issueToken(QStringLiteral("Avery Demo")));
    }

    void signInWithProofKey_data()
    {
        QTest::addColumn<QString>("mischief");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("fair") << "" << "";
        QTest::newRow("wrong verifier") << "verifier" << "The sign-in proof does not match this code. Sign in again.";
        QTest::newRow("reused code") << "reuse" << "This sign-in code was already used. Sign in again.";
        QTest::newRow("stale code") << "expire" << "This sign-in code has expired. Sign in again.";
    }
    void signInWithProofKey()
    {
        QFETCH(QString, mischief);
        QFETCH(QString, refusal);
        const QString verifier = newUuidString() + newUuidString();
        const QString challenge = standin::challengeFor(verifier);
        HttpWalk browser(m_server.baseUrl());
        const HttpResult page = browser.get("/auth/zoho/start?challenge=" + challenge);
        QCOMPARE(page.status, 200);
        QVERIFY(page.contentType.startsWith("text/html"));
        const auto link = QRegularExpression(QStringLiteral("href=\"([^\"]+)\"")).match(QString::fromUtf8(page.body));
        QVERIFY(link.hasMatch());
        const HttpResult approve = browser.get(link.captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&")));
        QCOMPARE(approve.status, 302);
        const QUrl callback(QString::fromUtf8(approve.location));
        QCOMPARE(callback.scheme(), QStringLiteral("vantrelcheckout"));
        const QString code = QUrlQuery(callback).queryItemValue(QStringLiteral("code"));
        QVERIFY(!code.isEmpty());

        auto exchange = [&](const QString &v) {
            return browser.post("/auth/exchange", encode(Exchange{code, v}, KeyStyle::Wire));
        };
        if (mischief == QLatin1String("expire")) m_clockMs = QDateTime::currentMSecsSinceEpoch() + 301 * 1000;
        if (mischief == QLatin1String("reuse")) QCOMPARE(exchange(verifier).status, 200);
        const HttpResult r = exchange(mischief == QLatin1String("verifier") ? verifier.toLower() : verifier);
        m_clockMs = 0;
        if (!refusal.isEmpty()) {
            QCOMPARE(r.status, 400);
            QCOMPARE(apiError(r), refusal);
            return;
        }
        const Session session = ok<Session>(r);
        QVERIFY(session.demo);
        QCOMPARE(session.user, QStringLiteral("Avery Demo"));
        QCOMPARE(browser.call("GET", "/api/me", {}, session.token).status, 200);
        QCOMPARE(browser.call("POST", "/api/logout", "{}", session.token).status, 200);
        QCOMPARE(browser.call("GET", "/api/me", {}, session.token).status, 401);
    }

    void apiNeedsToken_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("token");
        QTest::newRow("me, none") << QByteArray("GET") << "/api/me" << "";
        QTest::newRow("me, forged") << QByteArray("GET") << "/api/me" << "abc";
        QTest::newRow("catalog") << QByteArray("GET") << "/api/catalog" << "";
        QTest::newRow("save quote") << QByteArray("POST") << "/api/quotes" << "";
        QTest::newRow("image") << QByteArray("GET") << "/api/items/1/image" << "";
        QTest::newRow("unknown route") << QByteArray("GET") << "/api/nothing" << "";
    }
    void apiNeedsToken()
    {
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        QFETCH(QString, token);
        const HttpResult r = m_http->call(method, path, "{}", token.isEmpty() ? QStringLiteral(" ") : token);
        QCOMPARE(r.status, 401);
        QVERIFY(!apiError(r).isEmpty());
    }

    // Each reply decodes with the client's own records.
    void readRows()
    {
        const Me me = ok<Me>(m_http->get("/api/me"));
        QCOMPARE(me.paymentRoute.value_or(QString()), QStringLiteral("square_terminal"));
        QVERIFY(ok<TaxesResponse>(m_http->get("/api/taxes")).taxes.size() >= 2);
        const Catalog catalog = ok<Catalog>(m_http->get("/api/catalog"));
        QVERIFY(catalog.products.size() >= 150);
        QSet<QString> categories;
        int withPhoto = 0, assembled = 0, noStock = 0;
        for (const Product &p : catalog.products) {
            categories.insert(p.category);
            withPhoto += p.imagePath == QStringLiteral("/api/items/%1/image").arg(p.id);
            assembled += p.sku.endsWith(QLatin1String("WSX"));
            noStock += !p.stock;
        }
        QVERIFY(categories.contains(" vanity ") && categories.contains("") && categories.contains("Misc"));
        QVERIFY(withPhoto > catalog.products.size() / 2 && assembled > 0 && noStock > 0);
        const CustomerOptions options = ok<CustomerOptions>(m_http->get("/api/customer-options"));
        QVERIFY(!options.defaultCampaignId.isEmpty());

        // Saved quotes in every status, one locked by another user, one canceled, one paid.
        QSet<QString> statuses;
        bool locked = false, canceled = false, invoiced = false;
        for (const Customer &c : ok<CustomersResponse>(m_http->get("/api/customers?q=")).customers) {
            for (const Quote &q : ok<QuotesResponse>(m_http->get("/api/quotes?customer_id=" + c.id)).quotes) {
                statuses.insert(q.status);
                locked |= q.checkoutReadOnly.value_or(false);
                canceled |= q.checkoutStatus == QStringLiteral("canceled");
                invoiced |= q.paymentSummary && !q.paymentSummary->invoices.isEmpty();
                QCOMPARE(ok<Quote>(m_http->get("/api/quotes/" + q.id)).id, q.id);
            }
            for (const Deal &d : ok<DealsResponse>(m_http->get("/api/deals?customer_id=" + c.id)).deals) {
                QCOMPARE(d.accountId, c.accountId);
                QCOMPARE(ok<std::optional<Deal>>(m_http->get("/api/deals/" + d.id)), std::optional<Deal>(d));
            }
        }
        for (const char *s : {"draft", "sent", "accepted", "declined", "expired"}) QVERIFY(statuses.contains(s));
        QVERIFY(locked && canceled && invoiced);
        QCOMPARE(ok<std::optional<Deal>>(m_http->get("/api/deals/404")), std::nullopt);
        QVERIFY(!ok<TransactionsResponse>(m_http->get("/api/checkouts")).checkouts.isEmpty());
    }

    void customerSearch_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("field");
        QTest::newRow("name, lower case") << "garcia" << "name";
        QTest::newRow("email part") << "EXAMPLE.COM" << "email";
        QTest::newRow("phone digits") << "555-01" << "phone";
        QTest::newRow("phone without punctuation") << "51255501" << "phone";
    }
    void customerSearch()
    {
        QFETCH(QString, query);
        QFETCH(QString, field);
        const auto found = ok<CustomersResponse>(m_http->get("/api/customers?q=" + QUrl::toPercentEncoding(query))).customers;
        QVERIFY(!found.isEmpty());
        const QString digits = QString(query).remove(QRegularExpression(QStringLiteral("\\D")));
        for (const Customer &c : found) {
            const QString value = field == QLatin1String("name") ? c.name : field == QLatin1String("email") ? c.email : c.phone;
            QVERIFY2(value.contains(query, Qt::CaseInsensitive) ||
                         QString(value).remove(QRegularExpression(QStringLiteral("\\D"))).contains(digits),
                     qPrintable(value));
        }
        QVERIFY(ok<CustomersResponse>(m_http->get("/api/customers?q=zzzz-nobody")).customers.isEmpty());
    }

    void customerCreationIsIdempotentAndFenced()
    {
        const QString campaign = ok<CustomerOptions>(m_http->get("/api/customer-options")).defaultCampaignId;
        NewCustomerRequest request{newUuidString(), "Rosa", "Diaz", "(512) 555-9911", "rosa@example.com", campaign, "2500"};
        const int before = m_server.counts().customers;
        const auto first = ok<NewCustomerResponse>(m_http->post("/api/customers", encode(request, KeyStyle::Wire)));
        QCOMPARE(first.customer.accountId, first.deal.accountId);
        QCOMPARE(ok<NewCustomerResponse>(m_http->post("/api/customers", encode(request, KeyStyle::Wire))), first);
        QCOMPARE(m_server.counts().customers, before + 1);

        const auto recovered = ok<CustomerRequestRecovery>(
            m_http->post("/api/customers/recover-request", encode(request, KeyStyle::Wire)));
        recovered.validate(request);
        QCOMPARE(recovered.state, QStringLiteral("completed"));
        QCOMPARE(recovered.customer, std::optional<Customer>(first.customer));

        NewCustomerRequest changed = request;
        changed.phone = "(512) 555-0000";
        QCOMPARE(m_http->post("/api/customers", encode(changed, KeyStyle::Wire)).status, 409);

        NewCustomerRequest lost = request;
        lost.requestId = newUuidString();
        const auto aborted = ok<CustomerRequestRecovery>(
            m_http->post("/api/customers/recover-request", encode(lost, KeyStyle::Wire)));
        aborted.validate(lost);
        QCOMPARE(aborted.state, QStringLiteral("aborted"));
        const HttpResult late = m_http->post("/api/customers", encode(lost, KeyStyle::Wire));
        QCOMPARE(late.status, 409);
        QVERIFY(!apiError(late).isEmpty());
        QCOMPARE(m_server.counts().customers, before + 1);

        NewCustomerRequest invalid = lost;
        invalid.requestId = newUuidString();
        invalid.email = "rosa@example";
        const HttpResult refused = m_http->post("/api/customers", encode(invalid, KeyStyle::Wire));
        QCOMPARE(refused.status, 400);
        QCOMPARE(apiError(refused), QStringLiteral("Enter a valid email address."));
    }

    void quoteTotals_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<bool>("taxed");
        QTest::addColumn<QString>("orderDiscount");
        QTest::addColumn<QString>("shipping");
        QTest::addColumn<QString>("adjustment");
        QTest::addColumn<QString>("expected"); // subtotal tax total, or the refusal
        // The demo tax on a taxed line is 8.25%.
        QTest::newRow("plain") << "2" << "19.99" << "0" << false << "0" << "0" << "0" << "39.98 0.00 39.98";
        QTest::newRow("percent off, taxed") << "2" << "19.99" << "10%" << true << "0" << "5" << "-0.5" << "35.98 2.97 43.45";
        QTest::newRow("amount off") << "3" << "10" << "4.5" << true << "0" << "0" << "0" << "25.50 2.10 27.60";
        QTest::newRow("order percent") << "1" << "100" << "0" << false << "10%" << "0" << "0" << "100.00 0.00 90.00";
        QTest::newRow("decimal quantity") << "2.5" << "0.10" << "100%" << true << "0" << "0" << "0" << "0.00 0.00 0.00";
        QTest::newRow("zero quantity") << "0" << "10" << "0" << false << "0" << "0" << "0"
                                       << "Each line needs a positive quantity and a valid price.";
        QTest::newRow("negative rate") << "1" << "-0.01" << "0" << false << "0" << "0" << "0"
                                       << "Each line needs a positive quantity and a valid price.";
        QTest::newRow("absurd quantity") << "1e30" << "1e30" << "0" << false << "0" << "0" << "0"
                                         << "Each line needs a positive quantity and a valid price.";
        QTest::newRow("over 100%") << "1" << "10" << "100.5%" << false << "0" << "0" << "0"
                                   << "Enter a valid discount, such as 10%.";
        QTest::newRow("bad shipping") << "1" << "10" << "0" << false << "0" << "five" << "0"
                                      << "Enter valid shipping and adjustment amounts.";
        QTest::newRow("negative total") << "1" << "10" << "0" << false << "0" << "0" << "-11"
                                        << "The quote total cannot be negative.";
    }
    void quoteTotals()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, rate);
        QFETCH(QString, discount);
        QFETCH(bool, taxed);
        QFETCH(QString, orderDiscount);
        QFETCH(QString, shipping);
        QFETCH(QString, adjustment);
        QFETCH(QString, expected);
        const Product product = someProduct();
        QuoteLine line = QuoteLine::fromProduct(product);
        line.quantity = quantity;
        line.rate = rate;
        line.discount = discount;
        line.taxId = taxed ? ok<TaxesResponse>(m_http->get("/api/taxes")).taxes.at(1).id : QString();
        SaveQuoteRequest request = quoteRequest({line});
        request.discount = orderDiscount;
        request.shipping = shipping;
        request.adjustment = adjustment;
        const HttpResult r = m_http->post("/api/quotes", encode(request, KeyStyle::Wire));
        if (!expected.front().isDigit()) {
            QCOMPARE(r.status, 400);
            QCOMPARE(apiError(r), expected);
            return;
        }
        const Quote q = ok<Quote>(r);
        QCOMPARE(QStringList({q.subtotal, q.tax, q.total}).join(' '), expected);
        QCOMPARE(q.status, QStringLiteral("sent"));
    }

    void quoteSaveIdempotencyAndRevision()
    {
        QuoteLine line = QuoteLine::fromProduct(someProduct());
        SaveQuoteRequest request = quoteRequest({line});
        const int before = m_server.counts().quotes;
        const Quote first = ok<Quote>(m_http->post("/api/quotes", encode(request, KeyStyle::Wire)));
        QCOMPARE(ok<Quote>(m_http->post("/api/quotes", encode(request, KeyStyle::Wire))), first);
        QCOMPARE(m_server.counts().quotes, before + 1);
        request.notes = "changed";
        QCOMPARE(m_http->post("/api/quotes", encode(request, KeyStyle::Wire)).status, 409);

        SaveQuoteRequest revision = request;
        revision.requestId = newUuidString();
        revision.sourceId = first.id;
        const Quote revised = ok<Quote>(m_http->post("/api/quotes", encode(revision, KeyStyle::Wire)));
        QCOMPARE(revised.id, first.id);
        QVERIFY(revised.number != first.number);
        QCOMPARE(m_server.counts().quotes, before + 1);

        // Linking a deal of another customer is refused; unlinking is fine.
        const Customer other = ok<CustomersResponse>(m_http->get("/api/customers?q=")).customers.last();
        const auto foreign = ok<DealsResponse>(m_http->get("/api/deals?customer_id=" + other.id)).deals;
        if (!foreign.isEmpty() && other.id != revised.customerId)
            QCOMPARE(m_http->put("/api/quotes/" + first.id + "/deal", "{\"deal_id\":\"" + foreign[0].id.toUtf8() + "\"}").status, 400);
        QCOMPARE(ok<Quote>(m_http->put("/api/quotes/" + first.id + "/deal", "{\"deal_id\":\"\"}")).dealId, QString());
    }

    void cardCheckoutCompletesWithAutoPay()
    {
        standin::StandinOptions o = options();
        o.autoPayMs = 20;
        restart(o);
        const Quote quote = saveQuote();
        const CheckoutRequest request = checkoutFor(quote);
        const auto tx = ok<CheckoutTransaction>(m_http->post("/api/checkouts", encode(request, KeyStyle::Wire)));
        QCOMPARE(tx.id, request.requestId);
        QCOMPARE(tx.amountCents, cents(quote.total));
        QTRY_COMPARE_WITH_TIMEOUT(status(tx.id), QStringLiteral("complete"), 10000);
        const auto done = ok<CheckoutTransaction>(m_http->get("/api/checkouts/" + tx.id));
        QVERIFY(done.receiptLink() && done.invoiceNumber && done.squarePaymentId);
        const Quote paid = ok<Quote>(m_http->get("/api/quotes/" + quote.id));
        QCOMPARE(paid.checkoutStatus, std::optional<QString>("complete"));
        QCOMPARE(paid.paymentSummary->invoices.size(), 1);
        QCOMPARE(m_http->post("/api/checkouts/" + tx.id + "/cancel", "{}").status, 409);
        QCOMPARE(m_http->post("/api/checkouts/" + tx.id + "/receipt", "{\"request_id\":\"R\"}").status, 200);
        QCOMPARE(m_http->post("/api/checkouts/" + tx.id + "/receipt", "{\"request_id\":\"R\"}").status, 200);
        QCOMPARE(m_server.counts().receipts, 1);
        const HttpResult invoice = m_http->get("/api/checkouts/" + tx.id + "/pdf");
        QCOMPARE(invoice.contentType, QByteArray("application/pdf"));
        QVERIFY(invoice.body.startsWith("%PDF-"));
        restart(options());
    }

    void checkoutRepeatsAndRefusals()
    {
        const Quote quote = saveQuote();
        CheckoutRequest request = checkoutFor(quote);
        request.expectedCents += 1;
        QCOMPARE(m_http->post("/api/checkouts", encode(request, KeyStyle::Wire)).status, 409);
        request.expectedCents -= 1;
        const int before = m_server.counts().checkouts;
        const auto tx = ok<CheckoutTransaction>(m_http->post("/api/checkouts", encode(request, KeyStyle::Wire)));
        QCOMPARE(ok<CheckoutTransaction>(m_http->post("/api/checkouts", encode(request, KeyStyle::Wire))).id, tx.id);
        CheckoutRequest changed = request;
        changed.hold = true;
        QCOMPARE(m_http->post("/api/checkouts", encode(changed, KeyStyle::Wire)).status, 409);
        CheckoutRequest second = checkoutFor(quote);
        QCOMPARE(m_http->post("/api/checkouts", encode(second, KeyStyle::Wire)).status, 409); // one live checkout per quote
        QCOMPARE(m_server.counts().checkouts, before + 1);
        SaveQuoteRequest revision = quoteRequest(quote.lines);
        revision.sourceId = quote.id;
        QCOMPARE(m_http->post("/api/quotes", encode(revision, KeyStyle::Wire)).status, 409); // checkout under way

        // Declined, resumed, then canceled before any payment.
        QTRY_COMPARE_WITH_TIMEOUT(status(tx.id), QStringLiteral("awaiting_payment"), 10000);
        QVERIFY(m_server.decline(tx.id));
        QCOMPARE(ok<CheckoutTransaction>(m_http->get("/api/checkouts/" + tx.id)).status, QStringLiteral("needs_attention"));
        QCOMPARE(ok<CheckoutTransaction>(m_http->post("/api/checkouts/" + tx.id + "/resume", "{}")).status,
                 QStringLiteral("awaiting_payment"));
        const auto held = ok<std::optional<CheckoutTransaction>>(m_http->put("/api/checkouts/" + tx.id + "/hold", "{\"hold\":true}"));
        QVERIFY(held && held->hold);
        QCOMPARE(ok<std::optional<CheckoutTransaction>>(m_http->put("/api/checkouts/nobody/hold", "{\"hold\":true}")),
                 std::nullopt);
        QCOMPARE(ok<CheckoutTransaction>(m_http->post("/api/checkouts/" + tx.id + "/cancel", "{}")).status,
                 QStringLiteral("canceled"));
        QVERIFY(!m_server.pay(tx.id));
        QCOMPARE(ok<Quote>(m_http->get("/api/quotes/" + quote.id)).checkoutStatus, std::optional<QString>("canceled"));
        // A canceled quote can be checked out again with a new request.
        QCOMPARE(m_http->post("/api/checkouts", encode(checkoutFor(quote), KeyStyle::Wire)).status, 200);
    }

    void checkoutRecoveryFencesUnseenRequests()
    {
        const Quote quote = saveQuote();
        const CheckoutRequest lost = checkoutFor(quote);
        const auto aborted = ok<CheckoutRequestRecovery>(
            m_http->post("/api/checkouts/recover-request", encode(lost, KeyStyle::Wire)));
        aborted.validate(lost);
        QCOMPARE(aborted.state, QStringLiteral("aborted"));
        const int before = m_server.counts().checkouts;
        const HttpResult late = m_http->post("/api/checkouts", encode(lost, KeyStyle::Wire));
        QCOMPARE(late.status, 409);
        QVERIFY(!apiError(late).isEmpty());
        QCOMPARE(m_server.counts().checkouts, before);
        QVERIFY(!m_server.checkout(lost.requestId));

        const CheckoutRequest cash = checkoutFor(quote, QStringLiteral("cash"));
        QVERIFY(ok<CheckoutTransaction>(m_http->post("/api/checkouts", encode(cash, KeyStyle::Wire))).id == cash.requestId);
        const auto found = ok<CheckoutRequestRecovery>(
            m_http->post("/api/checkouts/recover-request", encode(cash, KeyStyle::Wire)));
        found.validate(cash);
        QCOMPARE(found.state, QStringLiteral("transaction"));
        QTRY_COMPARE_WITH_TIMEOUT(status(cash.requestId), QStringLiteral("complete"), 10000);
    }

    // The reply is lost after the server committed: the retry finds the same record.
    void faultsAfterCommit_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("drop") << "drop";
        QTest::newRow("502 after commit") << "bad_gateway_after_commit";
        QTest::newRow("502 before") << "bad_gateway";
        QTest::newRow("slow") << "delay";
    }
    void faultsAfterCommit()
    {
        QFETCH(QString, kind);
        const SaveQuoteRequest request = quoteRequest({QuoteLine::fromProduct(someProduct())});
        const int before = m_server.counts().quotes;
        HttpWalk control(m_server.baseUrl());
        // Qt re-sends a request once by itself when a reused connection closes, so drop a few.
        QCOMPARE(control.post("/__standin/faults", "{\"method\":\"POST\",\"path_prefix\":\"/api/quotes\",\"kind\":\"" +
                                                       kind.toUtf8() + "\",\"count\":3,\"delay_ms\":30}").status,
                 200);
        const HttpResult lost = m_http->post("/api/quotes", encode(request, KeyStyle::Wire));
        QCOMPARE(control.call("DELETE", "/__standin/faults").status, 200);
        if (kind == QLatin1String("delay")) {
            QCOMPARE(lost.status, 200);
        } else if (kind == QLatin1String("drop")) {
            QCOMPARE(lost.status, 0);
            QVERIFY(lost.error != QNetworkReply::NoError);
        } else {
            QCOMPARE(lost.status, 502);
            QVERIFY(lost.contentType.startsWith("text/html"));
            QVERIFY(!tryDecode<APIError>(lost.body, KeyStyle::Wire));
        }
        QCOMPARE(m_server.counts().quotes, before + (kind == QLatin1String("bad_gateway") ? 0 : 1));
        const Quote retried = ok<Quote>(m_http->post("/api/quotes", encode(request, KeyStyle::Wire)));
        QCOMPARE(m_server.counts().quotes, before + 1);
        QVERIFY(m_server.quote(retried.id));
    }

    void documentsAndPhotos()
    {
        QList<QuoteLine> lines;
        const Catalog catalog = ok<Catalog>(m_http->get("/api/catalog"));
        for (int i = 0; i < 70; ++i) lines.append(QuoteLine::fromProduct(catalog.products.at(i)));
        const Quote longQuote = ok<Quote>(m_http->post("/api/quotes", encode(quoteRequest(lines), KeyStyle::Wire)));
        const HttpResult pdf = m_http->get("/api/quotes/" + longQuote.id + "/pdf");
        QCOMPARE(pdf.contentType, QByteArray("application/pdf"));
        QVERIFY(pdf.body.startsWith("%PDF-"));
        QBuffer buffer;
        buffer.setData(pdf.body);
        buffer.open(QIODevice::ReadOnly);
        QPdfDocument document;
        document.load(&buffer);
        QCOMPARE(document.status(), QPdfDocument::Status::Ready);
        QVERIFY(document.pageCount() > 1);

        QSet<QByteArray> types;
        int checked = 0;
        for (const Product &p : catalog.products) {
            if (!p.imagePath || checked++ >= 4) continue;
            const HttpResult photo = m_http->get(*p.imagePath);
            QCOMPARE(photo.status, 200);
            types.insert(photo.contentType);
            const QImage image = QImage::fromData(photo.body);
            QVERIFY(!image.isNull());
            QCOMPARE(image.size(), QSize(800, 600));
        }
        QCOMPARE(types.size(), 2); // JPEG and PNG
        QCOMPARE(m_http->get("/api/items/12ab/image").status, 400);
        QCOMPARE(m_http->get("/api/items/999/image").status, 404);
    }

    void garbageGetsA4xx_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("body");
        for (const char *path : {"/api/customers", "/api/customers/recover-request", "/api/quotes", "/api/checkouts",
                                 "/api/checkouts/recover-request", "/auth/exchange"}) {
            QTest::addRow("%s not json", path) << QByteArray("POST") << path << QByteArray("{nope");
            QTest::addRow("%s array", path) << QByteArray("POST") << path << QByteArray("[]");
            QTest::addRow("%s wrong type", path) << QByteArray("POST") << path << QByteArray("{\"request_id\":5}");
            QTest::addRow("%s empty", path) << QByteArray("POST") << path << QByteArray();
        }
        QTest::newRow("hold without flag") << QByteArray("PUT") << "/api/checkouts/x/hold" << QByteArray("{\"hold\":\"yes\"}");
        QTest::newRow("deal link number") << QByteArray("PUT") << "/api/quotes/x/deal" << QByteArray("{\"deal_id\":1}");
        QTest::newRow("unknown quote") << QByteArray("GET") << "/api/quotes/%2F..%2Fme" << QByteArray();
        QTest::newRow("quotes without customer") << QByteArray("GET") << "/api/quotes" << QByteArray();
        QTest::newRow("wrong method") << QByteArray("DELETE") << "/api/catalog" << QByteArray();
        QTest::newRow("start without challenge") << QByteArray("GET") << "/auth/zoho/start" << QByteArray();
    }
    void garbageGetsA4xx()
    {
        QFETCH(QByteArray, method);
        QFETCH(QString, path);
        QFETCH(QByteArray, body);
        const StandinCountsSnapshot before{m_server.counts()};
        const HttpResult r = m_http->call(method, path, body);
        QVERIFY2(r.status >= 400 && r.status < 500, r.body.constData());
        QVERIFY(!apiError(r).isEmpty());
        QCOMPARE(StandinCountsSnapshot{m_server.counts()}, before);
        QCOMPARE(m_http->get("/api/me").status, 200);
    }

    // The HTTP layer itself, spoken raw.
    void rawHttp_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second"); // sent once the first answer arrived
        QTest::addColumn<QList<int>>("statuses");
        const QByteArray me = "GET /api/me HTTP/1.1\r\nHost: x\r\n\r\n";
        QTest::newRow("pipelined") << me + me << QByteArray() << QList<int>{401, 401};
        QTest::newRow("not http") << QByteArray("HELLO\r\n\r\n") << QByteArray() << QList<int>{400};
        QTest::newRow("chunked") << QByteArray("POST /api/quotes HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n")
                                 << QByteArray() << QList<int>{501};
        QTest::newRow("negative length") << QByteArray("POST /api/quotes HTTP/1.1\r\nContent-Length: -5\r\n\r\n")
                                         << QByteArray() << QList<int>{400};
        QTest::newRow("huge body") << QByteArray("POST /api/quotes HTTP/1.1\r\nContent-Length: 99999999\r\n\r\n")
                                   << QByteArray() << QList<int>{413};
        QTest::newRow("huge header") << "GET / HTTP/1.1\r\nX: " + QByteArray(40000, 'a') << QByteArray() << QList<int>{431};
        QTest::newRow("expect continue")
            << QByteArray("POST /auth/exchange HTTP/1.1\r\nExpect: 100-continue\r\nContent-Length: 2\r\n\r\n")
            << QByteArray("{}") << QList<int>{100, 400};
    }
    void rawHttp()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(QList<int>, statuses);
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_server.port());
        QVERIFY(socket.waitForConnected(10000));
        socket.write(first);
        QByteArray received;
        auto answers = [&] {
            QList<int> seen;
            for (const auto &m : QRegularExpression(QStringLiteral("HTTP/1.1 (\\d{3})")).globalMatch(QString::fromLatin1(received)))
                seen.append(m.captured(1).toInt());
            return seen;
        };
        // The server shares this thread: wait by spinning the event loop, never by blocking.
        QSignalSpy ready(&socket, &QTcpSocket::readyRead);
        while (answers().size() < statuses.size()) {
            if (!socket.bytesAvailable() && !ready.wait(10000)) break;
            received += socket.readAll();
            if (!second.isEmpty() && answers().size() == 1) {
                socket.write(second);
                second.clear();
            }
        }
        QCOMPARE(answers(), statuses);
        QCOMPARE(m_http->get("/api/me").status, 200);
    }

    // Records and sessions survive a restart, the demo seed does not run twice, and a
    // checkout that was waiting carries on.
    void persistence()
    {
        const Quote quote = saveQuote(5);
        const CheckoutRequest request = checkoutFor(quote);
        ok<CheckoutTransaction>(m_http->post("/api/checkouts", encode(request, KeyStyle::Wire)));
        QTRY_COMPARE_WITH_TIMEOUT(status(request.requestId), QStringLiteral("awaiting_payment"), 10000);
        const auto counts = m_server.counts();
        const QString token = m_server.issueToken(QStringLiteral("Jordan Sales"));
        m_server.stop();
        standin::StandinOptions o = options();
        o.autoPayMs = 10;
        restart(o);
        QCOMPARE(m_server.counts().quotes, counts.quotes);
        QCOMPARE(m_server.counts().customers, counts.customers);
        QCOMPARE(m_http->call("GET", "/api/quotes/" + quote.id, {}, token).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(status(request.requestId), QStringLiteral("complete"), 10000);
        restart(options());
    }

    // Many copies of one save in flight at once still make one quote.
    void concurrentRepeats()
    {
        const SaveQuoteRequest request = quoteRequest({QuoteLine::fromProduct(someProduct())});
        const int before = m_server.counts().quotes;
        QNetworkAccessManager network;
        QList<QNetworkReply *> replies;
        for (int i = 0; i < 12; ++i) {
            QNetworkRequest r(QUrl(m_server.baseUrl() + "/api/quotes"));
            r.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
            r.setRawHeader("Authorization", "Bearer " + m_server.issueToken("Avery Demo").toUtf8());
            replies.append(network.post(r, encode(request, KeyStyle::Wire)));
        }
        QSet<QString> ids;
        for (QNetworkReply *reply : replies) {
            QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 20000);
            QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
            ids.insert(decode<Quote>(reply->readAll(), KeyStyle::Wire).id);
            reply->deleteLater();
        }
        QCOMPARE(ids.size(), 1);
        QCOMPARE(m_server.counts().quotes, before + 1);
    }

    void registerRoute_data()
    {
        QTest::addColumn<QString>("accounting");
        QTest::addColumn<bool>("invoiced");
        QTest::newRow("zoho invoice") << "individual_zoho" << true;
        QTest::newRow("daily square import") << "native_square_summary" << false;
    }
    void registerRoute()
    {
        QFETCH(QString, accounting);
        QFETCH(bool, invoiced);
        standin::StandinOptions o = options();
        o.paymentRoute = QStringLiteral("square_register");
        o.accountingMode = accounting;
        restart(o);
        const Quote quote = saveQuote();
        QCOMPARE(m_http->post("/api/checkouts", encode(checkoutFor(quote, "card"), KeyStyle::Wire)).status, 400);
        const CheckoutRequest request = checkoutFor(quote, QStringLiteral("register"));
        ok<CheckoutTransaction>(m_http->post("/api/checkouts", encode(request, KeyStyle::Wire)));
        QTRY_COMPARE_WITH_TIMEOUT(status(request.requestId), QStringLiteral("awaiting_register_payment"), 10000);
        QVERIFY(m_server.checkout(request.requestId)->squareInvoiceUrl);
        HttpWalk control(m_server.baseUrl());
        QCOMPARE(control.post("/__standin/checkouts/" + request.requestId + "/collect", "{}").status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(status(request.requestId), QStringLiteral("complete"), 10000);
        QCOMPARE(bool(m_server.checkout(request.requestId)->invoiceId), invoiced);
        restart(options());
    }

private:
    struct StandinCountsSnapshot {
        standin::StandinCounts c;
        bool operator==(const StandinCountsSnapshot &o) const
        {
            return c.customers == o.c.customers && c.deals == o.c.deals && c.quotes == o.c.quotes &&
                   c.checkouts == o.c.checkouts;
        }
    };
};

QTEST_MAIN(TestStandin)
#include "tst_standin.moc"
