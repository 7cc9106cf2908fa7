#include "Requests.h"
#include "Money.h"

#include <QRegularExpression>
#include <QCoreApplication>

namespace vantrel {

std::optional<QString> NewCustomerRequest::validationMessage() const
{
    const std::pair<const QString *, const char *> required[] = {
        {&firstName, QT_TRANSLATE_NOOP("Records", "First name is required.")},
        {&lastName, QT_TRANSLATE_NOOP("Records", "Last name is required.")},
        {&phone, QT_TRANSLATE_NOOP("Records", "Phone is required.")},
        {&email, QT_TRANSLATE_NOOP("Records", "Email is required.")}};
    for (const auto &[value, label] : required) {
        if (value->trimmed().isEmpty()) return QCoreApplication::translate("Records", label);
    }

    int digits = 0;
    for (const QChar c : phone)
        if (c.isNumber()) ++digits;
    if (digits < 7 || digits > 20)
        return QCoreApplication::translate("Records", "Enter a valid phone number.");

    static const QRegularExpression emailPattern(QStringLiteral("^[^\\s@]+@[^\\s@]+\\.[^\\s@]+$"));
    if (!emailPattern.match(email.trimmed()).hasMatch())
        return QCoreApplication::translate("Records", "Enter a valid email address.");

    if (!campaignId || campaignId->isEmpty())
        return QCoreApplication::translate("Records", "Select a campaign source.");

    static const QRegularExpression amountPattern(QStringLiteral("^[0-9]+(\\.[0-9]{1,2})?$"));
    const QString dealMessage =
        QCoreApplication::translate("Records", "Enter a deal amount with up to two decimal places.");
    if (!dealAmount || dealAmount->isEmpty() || !amountPattern.match(*dealAmount).hasMatch())
        return dealMessage;
    const auto amount = Decimal::parse(*dealAmount);
    if (!amount || *amount < Decimal(0) || Decimal(100000000) < *amount) return dealMessage;
    return std::nullopt;
}

void CheckoutRequestRecovery::validate(const CheckoutRequest &pending) const
{
    if (requestId != pending.requestId || quoteId != pending.quoteId)
        throw APIError{QCoreApplication::translate(
            "Records",
            "The server returned a different checkout request. Your saved request has been kept.")};
    if (state == QLatin1String("aborted") && safeToClear && !transaction) return;
    if (state == QLatin1String("transaction") && !safeToClear && transaction &&
        transaction->id == requestId && transaction->quoteId == quoteId)
        return;
    throw APIError{QCoreApplication::translate(
        "Records", "The payment status is not confirmed. Your saved request has been kept.")};
}

void CustomerRequestRecovery::validate(const NewCustomerRequest &pending) const
{
    if (requestId != pending.requestId)
        throw APIError{QCoreApplication::translate(
            "Records",
            "The server returned a different customer request. Your saved details have been kept.")};
    if (state == QLatin1String("aborted") && safeToClear && !customer && !deal) return;
    if (state == QLatin1String("completed") && !safeToClear && customer && deal && !customer->id.isEmpty() &&
        !deal->id.isEmpty() && !customer->accountId.isEmpty() && customer->accountId == deal->accountId)
        return;
    throw APIError{QCoreApplication::translate(
        "Records", "Customer creation could not be verified. Your saved details have been kept.")};
}

} // namespace vantrel
