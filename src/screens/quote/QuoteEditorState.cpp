#include "QuoteEditorState.h"

#include "QuoteEditorRules.h"

#include "workflow/CheckoutModel.h"
#include "workflow/QuoteValidation.h"
#include "workflow/WorkspaceParts.h"

#include <QDesktopServices>

namespace vantrel {

using namespace screens;

namespace {

QString kindName(EditorItem item)
{
    switch (item) {
    case EditorItem::CheckSavedRequestCaption: return QStringLiteral("pendingCaption");
    case EditorItem::CheckSavedRequestButton: return QStringLiteral("checkSavedRequest");
    case EditorItem::CheckoutButton: return QStringLiteral("checkout");
    case EditorItem::PaymentsSetupCaption: return QStringLiteral("setupCaption");
    case EditorItem::SaveNewSentQuoteCaption: return QStringLiteral("saveSentCaption");
    case EditorItem::SaveButton: return QStringLiteral("save");
    case EditorItem::SaveCreatesNewNumberCaption: return QStringLiteral("newNumberCaption");
    case EditorItem::PrintQuoteButton: return QStringLiteral("print");
    case EditorItem::QuotePdfButton: return QStringLiteral("pdf");
    case EditorItem::PdfShowsSavedQuoteCaption: return QStringLiteral("pdfCaption");
    }
    return {};
}

QCoro::Task<bool> loadCustomerQuotes(QPointer<CheckoutModel> workspace)
{
    // A tap while another operation runs is dropped, like the operation.
    if (!workspace || !workspace->draft().customer || workspace->busy()) co_return false;
    CustomersPart *customers = workspace->customersPart();
    const Customer customer = *workspace->draft().customer;
    std::function<QCoro::Task<>()> load = [customers, customer] {
        return customers->loadQuotesAndDeals(customer);
    };
    const bool loaded = co_await workspace->performBusy(std::move(load));
    // A failed pre-load still opens the browser: it loads the quotes itself
    // and shows that failure with its own "Try again", so the error is not
    // also shown behind it.
    if (!loaded && workspace) workspace->setError(std::nullopt);
    co_return bool(workspace);
}

} // namespace

bool openVettedLink(const QString &address)
{
    const std::optional<QUrl> url = dealLink(address);
    return url && QDesktopServices::openUrl(*url);
}

QuoteEditorState::QuoteEditorState(QObject *parent)
    : WorkspaceFace(parent), m_totals(new RowsModel({"label", "amount"}, this)),
      m_actions(new RowsModel({"kind", "text", "symbol", "actionEnabled", "working", "warning"}, this))
{}

QList<QMetaObject::Connection> QuoteEditorState::connectTo(CheckoutModel *workspace)
{
    const auto again = [this] { recompute(); };
    CheckoutPart *checkout = workspace->checkoutPart();
    QAbstractItemModel *taxes = workspace->catalogPart()->taxList();
    return {
        connect(workspace, &CheckoutModel::draftChanged, this, again),
        connect(workspace, &CheckoutModel::busyChanged, this,
                [this] {
                    if (this->workspace() && !this->workspace()->busy()) m_running.reset();
                    recompute();
                }),
        connect(checkout, &CheckoutPart::accountChanged, this, again),
        connect(checkout, &CheckoutPart::canStartCheckoutChanged, this, again),
        connect(taxes, &QAbstractItemModel::modelReset, this, again),
        connect(taxes, &QAbstractItemModel::dataChanged, this, again),
        connect(taxes, &QAbstractItemModel::rowsInserted, this, again),
        connect(taxes, &QAbstractItemModel::rowsRemoved, this, again),
        connect(taxes, &QAbstractItemModel::rowsMoved, this, again),
    };
}

void QuoteEditorState::switched() { recompute(); }

void QuoteEditorState::recompute()
{
    View next = compute();
    if (next == m_view) return;
    m_view = std::move(next);
    m_totals->setRows(m_view.totals);
    m_actions->setRows(m_view.actions);
    emit changed();
}

QuoteEditorState::View QuoteEditorState::compute() const
{
    View view;
    if (!workspace()) return view;
    const CheckoutModel &workspace = *this->workspace();
    const Draft &draft = workspace.draft();
    const CheckoutPart &checkout = *workspace.checkoutPart();

    view.subtitle = editorSubtitle(draft);
    view.badge = editorBadge(draft);
    const CardTexts customer = customerCard(draft);
    view.hasCustomer = draft.customer.has_value();
    view.customerSymbol = customer.symbol;
    view.customerTitle = customer.title;
    view.customerCaption = customer.caption;
    view.quotesCaption = quotesCard(draft).caption;

    const DealRow deal = dealRow(draft);
    view.dealShown = deal.shown;
    view.dealButtonTitle = deal.buttonTitle;
    view.dealLinked = deal.hasDetails;
    view.dealTitle = deal.detailsTitle;
    view.dealNumberCaption = deal.numberCaption;
    if (draft.deal) {
        view.dealName = draft.deal->name;
        view.dealIdCaption = screens::dealIdCaption(*draft.deal);
        view.crmLinkOffered = dealLink(draft.deal->crmUrl).has_value();
        view.driveLinkOffered = dealLink(draft.deal->driveUrl).has_value();
        view.drivePending = draft.deal->driveUrl.trimmed().isEmpty();
    }

    view.lineCountText = screens::lineCountText(draft.lines.size());
    view.showsOrderDiscount = screens::showsOrderDiscount(draft);

    EditorContext context;
    context.busy = workspace.busy();
    context.paymentsEnabled = checkout.paymentsEnabled();
    context.savedQuoteReady = workspace.savedQuoteReady();
    context.canStartCheckout = workspace.canStartCheckout();
    context.paymentRoute = checkout.paymentRoute();
    context.paymentsSetupNotice = checkout.paymentsSetupNotice();
    context.draftSubtotal = workspace.draftSubtotal();
    context.running = m_running;

    const Totals totals = editorTotals(draft, context);
    for (const TotalRow &row : totals.rows)
        view.totals.append(
            QVariantMap{{QStringLiteral("label"), row.label}, {QStringLiteral("amount"), row.amount}});
    view.totalsCaption = totals.caption;
    for (const EditorAction &action : editorActions(draft, context))
        view.actions.append(QVariantMap{{QStringLiteral("kind"), kindName(action.item)},
                                        {QStringLiteral("text"), action.text},
                                        {QStringLiteral("symbol"), action.symbol},
                                        {QStringLiteral("actionEnabled"), action.enabled},
                                        {QStringLiteral("working"), action.progress},
                                        {QStringLiteral("warning"), action.warning}});
    if (draft.saved) {
        view.savedQuoteId = draft.saved->id;
        view.savedQuoteNumber = draft.saved->number;
    }
    for (const TaxOption &option : taxOptions(workspace.catalogPart()->taxes())) {
        view.taxLabels.append(option.label);
        view.taxIds.append(option.taxId);
    }
    return view;
}

int QuoteEditorState::taxIndex(const QString &taxId) const
{
    if (!workspace()) return -1;
    return int(taxOptionIndex(workspace()->catalogPart()->taxes(), taxId));
}

bool QuoteEditorState::canStepDown(const QString &quantity) const { return vantrel::canStepDown(quantity); }

bool QuoteEditorState::openCrmLink() const
{
    return workspace() && workspace()->draft().deal && openVettedLink(workspace()->draft().deal->crmUrl);
}

bool QuoteEditorState::openDriveLink() const
{
    return workspace() && workspace()->draft().deal && openVettedLink(workspace()->draft().deal->driveUrl);
}

QCoro::QmlTask QuoteEditorState::browseCustomerQuotes() { return loadCustomerQuotes(workspace()); }

void QuoteEditorState::runAction(const QString &kind)
{
    if (!workspace() || workspace()->busy()) return;
    if (kind == QLatin1String("save")) {
        m_running = EditorItem::SaveButton;
        workspace()->quotePart()->save();
    } else if (kind == QLatin1String("print")) {
        m_running = EditorItem::PrintQuoteButton;
        workspace()->quotePart()->printQuotePDF();
    } else if (kind == QLatin1String("checkSavedRequest")) {
        m_running = EditorItem::CheckSavedRequestButton;
        workspace()->checkoutPart()->resumePending();
    }
    // An action that was refused before it began (a validation message) ran nothing.
    if (workspace() && !workspace()->busy()) m_running.reset();
    recompute();
}

} // namespace vantrel
