// Exact money arithmetic: cents, decimal grammar, currency text.
#include "records/Money.h"
#include "records/Quote.h"

#include <QtTest>

using namespace vantrel;

class TestMoney : public QObject {
    Q_OBJECT
private slots:
    void cents_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("half rounds away from zero") << "10.005" << qint64(1001);
        QTest::newRow("no binary error") << "19.99" << qint64(1999);
        QTest::newRow("binary trap") << "0.29" << qint64(29);
        QTest::newRow("negative half") << "-10.005" << qint64(-1001);
        QTest::newRow("below half") << "10.0049" << qint64(1000);
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("text") << "abc" << qint64(0);
        QTest::newRow("comma is not a separator") << "1,5" << qint64(0);
        QTest::newRow("exponent") << "1.5e2" << qint64(15000);
        QTest::newRow("large") << "100000000.00" << qint64(10000000000);
        // Tiny amounts drop more digits than 128 bits can divide by at once.
        QTest::newRow("tiny") << "1.05e-72" << qint64(0);
        QTest::newRow("tiny negative") << "-9e-76" << qint64(0);
        QTest::newRow("just under half a cent") << "0.00499999999999999999999999999999999999" << qint64(0);
    }
    void cents()
    {
        QFETCH(QString, amount);
        QTEST(vantrel::cents(amount), "expected");
    }

    void decimalGrammar_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("normalized");
        QTest::newRow("integer") << "2" << true << "2";
        QTest::newRow("fraction") << "2.50" << true << "2.5";
        QTest::newRow("leading point") << ".5" << true << "0.5";
        QTest::newRow("trailing point") << "5." << true << "5";
        QTest::newRow("signed") << "-0.01" << true << "-0.01";
        QTest::newRow("zero fraction") << "0.000" << true << "0";
        QTest::newRow("spaces") << " 5" << false << "";
        QTest::newRow("two points") << "1.2.3" << false << "";
        QTest::newRow("grouping") << "1,000" << false << "";
        QTest::newRow("sign only") << "-" << false << "";
        QTest::newRow("suffix") << "12abc" << false << "";
        QTest::newRow("percent") << "10%" << false << "";
        QTest::newRow("arabic digits") << QString::fromUtf8("\u0661\u0662") << false << "";
        QTest::newRow("huge exponent") << "1e99999" << false << "";
    }
    void decimalGrammar()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QString, normalized);
        const auto d = Decimal::parse(text);
        QCOMPARE(d.has_value(), valid);
        if (valid) QCOMPARE(d->toString(), normalized);
    }

    void arithmetic_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QString>("product");
        QTest::newRow("quantity plus one") << "2.5" << "1" << "3.5" << "2.5";
        QTest::newRow("price times quantity") << "3.50" << "2" << "5.5" << "7";
        QTest::newRow("tenths") << "0.1" << "0.2" << "0.3" << "0.02";
        QTest::newRow("negatives") << "-1.25" << "0.25" << "-1" << "-0.3125";
        // Past 38 digits a result is flagged, never wrapped: the sum of two
        // 38-digit amounts must not pass 128 bits on the way.
        const QString nines(38, u'9');
        QTest::newRow("sum past 128 bits") << nines << nines << "NaN" << "NaN";
    }
    void arithmetic()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, sum);
        const Decimal x = *Decimal::parse(a), y = *Decimal::parse(b);
        QCOMPARE((x + y).toString(), sum);
        QTEST((x * y).toString(), "product");
        if (sum != QLatin1String("NaN")) QVERIFY(x + y == *Decimal::parse(sum));
    }

    void moneyText_data()
    {
        QTest::addColumn<Decimal>("amount");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("expected");
        const auto text = [](const char *amount) { return Decimal::parseOrZero(QString::fromLatin1(amount)); };
        QTest::newRow("plain") << text("234.5") << "USD" << "$234.50";
        QTest::newRow("grouping") << text("1234567.5") << "USD" << "$1,234,567.50";
        QTest::newRow("unparsable is zero") << text("n/a") << "USD" << "$0.00";
        QTest::newRow("halves to even like the platform formatter") << text("0.125") << "USD" << "$0.12";
        QTest::newRow("record without a currency is in dollars") << text("5") << " " << "$5.00";
        QTest::newRow("the record's own currency") << text("120.5") << "EUR" << QString::fromUtf8("\u20AC120.50");
        QTest::newRow("bad currency") << text("5") << "??" << QString::fromUtf8("$\u2014");
        QTest::newRow("overflow reads as zero") << text("99999999999999999999999999999999999999") * Decimal(10)
                                                << "USD" << "$0.00";
        // Binary floating point would show these as ...44, ...46 or ...0499.
        QTest::newRow("cents, no binary error") << Decimal::fromCents(123456789012345) << "USD"
                                                << "$1,234,567,890,123.45";
        QTest::newRow("negative cents") << Decimal::fromCents(-5) << "USD" << "-$0.05";
    }
    void moneyText()
    {
        QFETCH(Decimal, amount);
        QFETCH(QString, currency);
        QTEST(vantrel::moneyText(amount, currency, "en_US"), "expected");
    }

    void lineFromProduct()
    {
        Product p{.id = "9", .name = "Filler", .sku = "F3", .description = "d", .rate = "0", .stock = {},
                  .composite = false, .stockSource = "", .taxId = "t2", .category = "Misc"};
        const QuoteLine a = QuoteLine::fromProduct(p), b = QuoteLine::fromProduct(p);
        QCOMPARE(a.taxId, QStringLiteral("t2"));
        QCOMPARE(a.id.size(), 36);
        QVERIFY(a.id != b.id);
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
