// The quote browser's decisions: a row's checkout line, which quotes match
// the search, when a saved quote may be put into the workspace, and what the
// payment section says.
#include "screens/customers/QuoteBrowserRules.h"

#include <QTest>

using namespace vantrel;
using namespace vantrel::screens;
namespace bt = browserText;

namespace {

Quote sentQuote()
{
    Quote quote;
    quote.id = QStringLiteral("q-1");
    quote.number = QStringLiteral("QT-010023");
    quote.status = QStringLiteral("sent");
    quote.total = QStringLiteral("120.5");
    quote.currency = QStringLiteral("EUR");
    return quote;
}

CheckoutTransaction transactionIn(const QString &status)
{
    CheckoutTransaction tx;
    tx.id = QStringLiteral("tx-1");
    tx.status = status;
    return tx;
}

QuotePaymentSummary summary(const QString &status, std::optional<QString> balance, bool squareConfirmed)
{
    QuotePaymentSummary s;
    s.status = status;
    s.label = status == QLatin1String("paid") ? QStringLiteral("Paid") : QStringLiteral("Payment in progress");
    s.balance = std::move(balance);
    s.currency = QStringLiteral("EUR");
    s.checkedAt = 1700000000;
    if (squareConfirmed) s.squarePaymentConfirmed = true;
    return s;
}

} // namespace

class QuoteBrowserRulesTest : public QObject {
    Q_OBJECT
private slots:
    void checkoutLine_data();
    void checkoutLine();
    void matching_data();
    void matching();
    void useSavedQuote_data();
    void useSavedQuote();
    void paymentSection_data();
    void paymentSection();
    void emptySearchLooksNothingUp();
};

void QuoteBrowserRulesTest::checkoutLine_data()
{
    QTest::addColumn<QString>("status"); // empty: no transaction
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("invoiceNumber");
    QTest::addColumn<QString>("squareInvoiceNumber");
    QTest::addColumn<QString>("expected");

    const QString terminal = QString::fromLatin1(route::squareTerminal);
    const QString reg = QString::fromLatin1(route::squareRegister);
    const QString complete = QString::fromLatin1(status::complete);
    QTest::newRow("no checkout") << "" << false << terminal << "" << "" << "";
    QTest::newRow("own live checkout") << "awaiting_payment" << false << terminal << "" << "" << "";
    QTest::newRow("canceled") << "canceled" << false << terminal << "INV-7" << "" << "";
    QTest::newRow("locked, live") << "awaiting_payment" << true << terminal << "" << "" << bt::managedElsewhere.toString();
    QTest::newRow("locked, complete") << complete << true << reg << "INV-7" << "0042"
                                      << bt::completeManagedElsewhere.toString();
    QTest::newRow("complete, invoice") << complete << false << terminal << "INV-7" << "0042"
                                       << "Checkout complete \u00B7 Invoice INV-7";
    QTest::newRow("complete on the register") << complete << false << reg << "INV-7" << "0042"
                                              << "Checkout complete \u00B7 Square invoice 0042";
    // The register names its own document; the accounting one does not stand in for it.
    QTest::newRow("register, no square number") << complete << false << reg << "INV-7" << "" << "Checkout complete";
    QTest::newRow("no document number") << complete << false << terminal << "" << "0042" << "Checkout complete";
    QTest::newRow("blank document number") << complete << false << terminal << "  " << "" << "Checkout complete";
}

void QuoteBrowserRulesTest::checkoutLine()
{
    QFETCH(QString, status);
    QFETCH(bool, locked);
    QFETCH(QString, route);
    QFETCH(QString, invoiceNumber);
    QFETCH(QString, squareInvoiceNumber);
    Quote quote = sentQuote();
    if (!status.isEmpty()) {
        quote.transaction = transactionIn(status);
        if (!invoiceNumber.isEmpty()) quote.transaction->invoiceNumber = invoiceNumber;
        if (!squareInvoiceNumber.isEmpty()) quote.transaction->squareInvoiceNumber = squareInvoiceNumber;
    }
    if (locked) quote.checkoutReadOnly = true;
    QTEST(screens::checkoutLine(quote, route), "expected");
}

void QuoteBrowserRulesTest::matching_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("matches");
    QTest::newRow("blank") << "   " << true;
    QTest::newRow("number, other case") << "qt-0100" << true;
    QTest::newRow("status") << " SENT " << true;
    QTest::newRow("customer name is not searched") << "Ada" << false;
}

void QuoteBrowserRulesTest::matching()
{
    QFETCH(QString, search);
    Quote quote = sentQuote();
    quote.customerName = QStringLiteral("Ada Lovelace");
    QTEST(quoteMatches(quote, search), "matches");
}

