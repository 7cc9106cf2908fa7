// What the client relies on from the stand-in server, spoken through the
// client's own calls: repeated requests make one record, a recovered
// request fences the original, the checkout moves through its states, and
// the fault controls do what the fault tests assume.

#include "Workspace.h"

#include "records/Uuid.h"
#include "server/Endpoints.h"

#include <QtTest>

using namespace vantrel;
using namespace vantrel::testing;
using Fault = standin::StandinFault::Kind;

Q_DECLARE_METATYPE(standin::StandinFault::Kind)

namespace {

QString statusOf(const standin::StandinServer &server, const QString &id)
{
    const auto tx = server.checkout(id);
    return tx ? tx->status : QString();
}

bool refused(const std::exception_ptr &error)
{
    return describe(error).startsWith(QLatin1String("APIError: "));
}

} // namespace

class TestStandinContract : public QObject {
    Q_OBJECT

    std::unique_ptr<Standin> m_standin;
    APIClient m_api; // straight to the stand-in's own HTTP layer

    standin::StandinServer &server() { return m_standin->server; }
    SaveQuoteRequest quoteRequest()
    {
        SaveQuoteRequest request;
        request.requestId = newUuidString();
        request.customerId = server().customers().first().id;
        request.lines = {QuoteLine::fromProduct(server().products().at(3))};
        request.discount = request.shipping = request.adjustment = QStringLiteral("0");
        return request;
    }
    CheckoutRequest checkoutFor(const Quote &quote, const QString &tender = QStringLiteral("card"))
    {
        return CheckoutRequest{newUuidString(), quote.id, cents(quote.total), tender, cents(quote.total), false};
    }
    void restart(standin::StandinOptions options = {})
    {
        m_standin = std::make_unique<Standin>(options);
        m_api.setBase(server().baseUrl());
        m_api.setToken(server().issueToken(m_standin->user));
    }

private slots:
    void init() { restart(); }
    void cleanup() { m_standin.reset(); }

    void repeatedRequestsMakeOneRecord()
    {
        const SaveQuoteRequest request = quoteRequest();
        const int quotes = server().counts().quotes;
        const Quote first = finish(CheckoutAPI::saveQuote(m_api, request));
        QCOMPARE(finish(CheckoutAPI::saveQuote(m_api, request)), first);
        SaveQuoteRequest changed = request;
        changed.notes = QStringLiteral("changed");
        QVERIFY(refused(settle(CheckoutAPI::saveQuote(m_api, changed)).error));

        // Many copies in flight at once still make one quote.
        QList<std::shared_ptr<Outcome<Quote>>> copies;
        const SaveQuoteRequest racing = quoteRequest();
        for (int i = 0; i < 8; ++i) copies.append(start(CheckoutAPI::saveQuote(m_api, racing)));
        QTRY_VERIFY(std::all_of(copies.cbegin(), copies.cend(), [](const auto &c) { return c->done; }));
        for (const auto &copy : copies) QCOMPARE(copy->value->id, copies.first()->value->id);
        QCOMPARE(server().counts().quotes, quotes + 2);

        const NewCustomerRequest customer = m_standin->customerForm(QStringLiteral("Rosa"));
        const int customers = server().counts().customers;
        const NewCustomerResponse made = finish(CheckoutAPI::createCustomer(m_api, customer));
        QCOMPARE(finish(CheckoutAPI::createCustomer(m_api, customer)), made);
        QCOMPARE(server().counts().customers, customers + 1);
    }

    // A recovery that finds nothing fences the request: arriving late, it is refused.
    void recoveryFencesUnseenRequests()
    {
        const Quote quote = finish(CheckoutAPI::saveQuote(m_api, quoteRequest()));
        const CheckoutRequest lost = checkoutFor(quote);
        const CheckoutRequestRecovery aborted = finish(CheckoutAPI::recoverCheckoutRequest(m_api, lost));
        QCOMPARE(aborted.state, QStringLiteral("aborted"));
        QVERIFY(refused(settle(CheckoutAPI::startCheckout(m_api, lost)).error));
        QVERIFY(!server().checkout(lost.requestId));

        const CheckoutRequest cash = checkoutFor(quote, QStringLiteral("cash"));
        finish(CheckoutAPI::startCheckout(m_api, cash));
        QCOMPARE(finish(CheckoutAPI::recoverCheckoutRequest(m_api, cash)).state, QStringLiteral("transaction"));

        NewCustomerRequest unseen = m_standin->customerForm(QStringLiteral("Fenced"));
        QCOMPARE(finish(CheckoutAPI::recoverCustomerRequest(m_api, unseen)).state, QStringLiteral("aborted"));
        const int customers = server().counts().customers;
        QVERIFY(refused(settle(CheckoutAPI::createCustomer(m_api, unseen)).error));
        QCOMPARE(server().counts().customers, customers);
    }

