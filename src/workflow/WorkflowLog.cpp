#include "WorkflowLog.h"

namespace vantrel {
Q_LOGGING_CATEGORY(lcWorkflow, "vantrel.workflow")
} // namespace vantrel
