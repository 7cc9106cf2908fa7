#include "EngineSetup.h"

#include "screens/controls/AccessibleButton.h"
#include "screens/customers/CustomerSheetState.h"
#include "screens/checkout/CheckoutSheetState.h"
#include "screens/history/HistoryState.h"
#include "screens/checkout/PaymentStatusState.h"
#include "screens/customers/QuoteDetail.h"
#include "screens/quote/QuoteEditorState.h"
#include "screens/documents/DocumentPdfLoader.h"
#include "screens/controls/symbols/SymbolImageProvider.h"

#include "media/ProductPhotoLoader.h"
#include "media/VoiceSearch.h"
#include "workflow/CheckoutModel.h"

#include <QCoroQml>
#include <QQmlEngine>

namespace vantrel {

void setUpEngine(QQmlEngine &engine, CheckoutModel &model)
{
    static const bool registered = [] {
        QCoro::Qml::registerTypes();
        qmlRegisterType<ProductPhotoLoader>("Vantrel.Media", 1, 0, "ProductPhotoLoader");
        qmlRegisterType<VoiceSearch>("Vantrel.Media", 1, 0, "VoiceSearch");
        qmlRegisterType<QuoteEditorState>("Vantrel.Editor", 1, 0, "QuoteEditorState");
        qmlRegisterType<CustomerSheetState>("Vantrel.Editor", 1, 0, "CustomerSheetState");
        qmlRegisterType<DocumentPdfLoader>("Vantrel.Media", 1, 0, "DocumentPdfLoader");
        qmlRegisterType<CheckoutSheetState>("Vantrel.Payment", 1, 0, "CheckoutSheetState");
        qmlRegisterType<PaymentStatusState>("Vantrel.Payment", 1, 0, "PaymentStatusState");
        qmlRegisterType<HistoryState>("Vantrel.Payment", 1, 0, "HistoryState");
        qmlRegisterType<QuoteBrowser>("Vantrel.Browser", 1, 0, "QuoteBrowser");
        qmlRegisterType<QuoteDetail>("Vantrel.Browser", 1, 0, "QuoteDetail");
        screens::installAccessibleButtons();
        return true;
    }();
    Q_UNUSED(registered);
    engine.addImportPath(QStringLiteral("qrc:/"));
    engine.addImageProvider(QStringLiteral("symbol"), new SymbolImageProvider);
    engine.addImageProvider(QStringLiteral("productphoto"), new ProductPhotoProvider(&model.images()));
    engine.addImageProvider(QStringLiteral("pdfpage"), new DocumentPdfPageProvider);
}

QUrl mainWindowUrl()
{
    return QUrl(QStringLiteral("qrc:/Vantrel/Checkout/shell/Main.qml"));
}

} // namespace vantrel
