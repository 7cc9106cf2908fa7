#pragma once
// Amounts as people type them on a sales floor: "$20", " 20 ", "1,234.50",
// or "18,50" where the comma is the decimal mark. Read exactly, never through
// binary floating point; what cannot be read says why.

#include "Money.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace vantrel {

struct TypedAmount {
    // The amount read; absent when the text is empty or could not be read.
    std::optional<Decimal> amount;
    // Why the text was not accepted; empty for an accepted or an empty text.
    QString problem;
    bool empty() const { return !amount && problem.isEmpty(); }
};

// Reads a non-negative amount of money in whole cents or less. Accepts the
// locale's decimal mark and grouping, the plain "1234.50" form, spaces, and a
// dollar sign or code before or after the number. `field` names the amount in
// the messages ("Cash received").
TypedAmount readTypedAmount(QStringView text, const QString &field, const QLocale &locale = displayLocale());

// The name of the cash taken at checkout, in the messages about it, in the
// person's language.
QString cashReceivedLabel();

// Whole cents of an accepted amount; 0 for anything else.
qint64 typedCents(const TypedAmount &typed);

} // namespace vantrel
