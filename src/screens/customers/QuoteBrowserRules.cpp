#include "QuoteBrowserRules.h"

#include "screens/quote/QuoteEditorRules.h"

#include "records/Money.h"
#include "records/TypedNumber.h"
#include "workflow/QuoteValidation.h"

#include <QDateTime>

namespace vantrel::screens {

using namespace browserText;

namespace {
QString text(const UiText &view) { return view.toString(); }
} // namespace

ListState customerListState(const QString &search, bool loading, const std::optional<QString> &message,
                            qsizetype customers)
{
    if (search.trimmed().isEmpty()) return {ListState::Kind::Text, text(selectCustomer)};
    if (loading) return {ListState::Kind::Text, text(editorText::findingCustomers)};
    if (message) return {ListState::Kind::Failure, *message};
    if (customers == 0) return {ListState::Kind::Text, text(editorText::noCustomersFound)};
    return {};
}

ListState quoteListState(bool loading, const std::optional<QString> &message, qsizetype quotes,
                         qsizetype matching)
{
    if (loading) return {ListState::Kind::Text, text(loadingQuotes)};
    if (message) return {ListState::Kind::Failure, *message};
    if (quotes == 0) return {ListState::Kind::Text, text(noSavedQuotes)};
    if (matching == 0) return {ListState::Kind::Text, text(noMatchingQuotes)};
    return {};
}

bool quoteMatches(const Quote &quote, const QString &search)
{
    const QString wanted = search.trimmed();
    if (wanted.isEmpty()) return true;
    return quote.number.contains(wanted, Qt::CaseInsensitive) ||
           quote.status.contains(wanted, Qt::CaseInsensitive);
}

bool isLocked(const Quote &quote) { return quote.checkoutReadOnly.value_or(false); }

QString checkoutLine(const Quote &quote, const QString &paymentRoute)
{
    const bool complete = quote.transaction && quote.transaction->status == QLatin1String(status::complete);
    if (isLocked(quote)) return text(complete ? completeManagedElsewhere : managedElsewhere);
    if (!complete) return {};
    const CheckoutTransaction &tx = *quote.transaction;
    const bool onRegister = paymentRoute == QLatin1String(route::squareRegister);
    const QString number =
        (onRegister ? tx.squareInvoiceNumber : tx.invoiceNumber).value_or(QString()).trimmed();
    // A checkout closed without a document number says only that it is complete.
    if (number.isEmpty()) return text(checkoutComplete);
    const UiText &document = onRegister ? squareInvoicePrefix : invoicePrefix;
    return text(checkoutComplete) + text(documentSeparator) + text(document) + number;
}

bool isLiveCheckout(const std::optional<CheckoutTransaction> &transaction)
{
    return transaction && transaction->status != QLatin1String(status::complete) &&
           transaction->status != QLatin1String(status::canceled);
}

bool customerChangeNeedsConfirmation(const Draft &draft, const QString &customerId)
{
    if (!draft.customer || draft.customer->id == customerId) return false;
    return draft.saved.has_value() || draft.dirty;
}

bool useQuoteEnabled(const Quote &quote, bool loading, bool opening, bool editingLocked)
{
    return !loading && !opening && !editingLocked && quoteIsOpenable(quote);
}

PaymentSection paymentSection(const Quote &quote, bool loading, const QByteArray &locale)
{
    PaymentSection section;
    if (loading) {
        section.placeholder = text(checkingInvoices);
        return section;
    }
    if (!quote.paymentSummary) {
        section.placeholder = text(paymentUnavailable);
        return section;
    }
    const QuotePaymentSummary &summary = *quote.paymentSummary;
    const bool paid = summary.status == QLatin1String("paid");
    section.label = summary.label;
    section.symbol = paid ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("doc.text");
    const QString currency = summary.currency.trimmed().isEmpty() ? quote.currency : summary.currency;
    if (summary.balance && !paid)
        section.balance = moneyText(Decimal::parseOrZero(*summary.balance), currency, locale);
    section.squareConfirmed = summary.squarePaymentConfirmed.value_or(false);
    if (section.squareConfirmed && !paid) section.squareNote = text(paidInSquare);
    const QDateTime checked = QDateTime::fromMSecsSinceEpoch(qint64(summary.checkedAt * 1000.0));
    const QLocale shown = locale.isEmpty() ? displayLocale() : QLocale(QString::fromLatin1(locale));
    section.checked = text(checkedPrefix) + shown.toString(checked, QLocale::ShortFormat);
    section.warning = summary.warning.value_or(QString());
    return section;
}

QString dueText(const QuoteInvoice &invoice)
{
    const QString due = invoice.dueDate.trimmed();
    if (due.isEmpty()) return {};
    // The server writes the day as "2026-03-07"; anything else is shown as sent.
    const QDate day = QDate::fromString(due, Qt::ISODate);
    return text(duePrefix) + (day.isValid() ? displayLocale().toString(day, QLocale::ShortFormat) : due);
}

QString lineQuantityText(const QuoteLine &line, const QString &currency, const QByteArray &locale)
{
    const QLocale shown = locale.isEmpty() ? displayLocale() : QLocale(QString::fromLatin1(locale));
    return numberText(line.quantity, shown) + QStringLiteral(" \u00D7 ") +
           moneyText(Decimal::parseOrZero(line.rate), currency, locale);
}

} // namespace vantrel::screens
