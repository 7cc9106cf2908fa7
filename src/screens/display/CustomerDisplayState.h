#pragma once
// The customer display's view of the workspace: which stage the sale is at,
// its totals by the editor's own rule, and what the customer pays and how.
// Lines are read straight from the workspace's line list.

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include "screens/checkout/CheckoutSheetState.h"
#include "screens/controls/RowsModel.h"
#include "screens/controls/WorkspaceFace.h"

#include "workflow/CheckoutModel.h"

namespace vantrel {

// Hands the open checkout sheet to the display, so the customer sees the
// tender and the cash as the associate enters them; one per engine.
class CheckoutSheetRelay : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(vantrel::CheckoutSheetState *sheet READ sheet WRITE setSheet NOTIFY sheetChanged)

public:
    using QObject::QObject;
    CheckoutSheetState *sheet() const { return m_sheet; }
    void setSheet(CheckoutSheetState *sheet);

signals:
    void sheetChanged();

private:
    QPointer<CheckoutSheetState> m_sheet;
};

class CustomerDisplayState : public vantrel::WorkspaceFace {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(vantrel::CheckoutSheetState *sheet READ sheet WRITE setSheet NOTIFY sheetChanged)
    // "idle", "building", "checkout" or "complete".
    Q_PROPERTY(QString stage READ stage NOTIFY changed)
    // Roles label and amount, as the editor shows them.
    Q_PROPERTY(vantrel::screens::RowsModel *totals READ totals CONSTANT)
    Q_PROPERTY(QString amountDueText READ amountDueText NOTIFY changed)
    Q_PROPERTY(QString tenderText READ tenderText NOTIFY changed)
    Q_PROPERTY(QString instruction READ instruction NOTIFY changed)
    // Empty while no cash is known.
    Q_PROPERTY(QString cashText READ cashText NOTIFY changed)
    Q_PROPERTY(QString changeText READ changeText NOTIFY changed)
    Q_PROPERTY(bool changeGiven READ changeGiven NOTIFY changed)

public:
    explicit CustomerDisplayState(QObject *parent = nullptr);

    CheckoutSheetState *sheet() const { return m_sheet; }
    void setSheet(CheckoutSheetState *sheet);
    QString stage() const { return m_view.stage; }
    screens::RowsModel *totals() const { return m_totals; }
    QString amountDueText() const { return m_view.amountDueText; }
    QString tenderText() const { return m_view.tenderText; }
    QString instruction() const { return m_view.instruction; }
    QString cashText() const { return m_view.cashText; }
    QString changeText() const { return m_view.changeText; }
    bool changeGiven() const { return m_view.changeGiven; }

signals:
    void sheetChanged();
    void changed();

protected:
    QList<QMetaObject::Connection> connectTo(CheckoutModel *workspace) override;
    void switched() override;

private:
    struct View {
        QString stage;
        QList<QVariantMap> totals;
        QString amountDueText, tenderText, instruction, cashText, changeText;
        bool changeGiven = false;
        bool operator==(const View &) const = default;
    };
    void recompute();
    View compute() const;

    QPointer<CheckoutSheetState> m_sheet;
    QMetaObject::Connection m_sheetConnection;
    View m_view;
    screens::RowsModel *m_totals;
};

} // namespace vantrel
