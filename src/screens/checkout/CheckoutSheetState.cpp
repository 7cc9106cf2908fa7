#include "CheckoutSheetState.h"

#include "CheckoutRules.h"

#include "workflow/WorkspaceParts.h"

namespace vantrel {

namespace {

QCoro::Task<bool> startWith(QPointer<CheckoutModel> workspace, QString tender, QString cash)
{
    if (!workspace) co_return false;
    QCoro::Task<bool> started = workspace->checkoutPart()->startCheckout(std::move(tender), std::move(cash));
    const bool live = co_await std::move(started);
    co_return live;
}

// The stored request is checked through the one path the editor uses too.
QCoro::Task<bool> checkStored(QPointer<CheckoutModel> workspace)
{
    if (!workspace) co_return false;
    co_await workspace->checkoutPart()->resumeCheckout();
    if (!workspace) co_return false;
    const std::optional<CheckoutTransaction> &shown = workspace->checkoutPart()->transaction();
    co_return shown && shown->status != QLatin1String(status::canceled);
}

} // namespace

CheckoutSheetState::CheckoutSheetState(QObject *parent) : WorkspaceFace(parent) {}

QList<QMetaObject::Connection> CheckoutSheetState::connectTo(CheckoutModel *workspace)
{
    const auto again = [this] { recompute(); };
    return {
        connect(workspace, &CheckoutModel::draftChanged, this, again),
        connect(workspace, &CheckoutModel::busyChanged, this, again),
        connect(workspace, &CheckoutModel::sessionChanged, this, again),
        connect(workspace->checkoutPart(), &CheckoutPart::accountChanged, this, again),
    };
}

void CheckoutSheetState::switched() { recompute(); }

void CheckoutSheetState::setTender(const QString &tender)
{
    if (tender == m_tender || m_view.frozen) return;
    m_tender = tender;
    recompute(true);
}

void CheckoutSheetState::setCash(const QString &cash)
{
    if (cash == m_cash || m_view.frozen) return;
    m_cash = cash;
    recompute(true);
}

void CheckoutSheetState::setCashConfirmed(bool confirmed)
{
    if (confirmed == m_cashConfirmed || m_view.frozen) return;
    m_cashConfirmed = confirmed;
    recompute(true);
}

void CheckoutSheetState::reset()
{
    m_tender = QStringLiteral("card");
    m_cash.clear();
    m_cashConfirmed = false;
    recompute(true);
}

void CheckoutSheetState::recompute(bool choicesChanged)
{
    View next = compute();
    if (next == m_view && !choicesChanged) return;
    m_view = std::move(next);
    emit changed();
}

CheckoutSheetState::View CheckoutSheetState::compute() const
{
    using namespace screens;
    View view;
    if (!workspace()) return view;
    const CheckoutModel &workspace = *this->workspace();
    const Draft &draft = workspace.draft();
    const CheckoutPart &checkout = *workspace.checkoutPart();
    const QString route = checkout.paymentRoute();
    const qint64 due = amountDueCents(draft);

    view.title = checkoutSheetTitle(route);
    view.heading = checkoutHeading(draft);
    view.amountDueText = moneyText(Decimal::fromCents(due));
    view.customerName = draft.customer ? draft.customer->name : QString();
    view.registerRoute = isRegisterRoute(route);
    view.frozen = draft.pendingCheckout.has_value();
    QString cash = m_cash;
    bool holding = draft.hold;
    if (view.frozen) {
        const FrozenChoices frozen = frozenChoices(*draft.pendingCheckout);
        view.frozenTender = frozen.tender;
        view.frozenCash = cash = frozen.cash;
        holding = frozen.hold;
        view.frozenReason = editorText::checkSavedRequestCaption.toString();
    } else if (m_tender == QLatin1String("cash")) {
        view.cashProblem = screens::cashProblem(m_cash);
    }
    view.changeDueText = moneyText(Decimal::fromCents(changeDueCents(cash, due)));
    const HoldArea hold = holdArea(checkout.usesDailySquareImport(), holding);
    view.holdToggleShown = hold.showsToggle;
    view.holding = holding;
    view.holdCaption = hold.caption;
    view.demo = workspace.isDemo();
    SheetChoices choices{route, m_tender, m_cash, m_cashConfirmed, workspace.busy(), due};
    choices.pending = draft.pendingCheckout;
    const MainButton button = checkoutMainButton(choices);
    view.buttonTitle = button.title;
    view.buttonEnabled = button.enabled;
    view.buttonProgress = button.progress;
    return view;
}

void CheckoutSheetState::setHold(bool hold)
{
    if (!workspace() || workspace()->draft().hold == hold || m_view.frozen) return;
    Draft draft = workspace()->draft();
    draft.hold = hold;
    workspace()->setDraft(std::move(draft));
}

void CheckoutSheetState::refreshSettings()
{
    if (workspace()) workspace()->checkoutPart()->refreshSettings();
}

QCoro::QmlTask CheckoutSheetState::start()
{
    if (m_view.frozen) return checkStored(workspace());
    const QString route = workspace() ? workspace()->checkoutPart()->paymentRoute() : QString();
    return startWith(workspace(), screens::checkoutTender(route, m_tender), m_cash);
}

} // namespace vantrel
