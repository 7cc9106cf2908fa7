#pragma once
// The customer sheet's view of the workspace: the new-customer form kept with
// the draft (so unfinished details survive closing the sheet), the campaign
// options it offers, the pending creation, and the rules for choosing a
// customer from the search.

#include "screens/controls/WorkspaceFace.h"

#include <QCoroQmlTask>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

namespace vantrel {

class CustomerSheetState : public vantrel::WorkspaceFace {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString firstName READ firstName NOTIFY formChanged)
    Q_PROPERTY(QString lastName READ lastName NOTIFY formChanged)
    Q_PROPERTY(QString phone READ phone NOTIFY formChanged)
    Q_PROPERTY(QString email READ email NOTIFY formChanged)
    Q_PROPERTY(QString dealAmount READ dealAmount NOTIFY formChanged)
    // The form's campaign among the options; -1 when none is chosen or the
    // chosen one is not offered (see savedSelection).
    Q_PROPERTY(int campaignIndex READ campaignIndex NOTIFY formChanged)
    Q_PROPERTY(bool savedSelection READ savedSelection NOTIFY formChanged)
    Q_PROPERTY(bool pending READ pending NOTIFY formChanged)
    Q_PROPERTY(bool canSubmit READ canSubmit NOTIFY formChanged)
    Q_PROPERTY(QString submitTitle READ submitTitle NOTIFY formChanged)
    Q_PROPERTY(QStringList campaignNames READ campaignNames NOTIFY optionsChanged)
    Q_PROPERTY(bool optionsBusy READ optionsBusy NOTIFY optionsChanged)
    Q_PROPERTY(QString optionsError READ optionsError NOTIFY optionsChanged)

public:
    explicit CustomerSheetState(QObject *parent = nullptr);

    QString firstName() const { return form().firstName; }
    QString lastName() const { return form().lastName; }
    QString phone() const { return form().phone; }
    QString email() const { return form().email; }
    QString dealAmount() const { return form().dealAmount.value_or(QString()); }
    int campaignIndex() const;
    bool savedSelection() const;
    bool pending() const;
    bool canSubmit() const;
    QString submitTitle() const;
    QStringList campaignNames() const;
    bool optionsBusy() const { return m_optionsBusy; }
    QString optionsError() const { return m_optionsError; }

    // One form field by name ("firstName", "lastName", "phone", "email",
    // "dealAmount"); one draft write per change.
    Q_INVOKABLE void setField(const QString &name, const QString &value);
    Q_INVOKABLE void chooseCampaign(int index);
    // Loads the campaign options; a load still running is abandoned.
    Q_INVOKABLE void loadCampaigns();
    // Whether choosing this customer from the search must be confirmed:
    // another customer for a draft with a saved quote or unsaved edits.
    Q_INVOKABLE bool choiceNeedsConfirmation(const QString &customerId) const;
    // Creates the customer and deal; with a creation pending, first finds out
    // whether it already happened and sends it again only when it did not.
    // Resolves to true when the customer is on the draft.
    Q_INVOKABLE QCoro::QmlTask submit();
    // Settles a pending creation before its details can be edited: resolves
    // to true when it had in fact completed (the customer is on the draft),
    // false when the details are back in the form (or the check failed).
    Q_INVOKABLE QCoro::QmlTask editDetails();

    // The form as it stands: the unfinished details, else the pending request.
    NewCustomerRequest form() const;
    // Which campaign the form should hold once the options arrived: its own
    // when offered, else the options' default.
    static QString campaignAfterLoad(const std::optional<QString> &formCampaign,
                                     const CustomerOptions &options);

signals:
    void formChanged();
    void optionsChanged();

protected:
    QList<QMetaObject::Connection> connectTo(CheckoutModel *workspace) override;
    void switched() override;
    // What the form shows is worked out as it is read: it is read again.
    void relabel() override { emit formChanged(); }

private:
    static QCoro::Task<> loadOptions(QPointer<CustomerSheetState> self, int generation);
    static QCoro::Task<bool> submitSteps(QPointer<CheckoutModel> workspace);
    static QCoro::Task<bool> settleSteps(QPointer<CheckoutModel> workspace);
    void updateForm(const std::function<void(NewCustomerRequest &)> &change);
    void formMayHaveChanged();

    QList<Campaign> m_campaigns;
    bool m_optionsBusy = false;
    QString m_optionsError;
    int m_optionsGeneration = 0;
    NewCustomerRequest m_shownForm;
    bool m_shownPending = false;
};

} // namespace vantrel
