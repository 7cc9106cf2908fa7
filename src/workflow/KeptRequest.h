#pragma once
// What a person is told when a creating request (quote save, customer
// creation, checkout start) failed without a definite answer: the failure,
// that the request is kept on this device, and the action that finishes it.
// The actions' names are the buttons' own words, written here once.

#include <QString>
#include "records/UiText.h"

#include <QStringView>

#include <exception>

namespace vantrel {

namespace resumeAction {
inline constexpr UiText resumeSavingQuote{"Workspace", QT_TRANSLATE_NOOP("Workspace", "Resume saving quote")};
inline constexpr UiText resumeCustomerCreation{"Workspace",
                                               QT_TRANSLATE_NOOP("Workspace", "Resume customer creation")};
inline constexpr UiText checkSavedRequest{"Workspace", QT_TRANSLATE_NOOP("Workspace", "Check saved request")};
} // namespace resumeAction

// The failure's own text followed by the kept-request sentence; a thrown
// APIError keeps its status and code.
QString keptRequestText(const QString &failureText, const QString &action);
// Rethrows the failure with that text (a cancellation unchanged).
[[noreturn]] void rethrowKept(const std::exception_ptr &failure, const QString &action);

} // namespace vantrel
