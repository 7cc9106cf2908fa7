#include "ServerLog.h"

namespace vantrel {
Q_LOGGING_CATEGORY(lcServer, "vantrel.server")
} // namespace vantrel
