#include "ShellActions.h"

#include "workflow/CheckoutModel.h"
#include "workflow/HistoryPart.h"

namespace vantrel {

namespace {

// Starts a task nobody waits for; it owns its frame until it ends.
void detach(QCoro::Task<> task) { Q_UNUSED(task); }

} // namespace

ShellActions::ShellActions(CheckoutModel *model, QObject *parent) : QObject(parent), m_model(model) {}

void ShellActions::start() { detach(startTask(m_model, this)); }

void ShellActions::signIn() { detach(signInTask(m_model, this)); }

void ShellActions::refreshTransactions()
{
    if (m_model) m_model->historyPart()->refresh();
}

QCoro::Task<> ShellActions::startTask(QPointer<CheckoutModel> model, QPointer<ShellActions> self)
{
    try {
        if (model) co_await model->start();
    } catch (...) {
        // start() reports through the model's slots; nothing is left to say.
    }
    if (self) emit self->startFinished();
}

QCoro::Task<> ShellActions::signInSequence(QPointer<CheckoutModel> model)
{
    if (!model) co_return;
    const bool signedIn = co_await model->signIn();
    // Only a sign-in that produced the session loads data or speaks for the
    // restored workspace; a failed one leaves the old warning unsaid, and a
    // stored session that arrived meanwhile has loaded its own.
    if (!signedIn || !model || !model->session()) co_return;
    co_await model->refreshAll();
    if (!model || !model->session()) co_return;
    if (const auto warning = model->restoreWarning()) model->setNotice(*warning);
}

QCoro::Task<> ShellActions::signInTask(QPointer<CheckoutModel> model, QPointer<ShellActions> self)
{
    try {
        co_await signInSequence(model);
    } catch (...) {
        // The model's operations report their own failures.
    }
    if (self) emit self->signInFinished();
}

} // namespace vantrel
