#pragma once
// The checkout sheet's view of the workspace: what the user picked (tender,
// cash typed, cash confirmed) and the checkout rules applied to it and to the
// draft's saved quote, as properties the QML sheet binds.

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <QCoroQmlTask>

#include "screens/controls/WorkspaceFace.h"

namespace vantrel {

class CheckoutSheetState : public vantrel::WorkspaceFace {
    Q_OBJECT
    QML_ELEMENT
    // The sheet's own choices; they start over with reset(). While the draft
    // holds a stored checkout request they read as that request and cannot
    // be changed.
    Q_PROPERTY(QString tender READ tender WRITE setTender NOTIFY changed)
    Q_PROPERTY(QString cash READ cash WRITE setCash NOTIFY changed)
    Q_PROPERTY(bool cashConfirmed READ cashConfirmed WRITE setCashConfirmed NOTIFY changed)
    Q_PROPERTY(bool frozen READ frozen NOTIFY changed)
    // Why the choices cannot change, in one line; empty when they can.
    Q_PROPERTY(QString frozenReason READ frozenReason NOTIFY changed)
    // Why the typed cash cannot be read; empty when it can.
    Q_PROPERTY(QString cashProblem READ cashProblem NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString heading READ heading NOTIFY changed)
    Q_PROPERTY(QString amountDueText READ amountDueText NOTIFY changed)
    Q_PROPERTY(QString customerName READ customerName NOTIFY changed)
    Q_PROPERTY(bool registerRoute READ registerRoute NOTIFY changed)
    Q_PROPERTY(QString changeDueText READ changeDueText NOTIFY changed)
    Q_PROPERTY(bool holdToggleShown READ holdToggleShown NOTIFY changed)
    Q_PROPERTY(bool holding READ holding NOTIFY changed)
    Q_PROPERTY(QString holdCaption READ holdCaption NOTIFY changed)
    Q_PROPERTY(bool demo READ demo NOTIFY changed)
    Q_PROPERTY(QString buttonTitle READ buttonTitle NOTIFY changed)
    Q_PROPERTY(bool buttonEnabled READ buttonEnabled NOTIFY changed)
    Q_PROPERTY(bool buttonProgress READ buttonProgress NOTIFY changed)

public:
    explicit CheckoutSheetState(QObject *parent = nullptr);

    QString tender() const { return m_view.frozen ? m_view.frozenTender : m_tender; }
    void setTender(const QString &tender);
    QString cash() const { return m_view.frozen ? m_view.frozenCash : m_cash; }
    void setCash(const QString &cash);
    bool cashConfirmed() const { return m_view.frozen || m_cashConfirmed; }
    void setCashConfirmed(bool confirmed);
    bool frozen() const { return m_view.frozen; }
    QString frozenReason() const { return m_view.frozenReason; }
    QString cashProblem() const { return m_view.cashProblem; }

    QString title() const { return m_view.title; }
    QString heading() const { return m_view.heading; }
    QString amountDueText() const { return m_view.amountDueText; }
    QString customerName() const { return m_view.customerName; }
    bool registerRoute() const { return m_view.registerRoute; }
    QString changeDueText() const { return m_view.changeDueText; }
    bool holdToggleShown() const { return m_view.holdToggleShown; }
    bool holding() const { return m_view.holding; }
    QString holdCaption() const { return m_view.holdCaption; }
    bool demo() const { return m_view.demo; }
    QString buttonTitle() const { return m_view.buttonTitle; }
    bool buttonEnabled() const { return m_view.buttonEnabled; }
    bool buttonProgress() const { return m_view.buttonProgress; }

    // The pickup-hold choice of the next checkout, kept in the draft.
    Q_INVOKABLE void setHold(bool hold);
    // Starts the checkout with the sheet's choices, or, with a stored request,
    // checks it the way the editor does; resolves to true when the workspace
    // follows a checkout afterwards (the sheet then closes).
    Q_INVOKABLE QCoro::QmlTask start();
    // Forgets the choices, for the next time the sheet opens.
    Q_INVOKABLE void reset();
    // Asks for the account's payment settings again as the sheet opens.
    Q_INVOKABLE void refreshSettings();

signals:
    void changed();

protected:
    QList<QMetaObject::Connection> connectTo(CheckoutModel *workspace) override;
    void switched() override;

private:
    struct View {
        QString title, heading, amountDueText, customerName;
        bool registerRoute = false;
        QString changeDueText;
        bool holdToggleShown = false, holding = false;
        QString holdCaption;
        bool demo = false;
        QString buttonTitle;
        bool buttonEnabled = false, buttonProgress = false;
        bool frozen = false;
        QString frozenTender, frozenCash, frozenReason, cashProblem;
        bool operator==(const View &) const = default;
    };
    void recompute(bool choicesChanged = false);
    View compute() const;

    QString m_tender = QStringLiteral("card");
    QString m_cash;
    bool m_cashConfirmed = false;
    View m_view;
};

} // namespace vantrel