void QuoteBrowserRulesTest::useSavedQuote_data()
{
    QTest::addColumn<QString>("variant");
    QTest::addColumn<bool>("loading");
    QTest::addColumn<bool>("editingLocked");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("sent") << "sent" << false << false << true;
    QTest::newRow("expired") << "expired" << false << false << true;
    QTest::newRow("canceled checkout") << "canceledCheckout" << false << false << true;
    QTest::newRow("invoiced") << "invoiced" << false << false << false;
    QTest::newRow("status in capitals") << "Sent" << false << false << false;
    QTest::newRow("live checkout") << "liveCheckout" << false << false << false;
    QTest::newRow("paid invoices, no transaction") << "paidInvoices" << false << false << false;
    QTest::newRow("managed by another user") << "readOnly" << false << false << false;
    QTest::newRow("while loading") << "sent" << true << false << false;
    QTest::newRow("workspace locked") << "sent" << false << true << false;
}

void QuoteBrowserRulesTest::useSavedQuote()
{
    QFETCH(QString, variant);
    QFETCH(bool, loading);
    QFETCH(bool, editingLocked);
    Quote quote = sentQuote();
    if (variant == QLatin1String("canceledCheckout")) quote.transaction = transactionIn(QStringLiteral("canceled"));
    else if (variant == QLatin1String("liveCheckout")) quote.transaction = transactionIn(QStringLiteral("awaiting_payment"));
    else if (variant == QLatin1String("readOnly")) quote.checkoutReadOnly = true;
    else if (variant == QLatin1String("paidInvoices")) {
        QuotePaymentSummary paid = summary(QStringLiteral("paid"), QStringLiteral("0.00"), false);
        paid.invoices.append(QuoteInvoice{QStringLiteral("i-1"), QStringLiteral("INV-7"), QStringLiteral("paid"),
                                          QStringLiteral("120.5"), QStringLiteral("0"), QStringLiteral("EUR"), {}, {}});
        quote.paymentSummary = paid;
    } else quote.status = variant;
    QTEST(useQuoteEnabled(quote, loading, false, editingLocked), "enabled");
}

void QuoteBrowserRulesTest::paymentSection_data()
{
    QTest::addColumn<QString>("summaryStatus"); // empty: no summary
    QTest::addColumn<bool>("loading");
    QTest::addColumn<bool>("squareConfirmed");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("balance");
    QTest::addColumn<QString>("squareNote");

    QTest::newRow("loading") << "paid" << true << false << bt::checkingInvoices.toString() << "" << "" << "";
    QTest::newRow("no summary") << "" << false << false << bt::paymentUnavailable.toString() << "" << "" << "";
    QTest::newRow("pending, balance in the record's currency")
        << "pending" << false << false << "" << "doc.text" << QString::fromUtf8("€120.50") << "";
    QTest::newRow("paid: no outstanding balance") << "paid" << false << false << "" << "checkmark.circle.fill" << ""
                                                 << "";
    QTest::newRow("square paid, books not yet") << "pending" << false << true << "" << "doc.text"
                                                << QString::fromUtf8("€120.50") << bt::paidInSquare.toString();
    QTest::newRow("square paid and books paid") << "paid" << false << true << "" << "checkmark.circle.fill" << ""
                                                << "";
}

void QuoteBrowserRulesTest::paymentSection()
{
    QFETCH(QString, summaryStatus);
    QFETCH(bool, loading);
    QFETCH(bool, squareConfirmed);
    QFETCH(QString, placeholder);
    Quote quote = sentQuote();
    if (!summaryStatus.isEmpty()) quote.paymentSummary = summary(summaryStatus, QStringLiteral("120.5"), squareConfirmed);
    const PaymentSection section = screens::paymentSection(quote, loading, "en_US");
    QCOMPARE(section.placeholder, placeholder);
    QTEST(section.symbol, "symbol");
    QTEST(section.balance, "balance");
    QCOMPARE(section.squareConfirmed, squareConfirmed && placeholder.isEmpty());
    QTEST(section.squareNote, "squareNote");
    QCOMPARE(section.checked.isEmpty(), !placeholder.isEmpty());
}

// An empty or blank search shows the prompt even while an old reply or
// failure is still held: nothing is looked up for it.
void QuoteBrowserRulesTest::emptySearchLooksNothingUp()
{
    const ListState prompt{ListState::Kind::Text, bt::selectCustomer.toString()};
    QCOMPARE(customerListState(QStringLiteral("  "), true, QStringLiteral("offline"), 3), prompt);
    QCOMPARE(customerListState(QStringLiteral("ada"), false, QStringLiteral("offline"), 0).kind,
             ListState::Kind::Failure);
}

QTEST_GUILESS_MAIN(QuoteBrowserRulesTest)
#include "tst_quote_browser_rules.moc"
