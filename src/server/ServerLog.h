#pragma once
// The server layer's log: failed requests and refused replies, named by
// method, path and status only. Headers, queries and bodies carry tokens and
// customers' details, so they never reach it.

#include <QLoggingCategory>

namespace vantrel {
Q_DECLARE_LOGGING_CATEGORY(lcServer)
} // namespace vantrel
