// Where the quote number grammar differs from plain decimals, the save checks, the quantity
// step of the catalog's add button and the account-derived texts.
#include "records/Uuid.h"
#include "workflow/CheckoutModel.h"
#include "workflow/QuoteValidation.h"
#include "workflow/WorkspaceParts.h"

#include <QTest>

using namespace vantrel;

class QuoteValidationTest : public QObject {
    Q_OBJECT

private slots:
    void numberGrammar_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value"); // empty: refused
        QTest::newRow("fraction") << "2.50" << "2.5";
        QTest::newRow("plus") << "+3" << "3";
        QTest::newRow("comma") << "1,5" << "";
        QTest::newRow("trailing text") << "10abc" << "";
        QTest::newRow("too many digits") << QString(40, u'9') << "";
    }
    void numberGrammar()
    {
        QFETCH(QString, text);
        const std::optional<Decimal> parsed = parseQuoteNumber(text);
        QTEST(parsed ? parsed->toString() : QString(), "value");
    }

    // The server's own limits are checked here too, so a quote it would refuse is never sent.
    void saveChecks_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("shipping");
        QTest::addColumn<QString>("adjustment");
        QTest::addColumn<QString>("orderDiscount");
        QTest::addColumn<QString>("message"); // empty: the draft may be sent
        const QString line = QString::fromUtf8(messages::invalidLine);
        const QString discount = QString::fromUtf8(messages::invalidDiscount);
        const QString amounts = QString::fromUtf8(messages::invalidAmounts);
        QTest::newRow("valid") << "2" << "10.00" << "0" << "0" << "0" << "0" << "";
        QTest::newRow("quantity 0") << "0" << "10" << "0" << "0" << "0" << "0" << line;
        QTest::newRow("quantity exponent") << "1e2" << "10" << "0" << "0" << "0" << "0" << line;
        QTest::newRow("quantity 1,000,000") << "1000000" << "1" << "0" << "0" << "0" << "0" << "";
        QTest::newRow("quantity 2,000,000 (a scanned barcode)")
            << "2000000" << "1" << "0" << "0" << "0" << "0" << QString::fromUtf8(messages::quantityTooLarge);
        QTest::newRow("rate 0") << "1" << "0" << "0" << "0" << "0" << "0" << "";
        QTest::newRow("rate -0.01") << "1" << "-0.01" << "0" << "0" << "0" << "0" << line;
        QTest::newRow("rate over 1,000,000,000")
            << "1" << "1000000000.01" << "0" << "0" << "0" << "0" << QString::fromUtf8(messages::rateTooLarge);
        QTest::newRow("discount 10%") << "1" << "10" << "10%" << "0" << "0" << "0" << "";
        QTest::newRow("discount 100.5%") << "1" << "10" << "100.5%" << "0" << "0" << "0" << discount;
        QTest::newRow("discount the whole line") << "1" << "10" << "10" << "0" << "0" << "0" << "";
        QTest::newRow("discount over the line")
            << "1" << "10" << "150" << "0" << "0" << "0" << QString::fromUtf8(messages::discountOverLine);
        QTest::newRow("discount -5") << "1" << "10" << "-5" << "0" << "0" << "0" << discount;
        QTest::newRow("discount lone %") << "1" << "10" << "%" << "0" << "0" << "0" << discount;
        QTest::newRow("shipping empty") << "1" << "10" << "0" << "" << "0" << "0" << amounts;
        QTest::newRow("shipping over the limit") << "1" << "10" << "0" << "1000000001" << "0" << "0" << amounts;
        QTest::newRow("adjustment text") << "1" << "10" << "0" << "0" << "ten" << "0" << amounts;
        QTest::newRow("order discount empty") << "1" << "10" << "0" << "0" << "0" << "" << "";
        QTest::newRow("order discount 20%") << "1" << "10" << "0" << "0" << "0" << "20%" << "";
        QTest::newRow("order discount text")
            << "1" << "10" << "0" << "0" << "0" << "ten" << QString::fromUtf8(messages::invalidOrderDiscount);
        QTest::newRow("order discount 101%")
            << "1" << "10" << "0" << "0" << "0" << "101%" << QString::fromUtf8(messages::invalidOrderDiscount);
        // The other line is 5: 15 - 16 is below zero, 15 - 15 is not.
        QTest::newRow("adjustment makes the total negative")
            << "1" << "10" << "0" << "0" << "-16" << "0" << QString::fromUtf8(messages::negativeTotal);
        QTest::newRow("adjustment takes the total to zero") << "1" << "10" << "0" << "0" << "-15" << "0" << "";
        QTest::newRow("order discount over the total")
            << "1" << "10" << "0" << "0" << "0" << "15.01" << QString::fromUtf8(messages::negativeTotal);
    }
    void saveChecks()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, rate);
        QFETCH(QString, discount);
        QFETCH(QString, shipping);
        QFETCH(QString, adjustment);
        QFETCH(QString, orderDiscount);
        Draft draft = Draft::make();
        QuoteLine good;
        good.quantity = QStringLiteral("1");
        good.rate = QStringLiteral("5");
        good.discount = QStringLiteral("0");
        QuoteLine tested = good;
        tested.quantity = quantity;
        tested.rate = rate;
        tested.discount = discount;
        draft.lines = {good, tested};
        draft.shipping = shipping;
        draft.adjustment = adjustment;
        draft.discount = orderDiscount;
        QTEST(quoteValidationMessage(draft).value_or(QString()), "message");
        // A tax only adds to the total, so with a taxed line the server judges a negative total.
        draft.lines[0].taxId = QStringLiteral("tax");
        QFETCH(QString, message);
        const bool negative = message == QString::fromUtf8(messages::negativeTotal);
        QCOMPARE(quoteValidationMessage(draft).value_or(QString()), negative ? QString() : message);
    }

    // A line shows what it adds to the total: quantity times rate, less its own discount.
    void lineAmount_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("amount");
        QTest::newRow("no discount") << "2" << "10.50" << "0" << "21";
        QTest::newRow("10%") << "2" << "10.50" << "10%" << "18.9";
        QTest::newRow("amount") << "2" << "10.50" << "5" << "16";
        QTest::newRow("percent rounds to cents") << "3" << "3.33" << "15%" << "8.49";
        QTest::newRow("discount over the line") << "1" << "10" << "150" << "0";
        QTest::newRow("unreadable quantity") << "abc" << "10" << "0" << "0";
        QTest::newRow("unreadable discount") << "1" << "10" << "ten" << "10";
    }
    void lineAmount()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, rate);
        QFETCH(QString, discount);
        QuoteLine line;
        line.quantity = quantity;
        line.rate = rate;
        line.discount = discount;
        QFETCH(QString, amount);
        const Decimal net = lineNetAmount(line);
        QVERIFY2(net == *Decimal::parse(amount), qPrintable(net.toString()));
    }

    // Plus always; minus only above one; exact decimals written plainly.
    void quantityStep_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("plus");
        QTest::addColumn<QString>("minus");
        QTest::newRow("one stays at minus") << "1" << "2" << "1";
        QTest::newRow("unreadable counts as zero") << "abc" << "1" << "abc";
        QTest::newRow("fraction steps exactly") << "2.5" << "3.5" << "1.5";
        QTest::newRow("just above one") << "1.0000001" << "2.0000001" << "0.0000001";
        QTest::newRow("exponent written plainly") << "1e2" << "101" << "99";
        QTest::newRow("too long to step keeps the text")
            << "99999999999999999999999999999999999999" << "99999999999999999999999999999999999999"
            << "99999999999999999999999999999999999998";
    }
    void quantityStep()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, minus);
        QTEST(quantityPlusOne(quantity), "plus");
        QCOMPARE(quantityMinusOne(quantity), minus);
        QCOMPARE(canStepDown(quantity), minus != quantity);
    }

    void abortedCustomerReturnsToTheForm()
    {
        Draft draft = Draft::make();
        NewCustomerRequest sent{newUuidString(), "Ana", "Li", "5550102000", "ana@example.com", "C1", "10"};
        NewCustomerRequest other = sent;
        other.phone = QStringLiteral("5550102001");
        draft.pendingCustomer = sent;
        QVERIFY(!CustomersPart::clearAbortedCustomer(draft, other));
        QCOMPARE(draft.pendingCustomer, sent);

        // The form comes back whole under a new request id (tst_fault_matrix, the aborted rows).
        QVERIFY(CustomersPart::clearAbortedCustomer(draft, sent));
        QVERIFY(!draft.pendingCustomer && draft.customerDraft);
        NewCustomerRequest back = *draft.customerDraft;
        back.requestId = sent.requestId;
        QCOMPARE(back, sent);
    }

    void accountTexts_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("dailyImport");
        QTest::addColumn<QString>("notice");
        const QString registerText =
            QStringLiteral("Square Register setup needs to be completed before preparing invoices.");
        QTest::newRow("register, blank message") << "square_register" << "individual_zoho" << "  \n " << false
                                                 << registerText;
        QTest::newRow("message trimmed") << "square_register" << "native_square_summary" << "  Call us\n"
                                         << true << "Call us";
    }
    void accountTexts()
    {
        QFETCH(QString, route);
        QFETCH(QString, mode);
        QFETCH(QString, message);
        CheckoutModel model;
        Me account;
        account.paymentRoute = route;
        account.accountingMode = mode;
        account.paymentsSetupMessage = message;
        model.checkoutPart()->applyAccount(account);
        QTEST(model.checkoutPart()->usesDailySquareImport(), "dailyImport");
        QTEST(model.checkoutPart()->paymentsSetupNotice(), "notice");
    }
};

QTEST_GUILESS_MAIN(QuoteValidationTest)
#include "tst_quotes_validation.moc"
