#pragma once
// The tasks the app shell starts on a tap and leaves running when the screen
// changes: start-up, the sign-in sequence and the transactions refresh.

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace vantrel {

class CheckoutModel;

class ShellActions : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The app creates the shell's actions with the workspace.")
public:
    explicit ShellActions(CheckoutModel *workspace, QObject *parent = nullptr);

    // Each starts its task and returns at once; failures land in the workspace's
    // error slot, never here.
    Q_INVOKABLE void start();
    Q_INVOKABLE void signIn();
    Q_INVOKABLE void refreshTransactions();

    // Sign in, then (signed in) load everything and show what restoring the
    // workspace left to say.
    static QCoro::Task<> signInSequence(QPointer<CheckoutModel> workspace);

signals:
    // Start-up ran to its end (signed in and loaded, or signed out).
    void startFinished();
    // The sign-in sequence ran to its end, whatever its outcome.
    void signInFinished();

private:
    static QCoro::Task<> signInTask(QPointer<CheckoutModel> workspace, QPointer<ShellActions> self);
    static QCoro::Task<> startTask(QPointer<CheckoutModel> workspace, QPointer<ShellActions> self);

    QPointer<CheckoutModel> m_workspace;
};

} // namespace vantrel
