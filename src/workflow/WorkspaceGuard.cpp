#include "WorkspaceGuard.h"

#include "CheckoutModel.h"

namespace vantrel {

WorkspaceGuard::WorkspaceGuard(CheckoutModel &workspace)
    : m_workspace(&workspace), m_generation(workspace.workspaceGeneration())
{}

bool WorkspaceGuard::current() const
{
    return m_workspace && m_workspace->workspaceGeneration() == m_generation;
}

} // namespace vantrel
