#pragma once
// Words that both the C++ rules and the QML views show, handed to QML from
// their one home in the rules so that no view types them a second time.

#include "screens/checkout/CheckoutRules.h"
#include "screens/customers/QuoteBrowserRules.h"
#include "screens/quote/QuoteEditorRules.h"

#include "records/TypedAmount.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

class SharedTexts : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString done READ done CONSTANT)
    Q_PROPERTY(QString tryAgain READ tryAgain CONSTANT)
    Q_PROPERTY(QString customers READ customers CONSTANT)
    Q_PROPERTY(QString searchCustomers READ searchCustomers CONSTANT)
    Q_PROPERTY(QString customerSearchPrompt READ customerSearchPrompt CONSTANT)
    Q_PROPERTY(QString noCustomersFound READ noCustomersFound CONSTANT)
    Q_PROPERTY(QString dealNumberPending READ dealNumberPending CONSTANT)
    Q_PROPERTY(QString squareInvoicePrefix READ squareInvoicePrefix CONSTANT)
    Q_PROPERTY(QString squarePaymentConfirmed READ squarePaymentConfirmed CONSTANT)
    Q_PROPERTY(QString browseCustomerQuotes READ browseCustomerQuotes CONSTANT)
    Q_PROPERTY(QString useSavedQuote READ useSavedQuote CONSTANT)
    Q_PROPERTY(QString checkSavedRequest READ checkSavedRequest CONSTANT)
    Q_PROPERTY(QString cashReceived READ cashReceived CONSTANT)
    Q_PROPERTY(QString removePrefix READ removePrefix CONSTANT)

public:
    using QObject::QObject;

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
    static QString cashReceived() { return cashReceivedLabel(); }
    static QString removePrefix() { return editorText::removePrefix.toString(); }
};

} // namespace vantrel::screens
