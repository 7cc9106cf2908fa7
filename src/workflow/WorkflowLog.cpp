#include "WorkflowLog.h"

#include "records/Errors.h"

namespace vantrel {
Q_LOGGING_CATEGORY(lcWorkflow, "vantrel.workflow")

RecoveryOutcome recoveryOutcomeOf(const std::exception_ptr &failure)
{
    return notCreated(createOutcome(failure)) ? RecoveryOutcome::refused : RecoveryOutcome::unknown;
}

void logRecovery(const char *kind, const QString &requestId, RecoveryOutcome outcome)
{
    switch (outcome) {
    case RecoveryOutcome::found:
        qCInfo(lcWorkflow).noquote() << kind << "request" << requestId << "recovered: the server had made it";
        break;
    case RecoveryOutcome::notFound:
        qCInfo(lcWorkflow).noquote() << kind << "request" << requestId
                                     << "recovered: the server never made it";
        break;
    case RecoveryOutcome::refused:
        qCWarning(lcWorkflow).noquote() << kind << "request" << requestId << "refused; dropped";
        break;
    case RecoveryOutcome::unknown:
        qCWarning(lcWorkflow).noquote() << kind << "request" << requestId << "outcome still unknown; kept";
        break;
    }
}

} // namespace vantrel
