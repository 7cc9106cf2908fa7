#pragma once
// The payment status view's reading of the workspace's shown transaction:
// icon, texts, checklist, details and actions, each decided by the checkout
// rules, as properties the QML view binds.

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include "CheckoutRules.h"
#include "screens/controls/RowsModel.h"

#include "screens/controls/WorkspaceFace.h"

namespace vantrel {

class PaymentStatusState : public vantrel::WorkspaceFace {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool shown READ shown NOTIFY changed)
    Q_PROPERTY(bool complete READ complete NOTIFY changed)
    // Empty: a progress indicator. Tone: "green", "orange" or "".
    Q_PROPERTY(QString iconSymbol READ iconSymbol NOTIFY changed)
    Q_PROPERTY(QString iconTone READ iconTone NOTIFY changed)
    Q_PROPERTY(QString statusLabel READ statusLabel NOTIFY changed)
    Q_PROPERTY(QString amountText READ amountText NOTIFY changed)
    Q_PROPERTY(QString tenderLine READ tenderLine NOTIFY changed)
    Q_PROPERTY(bool instructionsShown READ instructionsShown NOTIFY changed)
    Q_PROPERTY(QString squareInvoiceNumber READ squareInvoiceNumber NOTIFY changed)
    // Roles text, symbol and done.
    Q_PROPERTY(vantrel::screens::RowsModel *checklist READ checklist CONSTANT)
    Q_PROPERTY(QString checklistCaption READ checklistCaption NOTIFY changed)
    Q_PROPERTY(bool dealSyncShown READ dealSyncShown NOTIFY changed)
    Q_PROPERTY(QString nextStepText READ nextStepText NOTIFY changed)
    Q_PROPERTY(QString errorText READ errorText NOTIFY changed)
    Q_PROPERTY(QString resumeTitle READ resumeTitle NOTIFY changed)
    Q_PROPERTY(bool cancelShown READ cancelShown NOTIFY changed)
    Q_PROPERTY(QString cancelTitle READ cancelTitle NOTIFY changed)
    // The cancellation confirmation: {title, message, confirm, cancel}.
    Q_PROPERTY(vantrel::screens::Confirmation cancelConfirmation READ cancelConfirmation NOTIFY changed)
    // Roles label and value: the invoice row, when there is one.
    Q_PROPERTY(vantrel::screens::RowsModel *details READ details CONSTANT)
    Q_PROPERTY(bool pickupShown READ pickupShown NOTIFY changed)
    Q_PROPERTY(QString pickupText READ pickupText NOTIFY changed)
    Q_PROPERTY(bool holdButtonShown READ holdButtonShown NOTIFY changed)
    Q_PROPERTY(QString holdButtonTitle READ holdButtonTitle NOTIFY changed)
    Q_PROPERTY(QString fulfillmentError READ fulfillmentError NOTIFY changed)
    // Empty when no change is shown.
    Q_PROPERTY(QString changeGivenText READ changeGivenText NOTIFY changed)
    Q_PROPERTY(QString transactionIdText READ transactionIdText NOTIFY changed)
    // A checkout followed from the history while the draft holds other work:
    // the caption, the way back to the draft, and the check of the draft's
    // own stored checkout request.
    Q_PROPERTY(QString followedCaption READ followedCaption NOTIFY changed)
    Q_PROPERTY(bool backToDraftShown READ backToDraftShown NOTIFY changed)
    Q_PROPERTY(bool checkSavedRequestShown READ checkSavedRequestShown NOTIFY changed)

public:
    explicit PaymentStatusState(QObject *parent = nullptr);

    bool shown() const { return m_view.shown; }
    bool complete() const { return m_view.complete; }
    QString iconSymbol() const { return m_view.iconSymbol; }
    QString iconTone() const { return m_view.iconTone; }
    QString statusLabel() const { return m_view.statusLabel; }
    QString amountText() const { return m_view.amountText; }
    QString tenderLine() const { return m_view.tenderLine; }
    bool instructionsShown() const { return m_view.instructionsShown; }
    QString squareInvoiceNumber() const { return m_view.squareInvoiceNumber; }
    screens::RowsModel *checklist() const { return m_checklist; }
    QString checklistCaption() const { return m_view.checklistCaption; }
    bool dealSyncShown() const { return m_view.dealSyncShown; }
    QString nextStepText() const { return m_view.nextStepText; }
    QString errorText() const { return m_view.errorText; }
    QString resumeTitle() const { return m_view.resumeTitle; }
    bool cancelShown() const { return m_view.cancelShown; }
    QString cancelTitle() const { return m_view.cancelTitle; }
    screens::Confirmation cancelConfirmation() const { return m_view.cancelConfirmation; }
    screens::RowsModel *details() const { return m_details; }
    bool pickupShown() const { return m_view.pickupShown; }
    QString pickupText() const { return m_view.pickupText; }
    bool holdButtonShown() const { return m_view.holdButtonShown; }
    QString holdButtonTitle() const { return m_view.holdButtonTitle; }
    QString fulfillmentError() const { return m_view.fulfillmentError; }
    QString changeGivenText() const { return m_view.changeGivenText; }
    QString transactionIdText() const { return m_view.transactionIdText; }
    QString followedCaption() const { return m_view.followedCaption; }
    bool backToDraftShown() const { return m_view.backToDraftShown; }
    bool checkSavedRequestShown() const { return m_view.checkSavedRequestShown; }

    // The text of an action offered once payment is complete, by kind
    // ("registerNote", "receiptLink", "terminalReceipt", "printNote",
    // "invoicePdf", "printInvoice", "nextSale"); empty when it is not offered.
    // The view places each action itself, so it looks them up rather than
    // repeating a list. A change of the actions emits `changed` like every
    // other property, so a binding that also reads one re-reads this.
    Q_INVOKABLE QString completedActionText(const QString &kind) const;
    // Releases a held pickup or holds a scheduled one.
    Q_INVOKABLE void toggleHold();
    // Opens the shown transaction's receipt page; only a vetted address is
    // ever handed to the browser, never one from the screen.
    Q_INVOKABLE bool openReceipt() const;

signals:
    void changed();

protected:
    QList<QMetaObject::Connection> connectTo(CheckoutModel *workspace) override;
    void switched() override;

private:
    struct View {
        bool shown = false, complete = false;
        QString iconSymbol, iconTone, statusLabel, amountText, tenderLine;
        bool instructionsShown = false;
        QString squareInvoiceNumber;
        QList<QVariantMap> checklist;
        QString checklistCaption;
        bool dealSyncShown = false;
        QString nextStepText, errorText, resumeTitle;
        bool cancelShown = false;
        QString cancelTitle;
        screens::Confirmation cancelConfirmation;
        QList<QVariantMap> details;
        bool pickupShown = false;
        QString pickupText;
        bool holdButtonShown = false;
        QString holdButtonTitle, fulfillmentError, changeGivenText;
        QMap<QString, QString> completedActions; // text by kind
        QString transactionIdText;
        QString followedCaption;
        bool backToDraftShown = false, checkSavedRequestShown = false;
        bool operator==(const View &) const = default;
    };
    void recompute();
    View compute() const;

    View m_view;
    screens::RowsModel *m_checklist;
    screens::RowsModel *m_details;
};

// The theme's name of a rule's tone.
QString toneName(screens::Tone tone);

} // namespace vantrel
