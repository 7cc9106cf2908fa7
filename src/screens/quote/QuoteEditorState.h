#pragma once
// The quote editor's view of the workspace: the editor rules applied to the
// current draft and account, as properties the QML editor binds, plus the
// few editor actions that are more than one call of a workspace part.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <QCoroQmlTask>

#include "QuoteEditorRules.h"
#include "screens/controls/RowsModel.h"

#include "screens/controls/WorkspaceFace.h"

namespace vantrel {

class QuoteEditorState : public vantrel::WorkspaceFace {
    Q_OBJECT
    QML_ELEMENT
    // Everything below changes together with the draft; one signal, sent
    // only when a value really changed.
    Q_PROPERTY(QString subtitle READ subtitle NOTIFY changed)
    Q_PROPERTY(QString badge READ badge NOTIFY changed)
    Q_PROPERTY(bool hasCustomer READ hasCustomer NOTIFY changed)
    Q_PROPERTY(QString customerSymbol READ customerSymbol NOTIFY changed)
    Q_PROPERTY(QString customerTitle READ customerTitle NOTIFY changed)
    Q_PROPERTY(QString customerCaption READ customerCaption NOTIFY changed)
    Q_PROPERTY(QString quotesCaption READ quotesCaption NOTIFY changed)
    Q_PROPERTY(bool dealShown READ dealShown NOTIFY changed)
    Q_PROPERTY(QString dealButtonTitle READ dealButtonTitle NOTIFY changed)
    Q_PROPERTY(bool dealLinked READ dealLinked NOTIFY changed)
    Q_PROPERTY(QString dealTitle READ dealTitle NOTIFY changed)
    Q_PROPERTY(QString dealNumberCaption READ dealNumberCaption NOTIFY changed)
    Q_PROPERTY(QString dealName READ dealName NOTIFY changed)
    Q_PROPERTY(QString dealIdCaption READ dealIdCaption NOTIFY changed)
    Q_PROPERTY(bool crmLinkOffered READ crmLinkOffered NOTIFY changed)
    Q_PROPERTY(bool driveLinkOffered READ driveLinkOffered NOTIFY changed)
    Q_PROPERTY(bool drivePending READ drivePending NOTIFY changed)
    Q_PROPERTY(QString lineCountText READ lineCountText NOTIFY changed)
    Q_PROPERTY(bool showsOrderDiscount READ showsOrderDiscount NOTIFY changed)
    // Roles label and amount.
    Q_PROPERTY(vantrel::screens::RowsModel *totals READ totals CONSTANT)
    Q_PROPERTY(QString totalsCaption READ totalsCaption NOTIFY changed)
    // Roles kind, text, symbol, actionEnabled, working and warning, in the
    // order they stand (a delegate's own `enabled` and a Loader's `progress`
    // would shadow plainer names).
    Q_PROPERTY(vantrel::screens::RowsModel *actions READ actions CONSTANT)
    Q_PROPERTY(QString savedQuoteId READ savedQuoteId NOTIFY changed)
    Q_PROPERTY(QString savedQuoteNumber READ savedQuoteNumber NOTIFY changed)
    // The tax picker: labels and the tax id of each, "no line tax" first.
    Q_PROPERTY(QStringList taxLabels READ taxLabels NOTIFY changed)
    Q_PROPERTY(QStringList taxIds READ taxIds NOTIFY changed)

public:
    explicit QuoteEditorState(QObject *parent = nullptr);

    QString subtitle() const { return m_view.subtitle; }
    QString badge() const { return m_view.badge; }
    bool hasCustomer() const { return m_view.hasCustomer; }
    QString customerSymbol() const { return m_view.customerSymbol; }
    QString customerTitle() const { return m_view.customerTitle; }
    QString customerCaption() const { return m_view.customerCaption; }
    QString quotesCaption() const { return m_view.quotesCaption; }
    bool dealShown() const { return m_view.dealShown; }
    QString dealButtonTitle() const { return m_view.dealButtonTitle; }
    bool dealLinked() const { return m_view.dealLinked; }
    QString dealTitle() const { return m_view.dealTitle; }
    QString dealNumberCaption() const { return m_view.dealNumberCaption; }
    QString dealName() const { return m_view.dealName; }
    QString dealIdCaption() const { return m_view.dealIdCaption; }
    bool crmLinkOffered() const { return m_view.crmLinkOffered; }
    bool driveLinkOffered() const { return m_view.driveLinkOffered; }
    bool drivePending() const { return m_view.drivePending; }
    QString lineCountText() const { return m_view.lineCountText; }
    bool showsOrderDiscount() const { return m_view.showsOrderDiscount; }
    screens::RowsModel *totals() const { return m_totals; }
    QString totalsCaption() const { return m_view.totalsCaption; }
    screens::RowsModel *actions() const { return m_actions; }
    QString savedQuoteId() const { return m_view.savedQuoteId; }
    QString savedQuoteNumber() const { return m_view.savedQuoteNumber; }
    QStringList taxLabels() const { return m_view.taxLabels; }
    QStringList taxIds() const { return m_view.taxIds; }

    // Index of a line's tax among the picker's choices; -1 for a tax the
    // account no longer offers (the picker then shows nothing chosen rather
    // than pretending "no line tax").
    Q_INVOKABLE int taxIndex(const QString &taxId) const;
    // Whether the stepper's minus would change this quantity.
    Q_INVOKABLE bool canStepDown(const QString &quantity) const;
    // Opens the linked deal's CRM or Drive page; the address is read from the
    // draft and vetted here, never taken from the screen.
    Q_INVOKABLE bool openCrmLink() const;
    Q_INVOKABLE bool openDriveLink() const;
    // Loads the chosen customer's quotes and deals as a busy operation;
    // resolves to true when the quote browser can open.
    Q_INVOKABLE QCoro::QmlTask browseCustomerQuotes();
    // Runs an action of the buttons under the totals ("save", "print",
    // "checkSavedRequest"); while its operation runs, that button shows the
    // progress, not whichever button happens to be first.
    Q_INVOKABLE void runAction(const QString &kind);

signals:
    void changed();

protected:
    QList<QMetaObject::Connection> connectTo(CheckoutModel *workspace) override;
    void switched() override;

private:
    struct View {
        QString subtitle, badge;
        bool hasCustomer = false;
        QString customerSymbol, customerTitle, customerCaption, quotesCaption;
        bool dealShown = false, dealLinked = false;
        QString dealButtonTitle, dealTitle, dealNumberCaption, dealName, dealIdCaption;
        bool crmLinkOffered = false, driveLinkOffered = false, drivePending = false;
        QString lineCountText;
        bool showsOrderDiscount = false;
        QList<QVariantMap> totals;
        QString totalsCaption;
        QList<QVariantMap> actions;
        QString savedQuoteId, savedQuoteNumber;
        QStringList taxLabels, taxIds;
        bool operator==(const View &) const = default;
    };
    void recompute();
    View compute() const;

    View m_view;
    screens::RowsModel *m_totals;
    screens::RowsModel *m_actions;
    std::optional<screens::EditorItem> m_running;
};

// Opens an address from the server in the browser only when it is a plain
// https link to a host; false (and nothing opened) otherwise.
bool openVettedLink(const QString &address);

} // namespace vantrel
