#pragma once
// What the server holds after the soak, read from its own database: the
// records each request id made (customers, deals, quotes, checkouts), and
// the records that repeat a sale's work under another id.

#include "RecordingServer.h"
#include "Sale.h"

#include <QList>
#include <QSet>
#include <QStringList>

namespace soak {

struct AuditCounts {
    int ids = 0; // request ids of creating requests the server saw
    int mostRecordsPerId = 0; // of one kind, for one id
    int duplicates = 0; // records beyond the one a sale or a request id may make
    QSet<QString> paidMarkers; // sales whose quote has a completed checkout
    QStringList findings; // one line per duplicate

    AuditCounts &operator+=(const AuditCounts &other);
};

AuditCounts audit(const QString &databaseFile, const QList<vantrel::testing::Request> &requests,
                  const QList<SaleResult> &sales);

} // namespace soak
