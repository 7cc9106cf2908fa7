#pragma once
// "Is the workspace this operation started in still the one on screen?" —
// asked after every suspension. A reset, reopen or sign-out renews the
// workspace generation; the model itself may be gone.

#include "records/Errors.h"

#include <QPointer>
#include <QUuid>

namespace vantrel {

class CheckoutModel;

class WorkspaceGuard {
public:
    explicit WorkspaceGuard(CheckoutModel &workspace);
    bool current() const;
    // Throws CancelledError (never shown) when the workspace moved on.
    void ensure() const
    {
        if (!current()) throw CancelledError();
    }
    bool alive() const { return !m_workspace.isNull(); }

private:
    QPointer<CheckoutModel> m_workspace;
    QUuid m_generation;
};

} // namespace vantrel
