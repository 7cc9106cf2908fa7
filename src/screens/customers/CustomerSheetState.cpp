#include "CustomerSheetState.h"

#include "screens/quote/QuoteEditorRules.h"

#include "records/TypedNumber.h"
#include "records/Uuid.h"
#include "server/Endpoints.h"
#include "workflow/WorkspaceParts.h"

namespace vantrel {

CustomerSheetState::CustomerSheetState(QObject *parent) : WorkspaceFace(parent) {}

QList<QMetaObject::Connection> CustomerSheetState::connectTo(CheckoutModel *workspace)
{
    return {
        connect(workspace, &CheckoutModel::draftChanged, this, &CustomerSheetState::formMayHaveChanged),
        connect(workspace, &CheckoutModel::busyChanged, this, &CustomerSheetState::formChanged),
    };
}

void CustomerSheetState::switched() { formMayHaveChanged(); }

NewCustomerRequest CustomerSheetState::form() const
{
    if (!workspace()) return {};
    const Draft &draft = workspace()->draft();
    if (draft.pendingCustomer) return *draft.pendingCustomer;
    return draft.customerDraft.value_or(NewCustomerRequest{});
}

void CustomerSheetState::formMayHaveChanged()
{
    const NewCustomerRequest now = form();
    const bool pendingNow = pending();
    if (now == m_shownForm && pendingNow == m_shownPending) return;
    m_shownForm = now;
    m_shownPending = pendingNow;
    emit formChanged();
}

int CustomerSheetState::campaignIndex() const
{
    const std::optional<QString> chosen = form().campaignId;
    if (!chosen) return -1;
    for (int i = 0; i < m_campaigns.size(); ++i)
        if (m_campaigns[i].id == *chosen) return i;
    return -1;
}

bool CustomerSheetState::savedSelection() const
{
    const std::optional<QString> chosen = form().campaignId;
    return chosen && !chosen->isEmpty() && campaignIndex() < 0;
}

bool CustomerSheetState::pending() const
{
    return workspace() && workspace()->draft().pendingCustomer.has_value();
}

bool CustomerSheetState::canSubmit() const
{
    if (!workspace() || workspace()->busy()) return false;
    // A pending request was valid when it was stored; it is sent unchanged.
    return pending() || !form().validationMessage().has_value();
}

QString CustomerSheetState::submitTitle() const
{
    return (pending() ? screens::editorText::resumeCustomerCreation
                      : screens::editorText::createCustomerAndDeal)
        .toString();
}

QStringList CustomerSheetState::campaignNames() const
{
    QStringList names;
    for (const Campaign &campaign : m_campaigns) names.append(campaign.name);
    return names;
}

void CustomerSheetState::updateForm(const std::function<void(NewCustomerRequest &)> &change)
{
    // The sent details of a pending creation are not edited in place: they
    // come back into the form only once the creation is settled (the form is
    // not shown meanwhile). Any other operation leaves the form alone, so
    // typing goes on while one runs and no keystroke is dropped.
    if (!workspace() || pending()) return;
    Draft draft = workspace()->draft();
    if (!draft.customerDraft) draft.customerDraft = NewCustomerRequest{newUuidString()};
    change(*draft.customerDraft);
    if (draft.customerDraft == workspace()->draft().customerDraft) return;
    workspace()->setDraft(std::move(draft));
}

void CustomerSheetState::setField(const QString &name, const QString &value)
{
    static const QHash<QString, QString NewCustomerRequest::*> fields{
        {QStringLiteral("firstName"), &NewCustomerRequest::firstName},
        {QStringLiteral("lastName"), &NewCustomerRequest::lastName},
        {QStringLiteral("phone"), &NewCustomerRequest::phone},
        {QStringLiteral("email"), &NewCustomerRequest::email},
    };
    if (name == QLatin1String("dealAmount")) {
        updateForm([&](NewCustomerRequest &f) {
            // Kept in plain form, read in the person's language.
            f.dealAmount = value.isEmpty() ? std::nullopt : std::optional(heldNumber(value));
        });
        return;
    }
    const auto field = fields.constFind(name);
    if (field == fields.cend()) return;
    QString NewCustomerRequest::*member = *field;
    updateForm([&](NewCustomerRequest &f) { f.*member = value; });
}

void CustomerSheetState::chooseCampaign(int index)
{
    if (index < 0 || index >= m_campaigns.size()) return;
    const QString id = m_campaigns[index].id;
    updateForm([&](NewCustomerRequest &f) { f.campaignId = id; });
}

QString CustomerSheetState::campaignAfterLoad(const std::optional<QString> &formCampaign,
                                              const CustomerOptions &options)
{
    if (formCampaign) {
        for (const Campaign &campaign : options.campaigns)
            if (campaign.id == *formCampaign) return *formCampaign;
    }
    return options.defaultCampaignId;
}

void CustomerSheetState::loadCampaigns()
{
    loadOptions(QPointer<CustomerSheetState>(this), ++m_optionsGeneration);
}

QCoro::Task<> CustomerSheetState::loadOptions(QPointer<CustomerSheetState> self, int generation)
{
    if (!self || !self->workspace()) co_return;
    self->m_optionsBusy = true;
    self->m_optionsError.clear();
    emit self->optionsChanged();
    QPointer<CheckoutModel> workspace = self->workspace();
    const QUuid started = workspace->api().generation();
    std::optional<CustomerOptions> options;
    QString failure;
    try {
        options = co_await CheckoutAPI::customerOptions(workspace->api());
    } catch (...) {
        if (!isCancellation(std::current_exception())) failure = errorDescription(std::current_exception());
    }
    // A newer load, a closed sheet or another workspace: this one says nothing.
    if (!self || self->m_optionsGeneration != generation || !workspace ||
        workspace->api().generation() != started)
        co_return;
    self->m_optionsBusy = false;
    if (options) {
        self->m_campaigns = options->campaigns;
        const QString campaign = campaignAfterLoad(self->form().campaignId, *options);
        if (!campaign.isEmpty()) self->updateForm([&](NewCustomerRequest &f) { f.campaignId = campaign; });
    } else if (!failure.isEmpty()) {
        self->m_optionsError = failure;
    }
    emit self->optionsChanged();
    emit self->formChanged();
}

bool CustomerSheetState::choiceNeedsConfirmation(const QString &customerId) const
{
    if (!workspace()) return false;
    const Draft &draft = workspace()->draft();
    if (draft.customer && draft.customer->id == customerId) return false;
    return draft.saved.has_value() || (draft.customer && draft.dirty);
}

QCoro::Task<bool> CustomerSheetState::submitSteps(QPointer<CheckoutModel> workspace)
{
    if (!workspace) co_return false;
    CustomersPart *customers = workspace->customersPart();
    if (workspace->draft().pendingCustomer) {
        // The earlier attempt may have succeeded with only its reply lost.
        const bool completed = co_await customers->resumeCustomerRequest();
        if (completed) co_return true;
        // Still pending: the check itself failed, and said so.
        if (!workspace || workspace->draft().pendingCustomer) co_return false;
    }
    if (!workspace->draft().customerDraft) co_return false;
    const NewCustomerRequest details = *workspace->draft().customerDraft;
    const bool created = co_await customers->createCustomer(details);
    co_return created;
}

QCoro::QmlTask CustomerSheetState::submit() { return submitSteps(workspace()); }

QCoro::Task<bool> CustomerSheetState::settleSteps(QPointer<CheckoutModel> workspace)
{
    if (!workspace) co_return false;
    const bool completed = co_await workspace->customersPart()->resumeCustomerRequest();
    co_return completed;
}

QCoro::QmlTask CustomerSheetState::editDetails() { return settleSteps(workspace()); }

} // namespace vantrel
