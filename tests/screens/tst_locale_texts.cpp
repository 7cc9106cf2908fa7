// What the screens show of numbers and dates, in the language in force: the
// same records in US English, Spanish of Spain and Spanish of the US.
#include "screens/checkout/CheckoutRules.h"
#include "screens/controls/Format.h"
#include "screens/customers/QuoteBrowserRules.h"
#include "screens/history/HistoryRules.h"
#include "screens/quote/QuoteEditorRules.h"
#include "workflow/CatalogSearch.h"

#include <QtTest>

using namespace vantrel;
using namespace vantrel::screens;

namespace {
struct DefaultLocale {
    explicit DefaultLocale(const QString &name) { QLocale::setDefault(QLocale(name)); }
    ~DefaultLocale() { QLocale::setDefault(before); }
    QLocale before;
};
// 2026-03-07 14:05 UTC.
constexpr double saturdayAfternoon = 1772892300;
} // namespace

class LocaleTexts : public QObject {
    Q_OBJECT
private slots:
    void recordsAsShown_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("lineQuantity");
        QTest::addColumn<QString>("stock");
        QTest::addColumn<QString>("taxLabel");
        QTest::addColumn<QString>("frozenCash");
        QTest::newRow("US English") << "en_US" << "3/7/26" << "2.5 \u00D7 $1,234.50" << "12,345 available"
                                    << "State \u00B7 8.25%" << "18.50";
        QTest::newRow("Spain: day first") << "es_ES" << "7/3/26" << "2,5 \u00D7 1234,50\u00A0US$"
                                          << "12.345 available" << "State \u00B7 8,25%" << "18,50";
        QTest::newRow("US Spanish: day first, four-digit year") << "es_US" << "7/3/2026" << "2.5 \u00D7 $1,234.50"
                                                                << "12,345 available" << "State \u00B7 8.25%" << "18.50";
    }
    void recordsAsShown()
    {
        QFETCH(QString, locale);
        QFETCH(QString, day);
        const DefaultLocale language(locale);
        QTEST(dateText(saturdayAfternoon, displayLocale(), QTimeZone::utc()), "day");
        QTEST(Format().date(QDateTime::fromSecsSinceEpoch(qint64(saturdayAfternoon), QTimeZone::utc())), "day");
        QuoteInvoice invoice;
        invoice.dueDate = QStringLiteral("2026-03-07");
        QCOMPARE(dueText(invoice), QStringLiteral("Due ") + day);
        // A due day the server wrote some other way is shown as sent.
        invoice.dueDate = QStringLiteral("next Friday");
        QCOMPARE(dueText(invoice), QStringLiteral("Due next Friday"));

        QuoteLine line;
        line.quantity = QStringLiteral("2.5");
        line.rate = QStringLiteral("1234.5");
        QTEST(lineQuantityText(line, QStringLiteral("USD")), "lineQuantity");
        Product product;
        product.stock = QStringLiteral("12345");
        QTEST(stockLine(product), "stock");
        QTEST(taxOptions({Tax{QStringLiteral("t1"), QStringLiteral("State"), QStringLiteral("8.25")}}).at(1).label,
              "taxLabel");
        // A stored cash checkout shows its cash the locale's way and still
        // reads back as the same cents.
        CheckoutRequest pending;
        pending.tender = QStringLiteral("cash");
        pending.cashCents = 1850;
        const QString cash = frozenChoices(pending).cash;
        QTEST(cash, "frozenCash");
        QCOMPARE(changeDueCents(cash, 1000), qint64(850));
    }
};

QTEST_GUILESS_MAIN(LocaleTexts)
#include "tst_locale_texts.moc"
