#include "Endpoints.h"

#include "records/Uuid.h"

namespace vantrel {

// None of these functions is a coroutine: each returns the client's task,
// which keeps its own copies of the arguments.

namespace {
const QString get = QStringLiteral("GET");
const QString post = QStringLiteral("POST");
const QString put = QStringLiteral("PUT");

QString quotePath(const QString &quoteId) { return QStringLiteral("/api/quotes/") + pathIdentifier(quoteId); }
QString checkoutPath(const QString &checkoutId)
{
    return QStringLiteral("/api/checkouts/") + pathIdentifier(checkoutId);
}
} // namespace

QUrl CheckoutAPI::signInStartURL(const APIClient &api, const QString &challenge)
{
    return api.makeURL(QStringLiteral("/auth/zoho/start"), {{QStringLiteral("challenge"), challenge}});
}

QCoro::Task<Session> CheckoutAPI::exchange(APIClient &api, Exchange body, CancellationToken cancel)
{
    return api.send<Session>(post, QStringLiteral("/auth/exchange"), std::move(body), cancel);
}

QCoro::Task<Empty> CheckoutAPI::logout(APIClient &api, CancellationToken cancel)
{
    return api.send<Empty>(post, QStringLiteral("/api/logout"), Empty{}, cancel);
}

QCoro::Task<Me> CheckoutAPI::me(APIClient &api, CancellationToken cancel)
{
    return api.get<Me>(QStringLiteral("/api/me"), {}, cancel);
}

QCoro::Task<TaxesResponse> CheckoutAPI::taxes(APIClient &api, CancellationToken cancel)
{
    return api.get<TaxesResponse>(QStringLiteral("/api/taxes"), {}, cancel, replyLimit::list);
}

QCoro::Task<Catalog> CheckoutAPI::catalog(APIClient &api, CancellationToken cancel)
{
    return api.get<Catalog>(QStringLiteral("/api/catalog"), {}, cancel, replyLimit::catalog);
}

QCoro::Task<CustomersResponse> CheckoutAPI::customers(APIClient &api, QString search,
                                                      CancellationToken cancel)
{
    return api.get<CustomersResponse>(QStringLiteral("/api/customers"), {{QStringLiteral("q"), search}},
                                      cancel, replyLimit::list);
}

QCoro::Task<NewCustomerResponse> CheckoutAPI::createCustomer(APIClient &api, NewCustomerRequest body,
                                                             CancellationToken cancel)
{
    return api.send<NewCustomerResponse>(post, QStringLiteral("/api/customers"), std::move(body), cancel);
}

QCoro::Task<CustomerRequestRecovery> CheckoutAPI::recoverCustomerRequest(APIClient &api,
                                                                         NewCustomerRequest pending,
                                                                         CancellationToken cancel)
{
    return api.send<CustomerRequestRecovery>(post, QStringLiteral("/api/customers/recover-request"),
                                             std::move(pending), cancel);
}

QCoro::Task<CustomerOptions> CheckoutAPI::customerOptions(APIClient &api, CancellationToken cancel)
{
    return api.get<CustomerOptions>(QStringLiteral("/api/customer-options"), {}, cancel, replyLimit::list);
}

QCoro::Task<QuotesResponse> CheckoutAPI::quotes(APIClient &api, QString customerId, CancellationToken cancel)
{
    return api.get<QuotesResponse>(QStringLiteral("/api/quotes"),
                                   {{QStringLiteral("customer_id"), customerId}}, cancel, replyLimit::list);
}

QCoro::Task<DealsResponse> CheckoutAPI::deals(APIClient &api, QString customerId, CancellationToken cancel)
{
    return api.get<DealsResponse>(QStringLiteral("/api/deals"), {{QStringLiteral("customer_id"), customerId}},
                                  cancel, replyLimit::list);
}

QCoro::Task<std::optional<Deal>> CheckoutAPI::deal(APIClient &api, QString dealId, CancellationToken cancel)
{
    return api.get<std::optional<Deal>>(QStringLiteral("/api/deals/") + pathIdentifier(dealId), {}, cancel);
}

QCoro::Task<Quote> CheckoutAPI::quote(APIClient &api, QString quoteId, CancellationToken cancel)
{
    return api.get<Quote>(quotePath(quoteId), {}, cancel);
}

QCoro::Task<Quote> CheckoutAPI::saveQuote(APIClient &api, SaveQuoteRequest body, CancellationToken cancel)
{
    return api.send<Quote>(post, QStringLiteral("/api/quotes"), std::move(body), cancel);
}

QCoro::Task<Quote> CheckoutAPI::linkQuoteDeal(APIClient &api, QString quoteId, QString dealId,
                                              CancellationToken cancel)
{
    return api.send<Quote>(put, quotePath(quoteId) + QStringLiteral("/deal"), QuoteDealLink{dealId}, cancel);
}

QString CheckoutAPI::quotePDFPath(const QString &quoteId)
{
    return quotePath(quoteId) + QStringLiteral("/pdf");
}

QString CheckoutAPI::checkoutPDFPath(const QString &checkoutId)
{
    return checkoutPath(checkoutId) + QStringLiteral("/pdf");
}

QCoro::Task<QByteArray> CheckoutAPI::quotePDF(APIClient &api, QString quoteId, CancellationToken cancel)
{
    return api.request(get, quotePDFPath(quoteId), std::nullopt, {}, cancel, replyLimit::document);
}

QCoro::Task<TransactionsResponse> CheckoutAPI::checkouts(APIClient &api, CancellationToken cancel)
{
    return api.get<TransactionsResponse>(QStringLiteral("/api/checkouts"), {}, cancel, replyLimit::list);
}

QCoro::Task<CheckoutTransaction> CheckoutAPI::startCheckout(APIClient &api, CheckoutRequest body,
                                                            CancellationToken cancel)
{
    return api.send<CheckoutTransaction>(post, QStringLiteral("/api/checkouts"), std::move(body), cancel);
}

QCoro::Task<CheckoutRequestRecovery> CheckoutAPI::recoverCheckoutRequest(APIClient &api,
                                                                         CheckoutRequest pending,
                                                                         CancellationToken cancel)
{
    return api.send<CheckoutRequestRecovery>(post, QStringLiteral("/api/checkouts/recover-request"),
                                             std::move(pending), cancel);
}

QCoro::Task<CheckoutTransaction> CheckoutAPI::checkout(APIClient &api, QString checkoutId,
                                                       CancellationToken cancel)
{
    return api.get<CheckoutTransaction>(checkoutPath(checkoutId), {}, cancel);
}

QCoro::Task<CheckoutTransaction> CheckoutAPI::resumeCheckout(APIClient &api, QString checkoutId,
                                                             CancellationToken cancel)
{
    return api.send<CheckoutTransaction>(post, checkoutPath(checkoutId) + QStringLiteral("/resume"), Empty{},
                                         cancel);
}

QCoro::Task<CheckoutTransaction> CheckoutAPI::cancelCheckout(APIClient &api, QString checkoutId,
                                                             CancellationToken cancel)
{
    return api.send<CheckoutTransaction>(post, checkoutPath(checkoutId) + QStringLiteral("/cancel"), Empty{},
                                         cancel);
}

QCoro::Task<std::optional<CheckoutTransaction>> CheckoutAPI::holdCheckout(APIClient &api, QString checkoutId,
                                                                          bool hold, CancellationToken cancel)
{
    return api.send<std::optional<CheckoutTransaction>>(
        put, checkoutPath(checkoutId) + QStringLiteral("/hold"), HoldRequest{hold}, cancel);
}

QCoro::Task<Empty> CheckoutAPI::requestReceipt(APIClient &api, QString checkoutId, QString requestId,
                                               CancellationToken cancel)
{
    return api.send<Empty>(post, checkoutPath(checkoutId) + QStringLiteral("/receipt"),
                           ReceiptRequest{std::move(requestId)}, cancel);
}

QCoro::Task<QByteArray> CheckoutAPI::checkoutPDF(APIClient &api, QString checkoutId, CancellationToken cancel)
{
    return api.request(get, checkoutPDFPath(checkoutId), std::nullopt, {}, cancel, replyLimit::document);
}

QString CheckoutAPI::itemImagePath(const QString &itemId)
{
    return QStringLiteral("/api/items/") + pathIdentifier(itemId) + QStringLiteral("/image");
}

} // namespace vantrel
