#pragma once
// One saved quote of the browsed customer: the list's copy at once, then the
// server's latest copy with its payment state, and putting it into the
// workspace for editing or checkout.

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <QCoroQmlTask>

#include "QuoteBrowserState.h"
#include "QuoteBrowserRules.h"

#include <optional>

namespace vantrel {

class QuoteDetailState : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(vantrel::QuoteBrowserState *browser READ browser WRITE setBrowser NOTIFY browserChanged)
    Q_PROPERTY(QAbstractListModel *lines READ lineList CONSTANT)
    Q_PROPERTY(QAbstractListModel *invoices READ invoiceList CONSTANT)
    // Everything below changes together; one signal, sent only when a value changed.
    Q_PROPERTY(QString quoteId READ quoteId NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(bool loading READ loading NOTIFY changed)
    Q_PROPERTY(bool opening READ opening NOTIFY changed)
    Q_PROPERTY(QString message READ message NOTIFY changed)
    Q_PROPERTY(QString status READ status NOTIFY changed)
    Q_PROPERTY(QString totalText READ totalText NOTIFY changed)
    Q_PROPERTY(QString subtotalText READ subtotalText NOTIFY changed)
    Q_PROPERTY(QString taxText READ taxText NOTIFY changed)
    Q_PROPERTY(QString notes READ notes NOTIFY changed)
    Q_PROPERTY(QString terms READ terms NOTIFY changed)
    Q_PROPERTY(bool locked READ locked NOTIFY changed)
    Q_PROPERTY(bool useEnabled READ useEnabled NOTIFY changed)
    Q_PROPERTY(QString useTitle READ useTitle NOTIFY changed)
    // The draft holds edits that using this quote would replace: ask first.
    Q_PROPERTY(bool useNeedsConfirmation READ useNeedsConfirmation NOTIFY changed)
    Q_PROPERTY(QString paymentPlaceholder READ paymentPlaceholder NOTIFY changed)
    Q_PROPERTY(QString paymentLabel READ paymentLabel NOTIFY changed)
    Q_PROPERTY(QString paymentSymbol READ paymentSymbol NOTIFY changed)
    Q_PROPERTY(QString balanceText READ balanceText NOTIFY changed)
    Q_PROPERTY(bool squareConfirmed READ squareConfirmed NOTIFY changed)
    Q_PROPERTY(QString squareNote READ squareNote NOTIFY changed)
    Q_PROPERTY(QString checkedText READ checkedText NOTIFY changed)
    Q_PROPERTY(QString paymentWarning READ paymentWarning NOTIFY changed)

public:
    explicit QuoteDetailState(QObject *parent = nullptr);
    ~QuoteDetailState() override;

    QuoteBrowserState *browser() const { return m_browser; }
    void setBrowser(QuoteBrowserState *browser);
    QAbstractListModel *lineList() const { return m_lines; }
    QAbstractListModel *invoiceList() const { return m_invoices; }
    QString quoteId() const { return m_view.quoteId; }
    QString title() const { return m_view.title; }
    bool loading() const { return m_view.loading; }
    bool opening() const { return m_view.opening; }
    QString message() const { return m_view.message.value_or(QString()); }
    QString status() const { return m_view.status; }
    QString totalText() const { return m_view.totalText; }
    QString subtotalText() const { return m_view.subtotalText; }
    QString taxText() const { return m_view.taxText; }
    QString notes() const { return m_view.notes; }
    QString terms() const { return m_view.terms; }
    bool locked() const { return m_view.locked; }
    bool useEnabled() const { return m_view.useEnabled; }
    QString useTitle() const { return m_view.useTitle; }
    bool useNeedsConfirmation() const { return m_view.useNeedsConfirmation; }
    QString paymentPlaceholder() const { return m_view.payment.placeholder; }
    QString paymentLabel() const { return m_view.payment.label; }
    QString paymentSymbol() const { return m_view.payment.symbol; }
    QString balanceText() const { return m_view.payment.balance; }
    bool squareConfirmed() const { return m_view.payment.squareConfirmed; }
    QString squareNote() const { return m_view.payment.squareNote; }
    QString checkedText() const { return m_view.payment.checked; }
    QString paymentWarning() const { return m_view.payment.warning; }

    // Shows a quote of the browser's list and fetches its latest copy; false
    // for a quote the list does not hold.
    Q_INVOKABLE bool show(const QString &quoteId);
    // Fetches the latest copy again (pull to refresh, "Refresh payment status").
    Q_INVOKABLE void refresh();
    // The detail went away: its load stops.
    Q_INVOKABLE void end();
    // Opens the quote into the workspace; resolves to true when it is the draft.
    Q_INVOKABLE QCoro::QmlTask use();

signals:
    void browserChanged();
    void changed();

private:
    struct View {
        QString quoteId, title, status, totalText, subtotalText, taxText, notes, terms, useTitle;
        bool locked = false, useEnabled = false, useNeedsConfirmation = false;
        bool loading = false, opening = false;
        std::optional<QString> message;
        screens::PaymentSection payment;
        bool operator==(const View &) const = default;
    };
    static QCoro::Task<> fetch(QPointer<QuoteDetailState> self, TaskHandle handle, QString quoteId,
                               QString customerId);
    static QCoro::Task<bool> open(QPointer<QuoteDetailState> self, QPointer<CheckoutModel> workspace,
                                  QString quoteId, Customer customer);
    const Quote &shown() const { return m_fresh ? *m_fresh : m_initial; }
    CheckoutModel *workspace() const { return m_browser ? m_browser->workspace() : nullptr; }
    void stopLoad();
    void showLines();
    void recompute();
    View compute() const;

    QPointer<QuoteBrowserState> m_browser;
    QList<QMetaObject::Connection> m_connections;
    RecordListModel<QuoteLine> *m_lines;
    RecordListModel<QuoteInvoice> *m_invoices;
    Quote m_initial;
    std::optional<Quote> m_fresh;
    std::optional<Customer> m_customer;
    QString m_linesCurrency;
    bool m_loading = false;
    bool m_opening = false;
    std::optional<QString> m_message;
    std::optional<TaskHandle> m_task;
    View m_view;
};

} // namespace vantrel
