#pragma once
// Every Checkout server endpoint the client calls, each with its method, path,
// query, body and reply in one place. The workflow calls these instead of
// spelling paths itself.

#include "APIClient.h"
#include "records/CheckoutTransaction.h"
#include "records/Quote.h"
#include "records/Reference.h"
#include "records/Requests.h"

#include <QCoroTask>
#include <QUrl>

#include <optional>

namespace vantrel {

// Body that links a quote to a deal; an empty id unlinks it.
struct QuoteDealLink {
    QString dealId;
    static constexpr auto fields() { return std::tuple{field("dealId", &QuoteDealLink::dealId)}; }
};

// Body that puts a paid checkout on hold or releases it.
struct HoldRequest {
    bool hold{};
    static constexpr auto fields() { return std::tuple{field("hold", &HoldRequest::hold)}; }
};

// Body of a receipt request; a fresh id per call, never stored.
struct ReceiptRequest {
    QString requestId;
    static constexpr auto fields() { return std::tuple{field("requestId", &ReceiptRequest::requestId)}; }
};

// The endpoint calls. The client must outlive the returned task; every call
// takes the cancellation token of the task that awaits it.
struct CheckoutAPI {
    // Address the browser opens to sign in; never fetched by the client.
    // Throws APIError for an unusable server address.
    static QUrl signInStartURL(const APIClient &api, const QString &challenge);

    static QCoro::Task<Session> exchange(APIClient &api, Exchange body, CancellationToken cancel = {});
    static QCoro::Task<Empty> logout(APIClient &api, CancellationToken cancel = {});
    static QCoro::Task<Me> me(APIClient &api, CancellationToken cancel = {});
    static QCoro::Task<TaxesResponse> taxes(APIClient &api, CancellationToken cancel = {});
    static QCoro::Task<Catalog> catalog(APIClient &api, CancellationToken cancel = {});

    static QCoro::Task<CustomersResponse> customers(APIClient &api, QString search,
                                                    CancellationToken cancel = {});
    static QCoro::Task<NewCustomerResponse> createCustomer(APIClient &api, NewCustomerRequest body,
                                                           CancellationToken cancel = {});
    static QCoro::Task<CustomerRequestRecovery> recoverCustomerRequest(APIClient &api,
                                                                       NewCustomerRequest pending,
                                                                       CancellationToken cancel = {});
    static QCoro::Task<CustomerOptions> customerOptions(APIClient &api, CancellationToken cancel = {});

    static QCoro::Task<QuotesResponse> quotes(APIClient &api, QString customerId,
                                              CancellationToken cancel = {});
    static QCoro::Task<DealsResponse> deals(APIClient &api, QString customerId,
                                            CancellationToken cancel = {});
    // No deal when the server answers null.
    static QCoro::Task<std::optional<Deal>> deal(APIClient &api, QString dealId,
                                                 CancellationToken cancel = {});
    static QCoro::Task<Quote> quote(APIClient &api, QString quoteId, CancellationToken cancel = {});
    static QCoro::Task<Quote> saveQuote(APIClient &api, SaveQuoteRequest body, CancellationToken cancel = {});
    // An empty deal id unlinks the quote from its deal.
    static QCoro::Task<Quote> linkQuoteDeal(APIClient &api, QString quoteId, QString dealId,
                                            CancellationToken cancel = {});
    // The PDF's path, for loaders that fetch it themselves; ids escaped.
    static QString quotePDFPath(const QString &quoteId);
    static QString checkoutPDFPath(const QString &checkoutId);
    // The PDF bytes as received.
    static QCoro::Task<QByteArray> quotePDF(APIClient &api, QString quoteId, CancellationToken cancel = {});

    static QCoro::Task<TransactionsResponse> checkouts(APIClient &api, CancellationToken cancel = {});
    static QCoro::Task<CheckoutTransaction> startCheckout(APIClient &api, CheckoutRequest body,
                                                          CancellationToken cancel = {});
    static QCoro::Task<CheckoutRequestRecovery> recoverCheckoutRequest(APIClient &api,
                                                                       CheckoutRequest pending,
                                                                       CancellationToken cancel = {});
    static QCoro::Task<CheckoutTransaction> checkout(APIClient &api, QString checkoutId,
                                                     CancellationToken cancel = {});
    static QCoro::Task<CheckoutTransaction> resumeCheckout(APIClient &api, QString checkoutId,
                                                           CancellationToken cancel = {});
    static QCoro::Task<CheckoutTransaction> cancelCheckout(APIClient &api, QString checkoutId,
                                                           CancellationToken cancel = {});
    // No transaction when the server answers null.
    static QCoro::Task<std::optional<CheckoutTransaction>> holdCheckout(APIClient &api, QString checkoutId,
                                                                        bool hold,
                                                                        CancellationToken cancel = {});
    // requestId: a new id for each receipt wanted; the same one again to retry a
    // request whose outcome is unknown, so the terminal prints it once.
    static QCoro::Task<Empty> requestReceipt(APIClient &api, QString checkoutId, QString requestId,
                                             CancellationToken cancel = {});
    // The PDF bytes as received.
    static QCoro::Task<QByteArray> checkoutPDF(APIClient &api, QString checkoutId,
                                               CancellationToken cancel = {});

    // Server path of a product photo (fetched by the image store itself).
    static QString itemImagePath(const QString &itemId);
};

} // namespace vantrel
