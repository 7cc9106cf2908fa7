#include "EngineSetup.h"

#include "screens/controls/AccessibleButton.h"
#include "screens/documents/DocumentPdfLoader.h"
#include "screens/controls/symbols/SymbolImageProvider.h"
#include "screens/controls/text/LanguageChoice.h"

#include "media/ProductPhotoLoader.h"
#include "workflow/CheckoutModel.h"

#include <QCoroQml>
#include <QQmlEngine>

namespace vantrel {

void setUpEngine(QQmlEngine &engine, CheckoutModel &workspace)
{
    static const bool registered = [] {
        QCoro::Qml::registerTypes();
        screens::installAccessibleButtons();
        return true;
    }();
    Q_UNUSED(registered);
    engine.addImportPath(QStringLiteral("qrc:/"));
    engine.addImageProvider(QStringLiteral("symbol"), new SymbolImageProvider);
    engine.addImageProvider(QStringLiteral("productphoto"), new ProductPhotoProvider(&workspace.images()));
    engine.addImageProvider(QStringLiteral("pdfpage"), new DocumentPdfPageProvider);
    // The device's language before the first text is shown.
    screens::LanguageChoice::instance()->attach(&engine);
}

QUrl mainWindowUrl() { return QUrl(QStringLiteral("qrc:/Vantrel/Checkout/shell/Main.qml")); }

} // namespace vantrel
