#pragma once
// What a person is told when a creating request (quote save, customer
// creation, checkout start) failed without a definite answer: the failure,
// that the request is kept on this device, and the action that finishes it.
// The actions' names are the buttons' own words, written here once.

#include <QString>
#include <QStringView>

#include <exception>

namespace vantrel {

namespace resumeAction {
inline constexpr QStringView resumeSavingQuote = u"Resume saving quote";
inline constexpr QStringView resumeCustomerCreation = u"Resume customer creation";
inline constexpr QStringView checkSavedRequest = u"Check saved request";
} // namespace resumeAction

// The failure's own text followed by the kept-request sentence; a thrown
// APIError keeps its status and code.
QString keptRequestText(const QString &failureText, QStringView action);
// Rethrows the failure with that text (a cancellation unchanged).
[[noreturn]] void rethrowKept(const std::exception_ptr &failure, QStringView action);

} // namespace vantrel
