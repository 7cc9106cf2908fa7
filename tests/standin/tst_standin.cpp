// What the client relies on from the stand-in server, spoken through the
// client's own calls: copies in flight make one record, the checkout moves
// through its states, and the fault controls do what the fault tests assume.

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

    // Many copies of one request in flight at once make one record. (A copy
    // sent again after its reply was lost, a changed body under a used id and
    // a late request that a recovery fenced are tst_fault_matrix's rows.)
    void concurrentCopiesMakeOneRecord()
    {
        const int quotes = server().counts().quotes;
        QList<std::shared_ptr<Outcome<Quote>>> copies;
        const SaveQuoteRequest racing = quoteRequest();
        for (int i = 0; i < 8; ++i) copies.append(start(CheckoutAPI::saveQuote(m_api, racing)));
        QTRY_VERIFY(std::all_of(copies.cbegin(), copies.cend(), [](const auto &c) { return c->done; }));
        for (const auto &copy : copies) QCOMPARE(copy->value->id, copies.first()->value->id);
        QCOMPARE(server().counts().quotes, quotes + 1);
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
        // One live checkout per quote, and no revision while it pays: tst_fault_matrix's refusals.

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
