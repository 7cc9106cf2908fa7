#include "WorkspaceFace.h"

#include "screens/controls/text/LanguageChoice.h"

namespace vantrel {

WorkspaceFace::WorkspaceFace(QObject *parent) : QObject(parent)
{
    connect(screens::LanguageChoice::instance(), &screens::LanguageChoice::changed, this,
            [this] { relabel(); });
}

void WorkspaceFace::setWorkspace(CheckoutModel *workspace)
{
    if (m_workspace == workspace) return;
    for (const QMetaObject::Connection &c : std::as_const(m_connections)) disconnect(c);
    m_connections.clear();
    leaving();
    m_workspace = workspace;
    if (workspace) m_connections = connectTo(workspace);
    emit workspaceChanged();
    switched();
}

} // namespace vantrel
