#pragma once
// The checkout of the workspace: the account's payment settings, the
// transaction being shown and watched, and the actions before and after
// payment. The flow itself is in CheckoutPartFlow.cpp.

#include "PrintService.h"
#include "TaskHandle.h"

#include "records/CheckoutTransaction.h"
#include "records/Reference.h"
#include "records/Requests.h"
#include "records/Workspace.h"

#include <QCoroQmlTask>
#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QUuid>

#include <optional>

namespace vantrel {

class CheckoutModel;

class CheckoutPart : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool paymentsEnabled READ paymentsEnabled NOTIFY accountChanged)
    Q_PROPERTY(QString paymentRoute READ paymentRoute NOTIFY accountChanged)
    Q_PROPERTY(QString accountingMode READ accountingMode NOTIFY accountChanged)
    Q_PROPERTY(QString paymentsSetupMessage READ paymentsSetupMessage NOTIFY accountChanged)
    Q_PROPERTY(bool usesDailySquareImport READ usesDailySquareImport NOTIFY accountChanged)
    Q_PROPERTY(QString paymentsSetupNotice READ paymentsSetupNotice NOTIFY accountChanged)
    Q_PROPERTY(bool canStartCheckout READ canStartCheckout NOTIFY canStartCheckoutChanged)
    // The shown transaction; the texts are empty and the numbers zero without one.
    Q_PROPERTY(bool hasTransaction READ hasTransaction NOTIFY transactionChanged)
    Q_PROPERTY(QString transactionId READ transactionId NOTIFY transactionChanged)
    Q_PROPERTY(QString status READ status NOTIFY transactionChanged)
    Q_PROPERTY(QString statusLabel READ statusLabel NOTIFY transactionChanged)
    Q_PROPERTY(QString tender READ tender NOTIFY transactionChanged)
    Q_PROPERTY(QString quoteNumber READ quoteNumber NOTIFY transactionChanged)
    Q_PROPERTY(qint64 amountCents READ amountCents NOTIFY transactionChanged)
    Q_PROPERTY(qint64 cashCents READ cashCents NOTIFY transactionChanged)
    Q_PROPERTY(QString amountText READ amountText NOTIFY transactionChanged)
    Q_PROPERTY(bool hold READ hold NOTIFY transactionChanged)
    Q_PROPERTY(QString invoiceNumber READ invoiceNumber NOTIFY transactionChanged)
    // Only a vetted receipt address; empty when there is none to open.
    Q_PROPERTY(QString receiptLink READ receiptLink NOTIFY transactionChanged)
    Q_PROPERTY(QString transactionError READ transactionError NOTIFY transactionChanged)
    // The shown transaction is the draft's own checkout, not one followed
    // from the history while the draft holds other work.
    Q_PROPERTY(bool ownCheckout READ ownCheckout NOTIFY ownCheckoutChanged)

