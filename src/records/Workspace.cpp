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

} // namespace vantrel
