// Numbers and money in the person's language: reading what is typed in a
// locale and in the plain form, writing numbers and money back in that
// locale, and following the language in force at the moment of the call.
#include "records/Money.h"
#include "records/TypedAmount.h"
#include "records/TypedNumber.h"

#include <QtTest>

using namespace vantrel;

namespace {
// Sets the app's language for the scope of a test and restores it after.
struct DefaultLocale {
    explicit DefaultLocale(const QString &name) { QLocale::setDefault(QLocale(name)); }
    ~DefaultLocale() { QLocale::setDefault(before); }
    QLocale before;
};
const QString none = QStringLiteral("(none)");
} // namespace

class TestTypedNumber : public QObject {
    Q_OBJECT
private slots:
    void readsTypedNumbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("plain");
        QTest::newRow("comma decimal in Spain") << "18,50" << "es_ES" << "18.50";
        QTest::newRow("point decimal in the US") << "18.50" << "en_US" << "18.50";
        QTest::newRow("plain form in Spain") << "18.50" << "es_ES" << "18.50";
        QTest::newRow("comma before cents in the US") << "18,50" << "en_US" << "18.50";
        QTest::newRow("plain form in US Spanish") << "1234.50" << "es_US" << "1234.50";
        QTest::newRow("1.234 groups in Spain") << "1.234" << "es_ES" << "1234";
        QTest::newRow("1.234 is a fraction in the US") << "1.234" << "en_US" << "1.234";
        QTest::newRow("1.234 is a fraction in US Spanish") << "1.234" << "es_US" << "1.234";
        QTest::newRow("1,234 is a fraction in Spain") << "1,234" << "es_ES" << "1.234";
        QTest::newRow("1,234 groups in the US") << "1,234" << "en_US" << "1234";
        QTest::newRow("Spanish grouping and decimals") << "12.345.678,9" << "es_ES" << "12345678.9";
        QTest::newRow("US grouping in Spain") << "1,234.5" << "es_ES" << "1234.5";
        QTest::newRow("Spanish grouping in the US is no number") << "1.234,5" << "en_US" << none;
        QTest::newRow("digits kept as typed") << "2,50" << "es_ES" << "2.50";
        QTest::newRow("trailing mark while typing") << "2." << "en_US" << "2";
        QTest::newRow("trailing comma while typing in Spain") << "2," << "es_ES" << none;
        QTest::newRow("leading mark") << ",5" << "es_ES" << "0.5";
        QTest::newRow("negative in Spain") << "-3,5" << "es_ES" << "-3.5";
        QTest::newRow("minus sign character") << "\u22123" << "en_US" << "-3";
        QTest::newRow("spaces") << " 1 234,5 " << "fr_FR" << "1234.5";
        QTest::newRow("broken grouping") << "1,23,4" << "en_US" << none;
        QTest::newRow("two decimal marks") << "1,2,3" << "es_ES" << none;
        QTest::newRow("exponent") << "1e3" << "en_US" << none;
        QTest::newRow("letters") << "abc" << "es_ES" << none;
        QTest::newRow("sign alone") << "-" << "en_US" << none;
        QTest::newRow("empty") << "" << "en_US" << none;
    }
    void readsTypedNumbers()
    {
        QFETCH(QString, typed);
        QFETCH(QString, locale);
        QTEST(readTypedNumber(typed, QLocale(locale)).value_or(none), "plain");
    }

    void heldAndShownInAField_data()
    {
        // What a quote field keeps for what is typed, and shows for what it keeps.
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("shown");
        QTest::newRow("quantity in Spain") << "2,5" << "es_ES" << "2.5" << "2,5";
        QTest::newRow("quantity in the US") << "2.5" << "en_US" << "2.5" << "2.5";
        QTest::newRow("rate with grouping in Spain") << "1.234,50" << "es_ES" << "1234.50" << "1234,50";
        QTest::newRow("rate with grouping in the US") << "1,234.50" << "en_US" << "1234.50" << "1234.50";
        QTest::newRow("percent discount in Spain") << "12,5%" << "es_ES" << "12.5%" << "12,5%";
        QTest::newRow("percent discount in US Spanish") << "12.5 %" << "es_US" << "12.5%" << "12.5%";
        QTest::newRow("negative adjustment in Spain") << "-0,75" << "es_ES" << "-0.75" << "-0,75";
        QTest::newRow("unreadable text kept as typed") << "ten" << "es_ES" << "ten" << "ten";
        QTest::newRow("half-typed text kept as typed") << "2," << "es_ES" << "2," << "2,";
        QTest::newRow("empty stays empty") << "" << "en_US" << "" << "";
    }
    void heldAndShownInAField()
    {
        QFETCH(QString, typed);
        QFETCH(QString, locale);
        QFETCH(QString, held);
        const QLocale where(locale);
        QCOMPARE(heldNumber(typed, where), held);
        const QString shown = heldNumberText(held, where);
        QTEST(shown, "shown");
        // What the field shows reads back as what is kept, so leaving a
        // field never changes the number.
        QCOMPARE(heldNumber(shown, where), held);
    }

    void numbersAsShown_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("shown");
        QTest::newRow("US") << "1234.5" << "en_US" << "1,234.5";
        QTest::newRow("Spain groups from five digits") << "1234.5" << "es_ES" << "1234,5";
        QTest::newRow("Spain, millions") << "1234567.25" << "es_ES" << "1.234.567,25";
        QTest::newRow("US Spanish") << "1234.5" << "es_US" << "1,234.5";
        QTest::newRow("every digit kept") << "0.123456789" << "en_US" << "0.123456789";
        QTest::newRow("beyond double precision") << "12345678901234567.89" << "en_US"
                                                 << "12,345,678,901,234,567.89";
        QTest::newRow("negative") << "-2.5" << "es_ES" << "-2,5";
        QTest::newRow("server text that is no number") << "n/a" << "es_ES" << "n/a";
    }
    void numbersAsShown()
    {
        QFETCH(QString, plain);
        QFETCH(QString, locale);
        QTEST(numberText(plain, QLocale(locale)), "shown");
    }

    void moneyInTheLocale_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        // 1234.5 in Spain, the US and US Spanish: followsTheLanguageInForce.
        QTest::newRow("Spain, millions") << "1234567.5" << "USD" << "es_ES" << "1.234.567,50\u00A0US$";
        QTest::newRow("euros in Spain") << "18.5" << "EUR" << "es_ES" << "18,50\u00A0\u20AC";
        QTest::newRow("exact cents in Spain") << "1234567890123.45" << "USD" << "es_ES"
                                              << "1.234.567.890.123,45\u00A0US$";
        QTest::newRow("negative in US Spanish") << "-0.05" << "USD" << "es_US" << "-$0.05";
    }
    void moneyInTheLocale()
    {
        QFETCH(QString, amount);
        QFETCH(QString, currency);
        QFETCH(QString, locale);
        QTEST(moneyText(*Decimal::parse(amount), currency, locale.toLatin1()), "expected");
    }

    void followsTheLanguageInForce_data()
    {
        // The same calls, without a locale, after the language changed.
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("money");
        QTest::addColumn<qint64>("cashCents");
        QTest::addColumn<QString>("quantity");
        QTest::newRow("Spain") << "es_ES" << "1234,50\u00A0US$" << qint64(1850) << "1234,5";
        QTest::newRow("US English") << "en_US" << "$1,234.50" << qint64(1850) << "1,234.5";
        QTest::newRow("US Spanish") << "es_US" << "$1,234.50" << qint64(1850) << "1,234.5";
        QTest::newRow("POSIX reads as US English") << "C" << "$1,234.50" << qint64(1850) << "1,234.5";
        QTest::newRow("German groups from four digits") << "de_DE" << "1.234,50\u00A0$" << qint64(1850) << "1.234,5";
    }
    void followsTheLanguageInForce()
    {
        QFETCH(QString, locale);
        const DefaultLocale language(locale);
        QTEST(moneyText(*Decimal::parse(u"1234.5")), "money");
        // Cash typed the locale's way and the plain way read the same.
        const QString localeCash = QStringLiteral("18") + displayLocale().decimalPoint() + QStringLiteral("50");
        QTEST(typedCents(readTypedAmount(localeCash, cashReceivedLabel())), "cashCents");
        QTEST(typedCents(readTypedAmount(QStringLiteral("18.50"), cashReceivedLabel())), "cashCents");
        QTEST(numberText(QStringLiteral("1234.5")), "quantity");
        QCOMPARE(heldNumber(editableNumber(QStringLiteral("1234.5"))), QStringLiteral("1234.5"));
    }

    void ambiguousCash_data()
    {
        // One separator before three digits: grouping where "." groups, a
        // fraction of a cent (refused, with the reason) where it is the decimal mark.
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("cents");
        QTest::newRow("1.234 in Spain is a thousand and more") << "1.234" << "es_ES" << qint64(123400);
        QTest::newRow("1.234 in the US is refused") << "1.234" << "en_US" << qint64(-1);
        QTest::newRow("1,234 in the US is a thousand and more") << "1,234" << "en_US" << qint64(123400);
        QTest::newRow("1,234 in Spain is refused") << "1,234" << "es_ES" << qint64(-1);
        QTest::newRow("1.234,56 US$ in Spain") << "1.234,56 US$" << "es_ES" << qint64(123456);
        QTest::newRow("$1,234.56 in US Spanish") << "$1,234.56" << "es_US" << qint64(123456);
    }
    void ambiguousCash()
    {
        QFETCH(QString, typed);
        QFETCH(QString, locale);
        QFETCH(qint64, cents);
        const TypedAmount read = readTypedAmount(typed, cashReceivedLabel(), QLocale(locale));
        QCOMPARE(read.problem.isEmpty(), cents >= 0);
        if (cents >= 0) QCOMPARE(typedCents(read), cents);
        else QVERIFY2(read.problem.contains(QStringLiteral("decimal places")), qPrintable(read.problem));
    }
};

QTEST_GUILESS_MAIN(TestTypedNumber)
#include "tst_typed_number.moc"
