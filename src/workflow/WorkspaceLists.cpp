#include "WorkspaceLists.h"

#include "CatalogSearch.h"
#include "QuoteValidation.h"

#include "records/Money.h"

#include <QDateTime>

#include <cmath>

#include <QCoreApplication>

namespace vantrel {

namespace {

template <class T> using Roles = QList<typename RecordListModel<T>::Role>;

QVariant optionalText(const std::optional<QString> &text) { return text.value_or(QString()); }

QString createdText(double seconds)
{
    // The time comes from the server or a file: one no clock can show (not
    // finite, or past about 275,000 years, where milliseconds leave qint64)
    // shows nothing rather than converting out of range.
    constexpr double limit = 8.64e12;
    if (!std::isfinite(seconds) || std::fabs(seconds) > limit) return {};
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(qint64(std::llround(seconds * 1000.0)));
    return displayLocale().toString(at, QLocale::ShortFormat);
}

} // namespace

ProductListModel *makeProductList(QObject *parent)
{
    Roles<Product> roles{
        {"productId", [](const Product &p) { return QVariant(p.id); }},
        {"name", [](const Product &p) { return QVariant(p.name); }},
        {"sku", [](const Product &p) { return QVariant(p.sku); }},
        {"description", [](const Product &p) { return QVariant(p.description); }},
        {"category", [](const Product &p) { return QVariant(p.category); }},
        {"rate", [](const Product &p) { return QVariant(p.rate); }},
        {"priceText", [](const Product &p) { return QVariant(moneyText(Decimal::parseOrZero(p.rate))); }},
        {"hasStock", [](const Product &p) { return QVariant(p.stock.has_value()); }},
        {"stock", [](const Product &p) { return optionalText(p.stock); }},
        {"stockSource", [](const Product &p) { return QVariant(p.stockSource); }},
        {"composite", [](const Product &p) { return QVariant(p.composite); }},
        {"imagePath", [](const Product &p) { return optionalText(p.imagePath); }},
        {"imageVersion", [](const Product &p) { return optionalText(p.imageVersion); }},
        {"assembled", [](const Product &p) { return QVariant(isAssembled(p)); }},
        {"stockLine", [](const Product &p) { return QVariant(stockLine(p)); }},
        {"compositeStockLine", [](const Product &p) { return QVariant(compositeStockLine(p)); }},
        {"addLabel",
         [](const Product &p) {
             return QVariant(QCoreApplication::translate("Catalog", "Add %1, %2")
                                 .arg(p.name, moneyText(Decimal::parseOrZero(p.rate))));
         }},
    };
    return new ProductListModel(roles, parent);
}

TaxListModel *makeTaxList(QObject *parent)
{
    Roles<Tax> roles{
        {"taxId", [](const Tax &t) { return QVariant(t.id); }},
        {"name", [](const Tax &t) { return QVariant(t.name); }},
        {"percentage", [](const Tax &t) { return QVariant(t.percentage); }},
    };
    return new TaxListModel(roles, parent);
}

CustomerListModel *makeCustomerList(QObject *parent)
{
    Roles<Customer> roles{
        {"customerId", [](const Customer &c) { return QVariant(c.id); }},
        {"name", [](const Customer &c) { return QVariant(c.name); }},
        {"email", [](const Customer &c) { return QVariant(c.email); }},
        {"phone", [](const Customer &c) { return QVariant(c.phone); }},
    };
    return new CustomerListModel(roles, parent);
}

QuoteListModel *makeQuoteList(QObject *parent)
{
    Roles<Quote> roles{
        {"quoteId", [](const Quote &q) { return QVariant(q.id); }},
        {"number", [](const Quote &q) { return QVariant(q.number); }},
        {"status", [](const Quote &q) { return QVariant(q.status); }},
        {"customerName", [](const Quote &q) { return QVariant(q.customerName); }},
        {"totalText",
         [](const Quote &q) { return QVariant(moneyText(Decimal::parseOrZero(q.total), q.currency)); }},
        {"dealId", [](const Quote &q) { return QVariant(q.dealId); }},
        {"checkoutReadOnly", [](const Quote &q) { return QVariant(q.checkoutReadOnly.value_or(false)); }},
        {"transactionStatus",
         [](const Quote &q) { return QVariant(q.transaction ? q.transaction->status : QString()); }},
        {"transactionLabel",
         [](const Quote &q) { return QVariant(q.transaction ? q.transaction->statusLabel() : QString()); }},
        {"lineCount", [](const Quote &q) { return QVariant(int(q.lines.size())); }},
    };
    return new QuoteListModel(roles, parent);
}

DealListModel *makeDealList(QObject *parent)
{
    Roles<Deal> roles{
        {"dealId", [](const Deal &d) { return QVariant(d.id); }},
        {"name", [](const Deal &d) { return QVariant(d.name); }},
        {"number", [](const Deal &d) { return QVariant(d.number); }},
        {"driveUrl", [](const Deal &d) { return QVariant(d.driveUrl); }},
        {"crmUrl", [](const Deal &d) { return QVariant(d.crmUrl); }},
    };
    return new DealListModel(roles, parent);
}

QuoteLineListModel *makeQuoteLineList(QObject *parent)
{
    Roles<QuoteLine> roles{
        {"lineId", [](const QuoteLine &l) { return QVariant(l.id); }},
        {"itemId", [](const QuoteLine &l) { return QVariant(l.itemId); }},
        {"sku", [](const QuoteLine &l) { return QVariant(l.sku); }},
        {"name", [](const QuoteLine &l) { return QVariant(l.name); }},
        {"description", [](const QuoteLine &l) { return QVariant(l.description); }},
        {"quantity", [](const QuoteLine &l) { return QVariant(l.quantity); }},
        {"rate", [](const QuoteLine &l) { return QVariant(l.rate); }},
        {"discount", [](const QuoteLine &l) { return QVariant(l.discount); }},
        {"taxId", [](const QuoteLine &l) { return QVariant(l.taxId); }},
        {"amountText", [](const QuoteLine &l) { return QVariant(moneyText(lineNetAmount(l))); }},
        {"problem", [](const QuoteLine &l) { return QVariant(lineProblem(l).value_or(QString())); }},
    };
    return new QuoteLineListModel(roles, parent);
}

TransactionListModel *makeTransactionList(QObject *parent)
{
    Roles<CheckoutTransaction> roles{
        {"transactionId", [](const CheckoutTransaction &t) { return QVariant(t.id); }},
        {"quoteNumber", [](const CheckoutTransaction &t) { return QVariant(t.quoteNumber); }},
        {"status", [](const CheckoutTransaction &t) { return QVariant(t.status); }},
        {"statusLabel", [](const CheckoutTransaction &t) { return QVariant(t.statusLabel()); }},
        {"tender", [](const CheckoutTransaction &t) { return QVariant(t.tender); }},
        {"amountText",
         [](const CheckoutTransaction &t) { return QVariant(moneyText(Decimal::fromCents(t.amountCents))); }},
        {"hold", [](const CheckoutTransaction &t) { return QVariant(t.hold); }},
        {"createdText", [](const CheckoutTransaction &t) { return QVariant(createdText(t.created)); }},
    };
    return new TransactionListModel(roles, parent);
}

ArchivedRequestListModel *makeArchivedRequestList(QObject *parent)
{
    Roles<ArchivedWorkspaceRequest> roles{
        {"entryId", [](const ArchivedWorkspaceRequest &a) { return QVariant(a.id); }},
        {"customerName",
         [](const ArchivedWorkspaceRequest &a) {
             return QVariant(a.draft.customer ? a.draft.customer->name : QString());
         }},
        {"quoteNumber", [](const ArchivedWorkspaceRequest &a) { return QVariant(a.draft.sourceNumber); }},
        {"lineCount", [](const ArchivedWorkspaceRequest &a) { return QVariant(int(a.draft.lines.size())); }},
        {"transactionStatus",
         [](const ArchivedWorkspaceRequest &a) {
             return QVariant(a.transaction ? a.transaction->status : QString());
         }},
        {"transactionLabel",
         [](const ArchivedWorkspaceRequest &a) {
             return QVariant(a.transaction ? a.transaction->statusLabel() : QString());
         }},
        {"createdText", [](const ArchivedWorkspaceRequest &a) { return QVariant(createdText(a.created)); }},
    };
    return new ArchivedRequestListModel(roles, parent);
}

} // namespace vantrel
