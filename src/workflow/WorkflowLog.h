#pragma once
// The workflow layer's log: what restoring and resetting the workspace made
// of its files, and what became of a create request whose reply was lost.
// Never a draft's content: it holds customers' details.

#include <QLoggingCategory>

#include <exception>

namespace vantrel {
Q_DECLARE_LOGGING_CATEGORY(lcWorkflow)

// What asking again about an unanswered create request found out.
enum class RecoveryOutcome {
    // The server had made it: the workspace shows what it made.
    found,
    // It never arrived: the request is dropped, or sent again.
    notFound,
    // The server refused the request itself for good: it is dropped.
    refused,
    // Still no answer that can be trusted: the request is kept for the next try.
    unknown,
};
// The failure of a send or a recovery as an outcome: refused or unknown.
RecoveryOutcome recoveryOutcomeOf(const std::exception_ptr &failure);
// One line naming the kind of request ("customer", "checkout", "quote save")
// and its id; the only request detail a log line may hold.
void logRecovery(const char *kind, const QString &requestId, RecoveryOutcome outcome);
} // namespace vantrel
