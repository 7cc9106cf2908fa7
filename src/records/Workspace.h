#pragma once
// Workspace records: kept only on this device, in storage key spelling.

#include "Requests.h"

namespace vantrel {

// The quote being edited, with the requests whose outcome is not yet known.
struct Draft {
    std::optional<Customer> customer;
    std::optional<Deal> deal;
    QString sourceId;
    QString sourceNumber;
    QList<QuoteLine> lines;
    QString notes;
    QString terms;
    QString discount;
    QString shipping;
    QString adjustment;
    QString discountType;
    std::optional<Quote> saved;
    bool dirty{};
    QString requestId;
    QString checkoutRequestId;
    bool hold{};
    std::optional<SaveQuoteRequest> pendingSave;
    std::optional<CheckoutRequest> pendingCheckout;
    std::optional<NewCustomerRequest> pendingCustomer;
    std::optional<NewCustomerRequest> customerDraft;

    // A new, empty draft with two fresh request identifiers.
    static Draft make();

    static constexpr auto fields()
    {
        return std::tuple{field("customer", &Draft::customer),
                          field("deal", &Draft::deal),
                          field("sourceId", &Draft::sourceId),
                          field("sourceNumber", &Draft::sourceNumber),
                          field("lines", &Draft::lines),
                          field("notes", &Draft::notes),
                          field("terms", &Draft::terms),
                          field("discount", &Draft::discount),
                          field("shipping", &Draft::shipping),
                          field("adjustment", &Draft::adjustment),
                          field("discountType", &Draft::discountType),
                          field("saved", &Draft::saved),
                          field("dirty", &Draft::dirty),
                          field("requestId", &Draft::requestId),
                          field("checkoutRequestId", &Draft::checkoutRequestId),
                          field("hold", &Draft::hold),
                          field("pendingSave", &Draft::pendingSave),
                          field("pendingCheckout", &Draft::pendingCheckout),
                          field("pendingCustomer", &Draft::pendingCustomer),
                          field("customerDraft", &Draft::customerDraft)};
    }
    bool operator==(const Draft &) const = default;
};

// A draft (and its checkout) put aside in the local list of saved work.
struct ArchivedWorkspaceRequest {
    QString id;
    double created{};
    Draft draft{};
    std::optional<CheckoutTransaction> transaction;

    static constexpr auto fields()
    {
        return std::tuple{field("id", &ArchivedWorkspaceRequest::id),
                          field("created", &ArchivedWorkspaceRequest::created),
                          field("draft", &ArchivedWorkspaceRequest::draft),
                          field("transaction", &ArchivedWorkspaceRequest::transaction)};
    }
    bool operator==(const ArchivedWorkspaceRequest &) const = default;
};

// Whether a transaction is the checkout of this draft: the one its pending
// request started, or one of its saved quote with nothing edited since.
// Ending such a checkout leaves nothing of the draft unpaid.
bool checkoutBelongsToDraft(const Draft &draft, const CheckoutTransaction &transaction);

} // namespace vantrel
