#include "EngineSetup.h"

#include "QuoteDetail.h"
#include "QuoteEditorState.h"
#include "SymbolImageProvider.h"

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
        qmlRegisterType<QuoteBrowser>("Vantrel.Browser", 1, 0, "QuoteBrowser");
        qmlRegisterType<QuoteDetail>("Vantrel.Browser", 1, 0, "QuoteDetail");
        return true;
    }();
    Q_UNUSED(registered);
    engine.addImportPath(QStringLiteral("qrc:/"));
    engine.addImageProvider(QStringLiteral("symbol"), new SymbolImageProvider);
    engine.addImageProvider(QStringLiteral("productphoto"), new ProductPhotoProvider(&model.images()));
}

} // namespace vantrel
