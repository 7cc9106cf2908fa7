#pragma once
// Words that both the C++ rules and the QML views show, handed to QML from
// their one home in the rules so that no view types them a second time.

#include "screens/checkout/CheckoutRules.h"
#include "screens/customers/QuoteBrowserRules.h"
#include "screens/quote/QuoteEditorRules.h"

#include "screens/controls/text/LanguageChoice.h"

#include <QCoreApplication>
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

class SharedTexts : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString done READ done NOTIFY changed)
    Q_PROPERTY(QString tryAgain READ tryAgain NOTIFY changed)
    Q_PROPERTY(QString customers READ customers NOTIFY changed)
    Q_PROPERTY(QString searchCustomers READ searchCustomers NOTIFY changed)
    Q_PROPERTY(QString customerSearchPrompt READ customerSearchPrompt NOTIFY changed)
    Q_PROPERTY(QString noCustomersFound READ noCustomersFound NOTIFY changed)
    Q_PROPERTY(QString dealNumberPending READ dealNumberPending NOTIFY changed)
    Q_PROPERTY(QString squareInvoicePrefix READ squareInvoicePrefix NOTIFY changed)
    Q_PROPERTY(QString squarePaymentConfirmed READ squarePaymentConfirmed NOTIFY changed)
    Q_PROPERTY(QString browseCustomerQuotes READ browseCustomerQuotes NOTIFY changed)
    Q_PROPERTY(QString useSavedQuote READ useSavedQuote NOTIFY changed)
    Q_PROPERTY(QString checkSavedRequest READ checkSavedRequest NOTIFY changed)
    Q_PROPERTY(QString cashReceived READ cashReceived NOTIFY changed)
    Q_PROPERTY(QString removePrefix READ removePrefix NOTIFY changed)
    Q_PROPERTY(QString cancel READ cancel NOTIFY changed)
    Q_PROPERTY(QString changeCustomerTitle READ changeCustomerTitle NOTIFY changed)
    Q_PROPERTY(QString changeCustomerMessage READ changeCustomerMessage NOTIFY changed)
    Q_PROPERTY(QString useSelectedCustomer READ useSelectedCustomer NOTIFY changed)
    Q_PROPERTY(QString keepCurrentCustomer READ keepCurrentCustomer NOTIFY changed)

public:
    // They are read again in the new language when it changes.
    explicit SharedTexts(QObject *parent = nullptr) : QObject(parent)
    {
        connect(LanguageChoice::instance(), &LanguageChoice::changed, this, &SharedTexts::changed);
    }

    static QString done() { return editorText::done.toString(); }
    static QString tryAgain() { return editorText::tryAgain.toString(); }
    static QString customers() { return browserText::customers.toString(); }
    static QString searchCustomers() { return editorText::searchCustomers.toString(); }
    static QString customerSearchPrompt() { return editorText::customerSearchPrompt.toString(); }
    static QString noCustomersFound() { return editorText::noCustomersFound.toString(); }
    static QString dealNumberPending() { return editorText::dealNumberPending.toString(); }
    static QString squareInvoicePrefix() { return browserText::squareInvoicePrefix.toString(); }
    static QString squarePaymentConfirmed() { return checkoutText::squarePaymentConfirmed.toString(); }
    static QString browseCustomerQuotes() { return editorText::browseCustomerQuotes.toString(); }
    static QString useSavedQuote() { return browserText::useSavedQuote.toString(); }
    static QString checkSavedRequest() { return editorText::checkSavedRequest.toString(); }
    static QString cashReceived() { return checkoutText::cashReceived.toString(); }
    static QString removePrefix() { return editorText::removePrefix.toString(); }
    static QString cancel() { return editorText::cancel.toString(); }
    static QString changeCustomerTitle() { return editorText::changeCustomerTitle.toString(); }
    static QString changeCustomerMessage() { return editorText::changeCustomerMessage.toString(); }
    static QString useSelectedCustomer() { return editorText::useSelectedCustomer.toString(); }
    static QString keepCurrentCustomer() { return editorText::keepCurrentCustomer.toString(); }

    // A category chip's name: the fixed categories in the chosen language,
    // any other as the catalog names it. The last argument is Format.language,
    // for bindings to follow a change of language.
    Q_INVOKABLE static QString category(const QString &key, const QString & = {})
    {
        static constexpr const char *named[] = {
            QT_TRANSLATE_NOOP("Catalog", "All"),    QT_TRANSLATE_NOOP("Catalog", "Uncategorized"),
            QT_TRANSLATE_NOOP("Catalog", "Base"),   QT_TRANSLATE_NOOP("Catalog", "Wall"),
            QT_TRANSLATE_NOOP("Catalog", "Vanity"), QT_TRANSLATE_NOOP("Catalog", "Accessories")};
        for (const char *name : named)
            if (key == QLatin1String(name)) return QCoreApplication::translate("Catalog", name);
        return key;
    }

signals:
    void changed();
};

} // namespace vantrel::screens
