#pragma once
// The workflow layer's log: what restoring and resetting the workspace made
// of its files. Never a draft's content: it holds customers' details.

#include <QLoggingCategory>

namespace vantrel {
Q_DECLARE_LOGGING_CATEGORY(lcWorkflow)
} // namespace vantrel
