#pragma once
// Requests that create something on the server, and the replies that say
// what became of them.

#include "Quote.h"

namespace vantrel {

// Body of the sign-in code exchange.
struct Exchange {
    QString code;
    QString verifier;

    static constexpr auto fields()
    {
        return std::tuple{field("code", &Exchange::code), field("verifier", &Exchange::verifier)};
    }
    bool operator==(const Exchange &) const = default;
};

// A quote save; its requestId makes it idempotent.
struct SaveQuoteRequest {
    QString requestId;
    QString sourceId;
    QString customerId;
    QString dealId;
    QList<QuoteLine> lines;
    QString notes;
    QString terms;
    QString discount;
    QString shipping;
    QString adjustment;

    static constexpr auto fields()
    {
        return std::tuple{field("requestId", &SaveQuoteRequest::requestId),
                          field("sourceId", &SaveQuoteRequest::sourceId),
                          field("customerId", &SaveQuoteRequest::customerId),
                          field("dealId", &SaveQuoteRequest::dealId),
                          field("lines", &SaveQuoteRequest::lines),
                          field("notes", &SaveQuoteRequest::notes),
                          field("terms", &SaveQuoteRequest::terms),
                          field("discount", &SaveQuoteRequest::discount),
                          field("shipping", &SaveQuoteRequest::shipping),
                          field("adjustment", &SaveQuoteRequest::adjustment)};
    }
    bool operator==(const SaveQuoteRequest &) const = default;
};

// A checkout start; its requestId becomes the checkout's id.
struct CheckoutRequest {
    QString requestId;
    QString quoteId;
    qint64 expectedCents{};
    QString tender;
    qint64 cashCents{};
    bool hold{};

    static constexpr auto fields()
    {
        return std::tuple{field("requestId", &CheckoutRequest::requestId),
                          field("quoteId", &CheckoutRequest::quoteId),
                          field("expectedCents", &CheckoutRequest::expectedCents),
                          field("tender", &CheckoutRequest::tender),
                          field("cashCents", &CheckoutRequest::cashCents),
                          field("hold", &CheckoutRequest::hold)};
    }
    bool operator==(const CheckoutRequest &) const = default;
};

// A customer creation (with its opening deal).
struct NewCustomerRequest {
    QString requestId;
    QString firstName;
    QString lastName;
    QString phone;
    QString email;
    std::optional<QString> campaignId;
    std::optional<QString> dealAmount;

    // The first failing check's message, or nothing when the form is valid.
    std::optional<QString> validationMessage() const;

    static constexpr auto fields()
    {
        return std::tuple{field("requestId", &NewCustomerRequest::requestId),
                          field("firstName", &NewCustomerRequest::firstName),
                          field("lastName", &NewCustomerRequest::lastName),
                          field("phone", &NewCustomerRequest::phone),
                          field("email", &NewCustomerRequest::email),
                          field("campaignId", &NewCustomerRequest::campaignId),
                          field("dealAmount", &NewCustomerRequest::dealAmount)};
    }
    bool operator==(const NewCustomerRequest &) const = default;
};

struct NewCustomerResponse {
    Customer customer{};
    Deal deal{};

    static constexpr auto fields()
    {
        return std::tuple{field("customer", &NewCustomerResponse::customer),
                          field("deal", &NewCustomerResponse::deal)};
    }
    bool operator==(const NewCustomerResponse &) const = default;
};

struct CustomerOptions {
    QList<Campaign> campaigns;
    QString defaultCampaignId;

    static constexpr auto fields()
    {
        return std::tuple{field("campaigns", &CustomerOptions::campaigns),
                          field("defaultCampaignId", &CustomerOptions::defaultCampaignId)};
    }
    bool operator==(const CustomerOptions &) const = default;
};

// What became of a checkout request whose reply was lost.
struct CheckoutRequestRecovery {
    QString requestId;
    QString quoteId;
    QString state;
    bool safeToClear{};
    QString message;
    std::optional<CheckoutTransaction> transaction;

    // Returns when the reply may be acted on; throws APIError otherwise.
    void validate(const CheckoutRequest &pending) const;

    static constexpr auto fields()
    {
        return std::tuple{field("requestId", &CheckoutRequestRecovery::requestId),
                          field("quoteId", &CheckoutRequestRecovery::quoteId),
                          field("state", &CheckoutRequestRecovery::state),
                          field("safeToClear", &CheckoutRequestRecovery::safeToClear),
                          field("message", &CheckoutRequestRecovery::message),
                          field("transaction", &CheckoutRequestRecovery::transaction)};
    }
    bool operator==(const CheckoutRequestRecovery &) const = default;
};

// What became of a customer creation whose reply was lost.
struct CustomerRequestRecovery {
    QString requestId;
    QString state;
    bool safeToClear{};
    QString message;
    std::optional<Customer> customer;
    std::optional<Deal> deal;

    // Returns when the reply may be acted on; throws APIError otherwise.
    void validate(const NewCustomerRequest &pending) const;

    static constexpr auto fields()
    {
        return std::tuple{field("requestId", &CustomerRequestRecovery::requestId),
                          field("state", &CustomerRequestRecovery::state),
                          field("safeToClear", &CustomerRequestRecovery::safeToClear),
                          field("message", &CustomerRequestRecovery::message),
                          field("customer", &CustomerRequestRecovery::customer),
                          field("deal", &CustomerRequestRecovery::deal)};
    }
    bool operator==(const CustomerRequestRecovery &) const = default;
};

} // namespace vantrel
