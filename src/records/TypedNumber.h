#pragma once
// Numbers as people read and type them in their own language, and the plain
// form ("1234.50", "." as the only mark) the workspace keeps and the server
// takes. Every reader and writer here follows the locale in force when it is
// called (the language can change while the app runs), and none goes through
// binary floating point.

#include "Money.h"

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

namespace vantrel {

// A number as typed: the locale's decimal mark and grouping ("1.234,5" in
// Spain), the plain form ("1234.5") in any locale, a sign, spaces. Answers the
// plain form with the digits kept as typed ("1.234,50" -> "1234.50"), or
// nothing when the text reads no way. A lone separator followed by exactly
// three digits is read the locale's way: "1.234" is 1234 in Spain and 1.234
// in the US.
std::optional<QString> readTypedNumber(QStringView text, const QLocale &locale = displayLocale());

// A plain number written with the locale's decimal mark and no grouping, for
// a field that is edited ("1234.5" -> "1234,5" in Spain), so that the text
// reads back as the same number in that locale. Other text comes back as it is.
QString editableNumber(const QString &plain, const QLocale &locale = displayLocale());

// A plain number as the locale shows it, grouping included ("1234567.5" ->
// "1.234.567,5" in Spain), with its digits exactly. Other text comes back as
// it is: what a server sent is never hidden.
QString numberText(const QString &plain, const QLocale &locale = displayLocale());

// What the workspace keeps for a typed quantity, price, discount or amount:
// the plain form when the text reads as a number (a trailing "%" kept),
// otherwise the text exactly as typed, so that nothing typed is lost and the
// checks beside the field can say what is wrong with it.
QString heldNumber(const QString &typed, const QLocale &locale = displayLocale());
// The held text as a field shows it in the locale ("10.5%" -> "10,5%").
QString heldNumberText(const QString &held, const QLocale &locale = displayLocale());

} // namespace vantrel