public:
    explicit CheckoutPart(CheckoutModel &workspace);
    CheckoutModel &workspace() const { return m_workspace; }

    // ---- state ---------------------------------------------------------------
    const std::optional<CheckoutTransaction> &transaction() const { return m_transaction; }
    bool paymentsEnabled() const { return m_paymentsEnabled; }
    QString paymentRoute() const { return m_paymentRoute; }
    QString accountingMode() const { return m_accountingMode; }
    QString paymentsSetupMessage() const { return m_paymentsSetupMessage; }
    bool usesDailySquareImport() const;
    QString paymentsSetupNotice() const;
    bool canStartCheckout() const { return m_canStartCheckout; }
    const std::optional<TaskHandle> &poller() const { return m_poller; }
    QUuid watchGeneration() const { return m_watchGeneration; }

    // ---- operations ------------------------------------------------------------
    QCoro::Task<> refreshAccount();
    QCoro::Task<> loadAccount(); // throws
    // The account settings of a reply of the account endpoint.
    void applyAccount(const Me &me);
    // True when the shown transaction is a live checkout afterwards.
    QCoro::Task<bool> startCheckout(QString tender, QString cash);
    void watch(const CheckoutTransaction &transaction);
    QCoro::Task<> resume(CheckoutTransaction transaction);
    QCoro::Task<> cancelCheckout(CheckoutTransaction transaction);
    QCoro::Task<> recoverCheckoutRequest(); // throws
    QCoro::Task<> resumeCheckout();
    // Unlinks a draft whose checkout never started; false when the draft's
    // pending checkout is not the one that was sent.
    static bool clearAbortedCheckout(Draft &draft, const std::optional<CheckoutRequest> &sent);
    QCoro::Task<> setHold(bool hold);
    QCoro::Task<> requestReceipt();
    QCoro::Task<> printQuotePDF();
    QCoro::Task<> printInvoicePDF();
    QCoro::Task<> printDocument(QString path, QString jobName); // throws
    static QCoro::Task<PrintService::Check> checkInBackground(PrintService *printer, QByteArray document);
    void startNextSale();
    // Stops showing a transaction, which stays in the history, so the draft
    // is back on screen as it was.
    void showDraft();
    // Reloads the account's payment settings in the background; the sheet
    // and the screens keep working with the last ones meanwhile.
    QCoro::Task<> refreshPaymentSettings();

    // ---- the screens' view -----------------------------------------------------
    bool hasTransaction() const { return m_transaction.has_value(); }
    QString transactionId() const;
    QString status() const;
    QString statusLabel() const;
    QString tender() const;
    QString quoteNumber() const;
    qint64 amountCents() const;
    qint64 cashCents() const;
    QString amountText() const;
    bool hold() const;
    QString invoiceNumber() const;
    QString receiptLink() const;
    QString transactionError() const;
    // Read afresh: bindings re-read it on the transaction's own change signal,
    // before this part has caught up with it.
    bool ownCheckout() const;

    // Resolves to true when a checkout was started (or the stored one re-sent).
    Q_INVOKABLE QCoro::QmlTask start(const QString &tender, const QString &cash);
    Q_INVOKABLE void resumeShown();
    Q_INVOKABLE void resumePending();
    Q_INVOKABLE void cancel();
    Q_INVOKABLE void changeHold(bool hold);
    Q_INVOKABLE void askForReceipt();
    Q_INVOKABLE void printInvoice();
    Q_INVOKABLE void nextSale() { startNextSale(); }
    Q_INVOKABLE void backToDraft() { showDraft(); }
    Q_INVOKABLE void refreshSettings();

signals:
    void accountChanged();
    void transactionChanged();
    void canStartCheckoutChanged();
    void ownCheckoutChanged();

private:
    friend class CheckoutModel;
    friend class QuotePart;

    static QCoro::Task<> pollLoop(QPointer<CheckoutPart> model, TaskHandle handle, QUuid generation,
                                  QString transactionId, QString base, QString token);
    static QCoro::Task<> holdOnServer(CheckoutPart *part, QString id, bool hold);
    static QCoro::Task<> receiptOnServer(CheckoutPart *part, QString id, QString requestId);
    void setTransaction(std::optional<CheckoutTransaction> transaction);
    // Stops the payment-status watch; its late replies are dropped.
    void stopWatching();
    void resetAccount();
    void recheck();

    CheckoutModel &m_workspace;
    std::optional<CheckoutTransaction> m_transaction;
    bool m_paymentsEnabled = false;
    QString m_paymentRoute;
    QString m_accountingMode;
    QString m_paymentsSetupMessage;
    std::optional<TaskHandle> m_poller;
    QUuid m_watchGeneration;
    bool m_canStartCheckout = false;
    bool m_ownCheckout = false;
    bool m_settingsLoading = false;
    // A receipt request sent without a known outcome: a second tap for the
    // same checkout sends it again rather than a new one.
    struct UnansweredReceipt {
        QString checkoutId;
        QString requestId;
    };
    std::optional<UnansweredReceipt> m_unansweredReceipt;
};

} // namespace vantrel
