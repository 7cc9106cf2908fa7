#pragma once
// The lower layers' objects as the screens' QML module names them. They are
// registered here so the workflow, media and server layers stay free of QML,
// and so the views can type every property that holds one of them.

#include "media/ProductImageStore.h"
#include "media/ProductPhotoLoader.h"
#include "media/VoiceSearch.h"
#include "server/APIClient.h"
#include "workflow/CatalogPart.h"
#include "workflow/CheckoutModel.h"
#include "workflow/CheckoutPart.h"
#include "workflow/CustomersPart.h"
#include "workflow/HistoryPart.h"
#include "workflow/QuotePart.h"
#include "workflow/VisibleProducts.h"

#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

struct ForeignCheckoutModel {
    Q_GADGET
    QML_FOREIGN(vantrel::CheckoutModel)
    QML_NAMED_ELEMENT(CheckoutModel)
    QML_UNCREATABLE("The app creates the one workspace.")
};

struct ForeignCatalogPart {
    Q_GADGET
    QML_FOREIGN(vantrel::CatalogPart)
    QML_NAMED_ELEMENT(CatalogPart)
    QML_UNCREATABLE("A part of the workspace.")
};

struct ForeignCustomersPart {
    Q_GADGET
    QML_FOREIGN(vantrel::CustomersPart)
    QML_NAMED_ELEMENT(CustomersPart)
    QML_UNCREATABLE("A part of the workspace.")
};

struct ForeignQuotePart {
    Q_GADGET
    QML_FOREIGN(vantrel::QuotePart)
    QML_NAMED_ELEMENT(QuotePart)
    QML_UNCREATABLE("A part of the workspace.")
};

struct ForeignCheckoutPart {
    Q_GADGET
    QML_FOREIGN(vantrel::CheckoutPart)
    QML_NAMED_ELEMENT(CheckoutPart)
    QML_UNCREATABLE("A part of the workspace.")
};

struct ForeignHistoryPart {
    Q_GADGET
    QML_FOREIGN(vantrel::HistoryPart)
    QML_NAMED_ELEMENT(HistoryPart)
    QML_UNCREATABLE("A part of the workspace.")
};

struct ForeignVisibleProducts {
    Q_GADGET
    QML_FOREIGN(vantrel::VisibleProducts)
    QML_NAMED_ELEMENT(VisibleProducts)
    QML_UNCREATABLE("The catalog part's filtered products.")
};

struct ForeignProductImageStore {
    Q_GADGET
    QML_FOREIGN(vantrel::ProductImageStore)
    QML_NAMED_ELEMENT(ProductImageStore)
    QML_UNCREATABLE("The workspace owns the photo store.")
};

struct ForeignAPIClient {
    Q_GADGET
    QML_FOREIGN(vantrel::APIClient)
    QML_NAMED_ELEMENT(APIClient)
    QML_UNCREATABLE("The workspace owns the client.")
};

struct ForeignProductPhotoLoader {
    Q_GADGET
    QML_FOREIGN(vantrel::ProductPhotoLoader)
    QML_NAMED_ELEMENT(ProductPhotoLoader)
};

struct ForeignVoiceSearch {
    Q_GADGET
    QML_FOREIGN(vantrel::VoiceSearch)
    QML_NAMED_ELEMENT(VoiceSearch)
};

} // namespace vantrel::screens
