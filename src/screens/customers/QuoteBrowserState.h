#pragma once
// The customer quote browser's own state: a customer search and a customer's
// saved quotes, fetched straight from the server and kept apart from the
// workspace's lists, with the texts and switches the QML sheet binds.

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <QCoroQmlTask>

#include "screens/controls/WorkspaceFace.h"
#include "workflow/RecordListModel.h"
#include "workflow/TaskHandle.h"

#include <optional>

namespace vantrel {

class QuoteBrowserState : public vantrel::WorkspaceFace {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QAbstractListModel *customers READ customerList CONSTANT)
    // The quotes of the chosen customer that match the search.
    Q_PROPERTY(QAbstractListModel *quotes READ quoteList CONSTANT)
    // The customer search, or the quote search once a customer is chosen.
    Q_PROPERTY(QString search READ search WRITE setSearch NOTIFY changed)
    Q_PROPERTY(bool hasCustomer READ hasCustomer NOTIFY changed)
    Q_PROPERTY(QString customerName READ customerName NOTIFY changed)
    Q_PROPERTY(bool loading READ loading NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString searchLabel READ searchLabel NOTIFY changed)
    Q_PROPERTY(QString searchPrompt READ searchPrompt NOTIFY changed)
    // What stands in place of the rows: "text", "failure" (with "Try again") or "rows".
    Q_PROPERTY(QString listKind READ listKind NOTIFY changed)
    Q_PROPERTY(QString listText READ listText NOTIFY changed)
    Q_PROPERTY(bool showsLockedNote READ showsLockedNote NOTIFY changed)
    Q_PROPERTY(bool showsLiveCheckoutNote READ showsLiveCheckoutNote NOTIFY changed)
    Q_PROPERTY(bool canUseCustomer READ canUseCustomer NOTIFY changed)
    Q_PROPERTY(bool customerChangeNeedsConfirmation READ customerChangeNeedsConfirmation NOTIFY changed)
    // What the running (or last) load fetches: "customers:" + search or "quotes:" + customer id.
    Q_PROPERTY(QString loadKey READ loadKey NOTIFY changed)

public:
    explicit QuoteBrowserState(QObject *parent = nullptr);
    ~QuoteBrowserState() override;

    QAbstractListModel *customerList() const { return m_customers; }
    QAbstractListModel *quoteList() const { return m_quotes; }
    QString search() const { return m_view.search; }
    void setSearch(const QString &text);
    bool hasCustomer() const { return m_view.hasCustomer; }
    QString customerName() const { return m_view.customerName; }
    const std::optional<Customer> &customer() const { return m_customer; }
    bool loading() const { return m_view.loading; }
    QString title() const { return m_view.title; }
    QString searchLabel() const { return m_view.searchLabel; }
    QString searchPrompt() const { return m_view.searchPrompt; }
    QString listKind() const { return m_view.listKind; }
    QString listText() const { return m_view.listText; }
    bool showsLockedNote() const { return m_view.showsLockedNote; }
    bool showsLiveCheckoutNote() const { return m_view.showsLiveCheckoutNote; }
    bool canUseCustomer() const { return m_view.canUseCustomer; }
    bool customerChangeNeedsConfirmation() const { return m_view.needsConfirmation; }
    QString loadKey() const { return m_view.loadKey; }
    // The list's copy of one of the customer's quotes.
    std::optional<Quote> listedQuote(const QString &quoteId) const;

    // The sheet opens on a fresh search, or on the draft's customer.
    Q_INVOKABLE void begin(bool withDraftCustomer);
    // The sheet closed: the load stops and the lists go.
    Q_INVOKABLE void end();
    // A customer of the search results; false for an id that is not listed.
    Q_INVOKABLE bool chooseCustomer(const QString &customerId);
    Q_INVOKABLE void searchAllCustomers();
    // Loads again what is shown (pull to refresh, "Try again").
    Q_INVOKABLE void refresh();
    // Puts the browsed customer on the draft; resolves to true when it is there.
    Q_INVOKABLE QCoro::QmlTask useCustomer();

signals:
    void changed();

protected:
    QList<QMetaObject::Connection> connectTo(CheckoutModel *workspace) override;
    void switched() override;
    void leaving() override;
    void relabel() override;

private:
    // Everything QML reads besides the lists; one change signal when any of it changed.
    struct View {
        QString search, customerName, loadKey;
        bool hasCustomer = false, loading = false;
        QString title, searchLabel, searchPrompt, listKind, listText;
        bool showsLockedNote = false, showsLiveCheckoutNote = false;
        bool canUseCustomer = false, needsConfirmation = false;
        bool operator==(const View &) const = default;
    };
    static QCoro::Task<> loadCustomers(QPointer<QuoteBrowserState> self, TaskHandle handle, QString text,
                                       std::chrono::milliseconds wait);
    static QCoro::Task<> loadQuotes(QPointer<QuoteBrowserState> self, TaskHandle handle, QString customerId);
    static QCoro::Task<bool> selectOnWorkspace(QPointer<CheckoutModel> workspace, Customer customer);
    void restart(bool debounce);
    void stopLoad();
    void loaded();
    void failed(const std::exception_ptr &failure);
    void refilter();
    QString currentKey() const;
    void recompute();
    View compute() const;

    RecordListModel<Customer> *m_customers;
    RecordListModel<Quote> *m_quotes;
    QList<Quote> m_allQuotes;
    std::optional<Customer> m_customer;
    QString m_customerSearch;
    QString m_quoteSearch;
    bool m_active = false;
    bool m_loading = false;
    std::optional<QString> m_message;
    std::optional<TaskHandle> m_task;
    View m_view;
};

} // namespace vantrel