    void checkoutStateMachine()
    {
        const Quote quote = finish(CheckoutAPI::saveQuote(m_api, quoteRequest()));
        CheckoutRequest request = checkoutFor(quote);
        request.expectedCents += 1; // the total moved since the quote was shown
        QVERIFY(refused(settle(CheckoutAPI::startCheckout(m_api, request)).error));
        request.expectedCents -= 1;
        const CheckoutTransaction tx = finish(CheckoutAPI::startCheckout(m_api, request));
        QCOMPARE(tx.id, request.requestId);
        QVERIFY(refused(settle(CheckoutAPI::startCheckout(m_api, checkoutFor(quote))).error)); // one live per quote
        SaveQuoteRequest revision = quoteRequest();
        revision.sourceId = quote.id;
        QVERIFY(refused(settle(CheckoutAPI::saveQuote(m_api, revision)).error)); // locked while paying

        QTRY_COMPARE(statusOf(server(), tx.id), QStringLiteral("awaiting_payment"));
        QVERIFY(server().decline(tx.id));
        QCOMPARE(finish(CheckoutAPI::checkout(m_api, tx.id)).status, QStringLiteral("needs_attention"));
        QCOMPARE(finish(CheckoutAPI::resumeCheckout(m_api, tx.id)).status, QStringLiteral("awaiting_payment"));
        QCOMPARE(finish(CheckoutAPI::cancelCheckout(m_api, tx.id)).status, QStringLiteral("canceled"));
        QVERIFY(!server().pay(tx.id));

        // Canceled, the quote takes a new checkout, which is paid and then final.
        const CheckoutTransaction again = finish(CheckoutAPI::startCheckout(m_api, checkoutFor(quote)));
        QTRY_COMPARE(statusOf(server(), again.id), QStringLiteral("awaiting_payment"));
        QVERIFY(server().pay(again.id));
        QTRY_COMPARE(statusOf(server(), again.id), QStringLiteral("complete"));
        QVERIFY(refused(settle(CheckoutAPI::cancelCheckout(m_api, again.id)).error));
        QCOMPARE(finish(CheckoutAPI::quote(m_api, quote.id)).checkoutStatus, std::optional<QString>("complete"));
    }

    // Each fault is what the fault tests take it for: the work is done or
    // not, the answer lost or replaced; the retry finds the same record. (A slow
    // answer is no control the tests use: the fault matrix delays its own.)
    void faultControls_data()
    {
        QTest::addColumn<Fault>("kind");
        QTest::addColumn<QString>("seen");
        QTest::addColumn<bool>("committed");
        QTest::newRow("dropped after commit") << Fault::DropAfterCommit << "TransportError" << true;
        QTest::newRow("502 after commit") << Fault::BadGatewayAfterCommit << "APIError" << true;
        QTest::newRow("502 before") << Fault::BadGateway << "APIError" << false;
    }
    void faultControls()
    {
        QFETCH(Fault, kind);
        QFETCH(QString, seen);
        QFETCH(bool, committed);
        const SaveQuoteRequest request = quoteRequest();
        const int before = server().counts().quotes;
        // Qt re-sends once by itself when a reused connection closes: cover the resend too.
        server().injectFault({"POST", QStringLiteral("/api/quotes"), kind, 30, 2});
        QVERIFY(describe(settle(CheckoutAPI::saveQuote(m_api, request)).error).startsWith(seen));
        server().clearFaults();
        QCOMPARE(server().counts().quotes, before + (committed ? 1 : 0));
        const Quote retried = finish(CheckoutAPI::saveQuote(m_api, request));
        QCOMPARE(server().counts().quotes, before + 1);
        QVERIFY(server().quote(retried.id));
    }
};

QTEST_MAIN(TestStandinContract)
#include "tst_standin.moc"
