#pragma once
// Shared set-up for the model tests: a model on a temporary storage folder,
// signed in locally without a server, and drafts with work in them.

#include "workflow/WorkspaceParts.h"
#include "records/Uuid.h"

#include <QFile>

namespace testsupport {

using namespace vantrel;

inline CheckoutModelServices productionServices(const QString &server)
{
    CheckoutModelServices services;
    services.build = CheckoutBuildConfiguration{false, server, server, QStringLiteral("vantrelcheckout")};
    return services;
}

// Signed in as the user without any network; the workspace files are read.
inline void signInLocally(CheckoutModel &model, const QString &server, const QString &user)
{
    model.setServer(server);
    model.adoptSession(Session{QStringLiteral("token-") + user, user, false});
}

inline Customer customer(const QString &id)
{
    return Customer{id, QStringLiteral("Customer ") + id, {}, {}, {}};
}

inline QuoteLine line(const QString &quantity, const QString &rate)
{
    QuoteLine l;
    l.id = newUuidString();
    l.itemId = QStringLiteral("item");
    l.name = QStringLiteral("Chair");
    l.quantity = quantity;
    l.rate = rate;
    l.discount = QStringLiteral("0");
    return l;
}

// A draft whose quote save went out and whose outcome is not known.
inline Draft draftWithPendingSave()
{
    Draft d = Draft::make();
    d.customer = customer(QStringLiteral("C1"));
    d.lines = {line(QStringLiteral("1"), QStringLiteral("10"))};
    SaveQuoteRequest request;
    request.requestId = d.requestId;
    request.customerId = QStringLiteral("C1");
    request.lines = d.lines;
    request.discount = request.shipping = request.adjustment = QStringLiteral("0");
    d.pendingSave = request;
    return d;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

} // namespace testsupport
