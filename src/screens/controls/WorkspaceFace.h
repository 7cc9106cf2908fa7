#pragma once
// The base of the screens' faces, the objects a view binds to read its part of
// the workspace. It holds the workspace weakly, with the connections made to
// it, so a face handed another workspace (or none) never goes on listening to
// the one before.

#include "workflow/CheckoutModel.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace vantrel {

class WorkspaceFace : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(vantrel::CheckoutModel *workspace READ workspace WRITE setWorkspace NOTIFY workspaceChanged)

public:
    // A face says its texts again, in the new language, when it changes.
    explicit WorkspaceFace(QObject *parent = nullptr);

    CheckoutModel *workspace() const { return m_workspace; }
    void setWorkspace(CheckoutModel *workspace);

signals:
    void workspaceChanged();

protected:
    // What the face listens to on a newly set workspace.
    virtual QList<QMetaObject::Connection> connectTo(CheckoutModel *workspace) = 0;
    // Runs before the old workspace is let go, so work started on it stops.
    virtual void leaving() {}
    // Runs once the new workspace (or none) is set and announced.
    virtual void switched() = 0;
    // Runs when the language changes: the face works out its texts again.
    virtual void relabel() { switched(); }

private:
    QPointer<CheckoutModel> m_workspace;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace vantrel
