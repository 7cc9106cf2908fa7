#include "ShellActions.h"

#include "workflow/CheckoutModel.h"
#include "workflow/HistoryPart.h"

namespace vantrel {

namespace {

// Starts a task nobody waits for; it owns its frame until it ends.
void detach(QCoro::Task<> task) { Q_UNUSED(task); }

} // namespace

ShellActions::ShellActions(CheckoutModel *workspace, QObject *parent)
    : QObject(parent), m_workspace(workspace)
{}

void ShellActions::start() { detach(startTask(m_workspace, this)); }

void ShellActions::signIn() { detach(signInTask(m_workspace, this)); }

void ShellActions::refreshTransactions()
{
    if (m_workspace) m_workspace->historyPart()->refresh();
}

QCoro::Task<> ShellActions::startTask(QPointer<CheckoutModel> workspace, QPointer<ShellActions> self)
{
    try {
        if (workspace) co_await workspace->start();
    } catch (...) {
        // start() reports through the workspace's slots; nothing is left to say.
    }
    if (self) emit self->startFinished();
}

QCoro::Task<> ShellActions::signInSequence(QPointer<CheckoutModel> workspace)
{
    if (!workspace) co_return;
    const bool signedIn = co_await workspace->signIn();
    // Only a sign-in that produced the session loads data or speaks for the
    // restored workspace; a failed one leaves the old warning unsaid, and a
    // stored session that arrived meanwhile has loaded its own.
    if (!signedIn || !workspace || !workspace->session()) co_return;
    co_await workspace->refreshAll();
    if (!workspace || !workspace->session()) co_return;
    if (const auto warning = workspace->restoreWarning()) workspace->setNotice(*warning);
}

QCoro::Task<> ShellActions::signInTask(QPointer<CheckoutModel> workspace, QPointer<ShellActions> self)
{
    try {
        co_await signInSequence(workspace);
    } catch (...) {
        // The workspace's operations report their own failures.
    }
    if (self) emit self->signInFinished();
}

} // namespace vantrel
