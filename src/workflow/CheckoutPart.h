#pragma once
// The checkout as the screens see it: the account's payment settings, the
// transaction being shown and watched, and the actions before and after
// payment.

#include <QCoroQmlTask>
#include <QObject>

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

public:
    explicit CheckoutPart(CheckoutModel &workspace);

    bool paymentsEnabled() const;
    QString paymentRoute() const;
    QString accountingMode() const;
    QString paymentsSetupMessage() const;
    bool usesDailySquareImport() const;
    QString paymentsSetupNotice() const;
    bool canStartCheckout() const { return m_canStartCheckout; }
    bool hasTransaction() const;
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

    // Resolves to true when a checkout was started (or the stored one re-sent).
    Q_INVOKABLE QCoro::QmlTask start(const QString &tender, const QString &cash);
    Q_INVOKABLE void resumeCheckout();
    Q_INVOKABLE void resume();
    Q_INVOKABLE void cancel();
    Q_INVOKABLE void setHold(bool hold);
    Q_INVOKABLE void requestReceipt();
    Q_INVOKABLE void printInvoicePDF();
    Q_INVOKABLE void startNextSale();

signals:
    void accountChanged();
    void transactionChanged();
    void canStartCheckoutChanged();

private:
    void recheck();

    CheckoutModel &m_workspace;
    bool m_canStartCheckout = false;
};

} // namespace vantrel
