// libFuzzer target: every record decoder, both key spellings. Whatever
// decodes must re-encode and decode again to the same value.
#include "records/Workspace.h"

#include <cstdlib>

using namespace vantrel;

namespace {

template <class T> void roundTrip(const QByteArray &bytes, KeyStyle style)
{
    std::optional<T> first;
    try {
        first = decode<T>(bytes, style);
    } catch (const DecodingError &) {
        return;
    }
    const QByteArray encoded = encode(*first, style);
    std::optional<T> second;
    try {
        second = decode<T>(encoded, style);
    } catch (const DecodingError &) {
        std::abort(); // what we wrote must read back
    }
    if (!(*second == *first)) std::abort();
}

template <class... T> void all(const QByteArray &bytes)
{
    for (KeyStyle style : {KeyStyle::Wire, KeyStyle::Storage}) (roundTrip<T>(bytes, style), ...);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    all<Product, Tax, Customer, Deal, Campaign, Session, Me, Catalog, CustomersResponse, DealsResponse,
        TaxesResponse, APIError, QuoteLine, QuoteInvoice, QuotePaymentSummary, Quote, QuotesResponse,
        CheckoutTransaction, TransactionsResponse, Exchange, SaveQuoteRequest, CheckoutRequest,
        NewCustomerRequest, NewCustomerResponse, CustomerOptions, CheckoutRequestRecovery,
        CustomerRequestRecovery, Draft, ArchivedWorkspaceRequest>(bytes);
    try {
        (void)decode<Empty>(bytes, KeyStyle::Wire);
        (void)decode<std::optional<Deal>>(bytes, KeyStyle::Wire);
        (void)decode<QList<ArchivedWorkspaceRequest>>(bytes, KeyStyle::Storage);
    } catch (const DecodingError &) {}
    return 0;
}
