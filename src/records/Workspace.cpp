#include "Workspace.h"
#include "Uuid.h"

namespace vantrel {

Draft Draft::make()
{
    Draft draft;
    draft.discount = QStringLiteral("0");
    draft.shipping = QStringLiteral("0");
    draft.adjustment = QStringLiteral("0");
    draft.discountType = QStringLiteral("item_level");
    draft.requestId = newUuidString();
    do {
        draft.checkoutRequestId = newUuidString();
    } while (draft.checkoutRequestId == draft.requestId);
    return draft;
}

bool checkoutBelongsToDraft(const Draft &draft, const CheckoutTransaction &transaction)
{
    if (draft.pendingCheckout) return draft.pendingCheckout->requestId == transaction.id;
    return draft.saved && draft.saved->id == transaction.quoteId && !draft.dirty;
}

} // namespace vantrel
