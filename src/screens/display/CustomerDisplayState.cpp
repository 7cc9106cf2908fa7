#include "CustomerDisplayState.h"

#include "screens/controls/text/LanguageChoice.h"

#include "records/Money.h"

#include "DisplayRules.h"

#include "screens/checkout/CheckoutRules.h"
#include "screens/quote/QuoteEditorRules.h"
#include "workflow/CheckoutPart.h"

namespace vantrel {

using namespace screens;

void CheckoutSheetRelay::setSheet(CheckoutSheetState *sheet)
{
    if (m_sheet == sheet) return;
    m_sheet = sheet;
    emit sheetChanged();
}

CustomerDisplayState::CustomerDisplayState(QObject *parent)
    : QObject(parent), m_totals(new RowsModel({"label", "amount"}, this))
{
    connect(screens::LanguageChoice::instance(), &screens::LanguageChoice::changed, this,
            [this] { recompute(); });
}

void CustomerDisplayState::setWorkspace(CheckoutModel *workspace)
{
    if (m_workspace == workspace) return;
    for (const QMetaObject::Connection &c : std::as_const(m_connections)) disconnect(c);
    m_connections.clear();
    m_workspace = workspace;
    if (workspace) {
        // The same signals the editor and the status view follow, so the
        // display changes in the same frame as they do.
        const auto again = [this] { recompute(); };
        CheckoutPart *checkout = workspace->checkoutPart();
        m_connections = {
            connect(workspace, &CheckoutModel::draftChanged, this, again),
            connect(workspace, &CheckoutModel::busyChanged, this, again),
            connect(checkout, &CheckoutPart::accountChanged, this, again),
            connect(checkout, &CheckoutPart::transactionChanged, this, again),
        };
    }
    emit workspaceChanged();
    recompute();
}

void CustomerDisplayState::setSheet(CheckoutSheetState *sheet)
{
    if (m_sheet == sheet) return;
    disconnect(m_sheetConnection);
    m_sheet = sheet;
    if (sheet)
        m_sheetConnection = connect(sheet, &CheckoutSheetState::changed, this, [this] { recompute(); });
    emit sheetChanged();
    recompute();
}

void CustomerDisplayState::recompute()
{
    View next = compute();
    if (next == m_view) return;
    m_view = std::move(next);
    m_totals->setRows(m_view.totals);
    emit changed();
}

CustomerDisplayState::View CustomerDisplayState::compute() const
{
    View view;
    view.stage = QStringLiteral("idle");
    if (!m_workspace) return view;
    const CheckoutModel &workspace = *m_workspace;
    const Draft &draft = workspace.draft();
    const CheckoutPart &checkout = *workspace.checkoutPart();

    std::optional<SheetPick> sheet;
    if (m_sheet) sheet = SheetPick{m_sheet->tender(), m_sheet->cash()};
    const DisplayPayment payment =
        displayPayment(draft, checkout.transaction(), sheet, checkout.paymentRoute());
    static const char *const stages[] = {"idle", "building", "checkout", "complete"};
    view.stage = QString::fromLatin1(stages[int(payment.stage)]);

    // Only the figures are taken from the editor's context: its buttons and
    // captions are the associate's, never the customer's.
    EditorContext context;
    context.draftSubtotal = workspace.draftSubtotal();
    for (const TotalRow &row : editorTotals(draft, context).rows)
        view.totals.append(
            QVariantMap{{QStringLiteral("label"), row.label}, {QStringLiteral("amount"), row.amount}});

    if (payment.stage == DisplayStage::Checkout || payment.stage == DisplayStage::Complete) {
        view.amountDueText = moneyText(Decimal::fromCents(payment.amountCents));
        view.tenderText = screens::tenderText(payment.tender);
        view.instruction = instructionText(payment.tender);
        if (payment.cashCents) view.cashText = moneyText(Decimal::fromCents(*payment.cashCents));
        if (const std::optional<qint64> change = changeCents(payment)) {
            view.changeText = moneyText(Decimal::fromCents(*change));
            view.changeGiven = *change > 0;
        }
    }
    return view;
}

} // namespace vantrel
