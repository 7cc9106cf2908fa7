#include "Till.h"

#include "Sale.h"

#include <cstdio>

#include "workflow/WorkspaceParts.h"

using namespace vantrel;
using namespace vantrel::testing;

namespace soak {

namespace {

standin::StandinOptions shop(const QString &paymentRoute)
{
    standin::StandinOptions options;
    options.paymentRoute = paymentRoute;
    return options;
}

// What the person typed, as it must come back after a restart.
struct TypedWork {
    QStringList lines; // item and quantity
    QString notes;
    QString customerId;
    QString formEmail; // a customer being created, sent or not

    static TypedWork of(const Draft &draft)
    {
        TypedWork work;
        for (const QuoteLine &line : draft.lines) work.lines.append(line.itemId + QLatin1Char('x') + line.quantity);
        work.notes = draft.notes;
        if (draft.customer) work.customerId = draft.customer->id;
        if (draft.pendingCustomer) work.formEmail = draft.pendingCustomer->email;
        if (draft.customerDraft) work.formEmail = draft.customerDraft->email;
        return work;
    }
    // What `before` held that this no longer holds; empty when nothing went.
    QString missingFrom(const TypedWork &before) const
    {
        if (lines != before.lines) return QStringLiteral("lines %1 became %2").arg(before.lines.join(u','), lines.join(u','));
        if (notes != before.notes) return QStringLiteral("notes \"%1\" became \"%2\"").arg(before.notes, notes);
        if (!before.customerId.isEmpty() && customerId != before.customerId)
            return QStringLiteral("customer %1 became \"%2\"").arg(before.customerId, customerId);
        // A form sent before the kill may have become the customer it asked for.
        if (!before.formEmail.isEmpty() && formEmail != before.formEmail && customerId.isEmpty())
            return QStringLiteral("the new customer's form (%1) is gone").arg(before.formEmail);
        return {};
    }
};

} // namespace

Till::Till(quint64 seed, const QString &paymentRoute, std::chrono::milliseconds patience)
    : m_patience(patience), m_backend(shop(paymentRoute)), m_ws(m_backend), m_plan(seed)
{
    m_regulars = m_backend.server.customers();
    m_backend.front.setHandler([this](const Request &request) { return answer(request); });
    m_ws->api().setTimeout(m_patience);
    settle(m_ws->start());
}

std::optional<Reply> Till::answer(const Request &request)
{
    const Fault fault = m_plan.decide(request);
    if (fault == Fault::none) return std::nullopt;
    ++m_faultsMet[size_t(fault)];
    if (Sale::trace) std::fprintf(stderr, "  fault %d on %s\n", int(fault), qPrintable(requestKind(request)));
    const bool handled = fault == Fault::lostReply || fault == Fault::badGatewayAfterCommit ||
                         fault == Fault::slowReply || fault == Fault::killAfterCommit;
    Reply reply = handled ? Reply::from(m_backend.server.handle(request)) : Reply();
    if (fault == Fault::badGateway || fault == Fault::badGatewayAfterCommit) reply = Reply::badGateway();
    reply.drop = fault == Fault::lostReply || fault == Fault::resetBeforeArrival;
    reply.hold = fault == Fault::slowReply || fault == Fault::killBeforeArrival || fault == Fault::killAfterCommit;
    if (fault == Fault::killBeforeArrival || fault == Fault::killAfterCommit) m_killPending = true;
    return reply;
}

bool Till::waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    m_killed = false;
    const bool held = waitFor([&] { return m_killPending || condition(); }, timeoutMs);
    if (!m_killPending) return held && condition();
    restart();
    m_killed = true;
    return false;
}

void Till::restart()
{
    const TypedWork before = TypedWork::of(m_ws->draft());
    ++m_restarts;
    m_killPending = false;
    m_ws.open();
    // The killed app's connections are closed: what was held goes nowhere.
    releaseHeld();
    m_ws->api().setTimeout(m_patience);
    if (settle(m_ws->start(), operationLimitMs).error) {
        m_hung = true;
        qCritical("soak: the start after a restart did not end within %d ms", operationLimitMs);
    }
    const TypedWork after = TypedWork::of(m_ws->draft());
    QString missing = after.missingFrom(before);
    if (m_ws->restoreWarning()) missing = QStringLiteral("the workspace files were unreadable: ") + *m_ws->restoreWarning();
    if (!missing.isEmpty()) m_lostDrafts.append(missing);
}

void Till::hung(const QString &what)
{
    // A person facing a frozen screen closes the app; the sale goes on from
    // there, and the hang is reported with it.
    m_hung = true;
    qCritical("soak: %s did not end within %d ms; the app is restarted", qPrintable(what), operationLimitMs);
    restart();
}

} // namespace soak
