#pragma once
// Reference records exchanged with the Checkout server: catalog, taxes,
// customers, deals, campaigns, the session and the account settings.

#include "Codec.h"

namespace vantrel {

// One catalog item; money and stock are decimal text.
struct Product {
    QString id;
    QString name;
    QString sku;
    QString description;
    QString rate;
    std::optional<QString> stock;
    bool composite{};
    QString stockSource;
    QString taxId;
    QString category;
    std::optional<QString> imagePath;
    std::optional<QString> imageVersion;

    static constexpr auto fields()
    {
        return std::tuple{field("id", &Product::id),
                          field("name", &Product::name),
                          field("sku", &Product::sku),
                          field("description", &Product::description),
                          field("rate", &Product::rate),
                          field("stock", &Product::stock),
                          field("composite", &Product::composite),
                          field("stockSource", &Product::stockSource),
                          field("taxId", &Product::taxId),
                          field("category", &Product::category),
                          field("imagePath", &Product::imagePath),
                          field("imageVersion", &Product::imageVersion)};
    }
    bool operator==(const Product &) const = default;
};

struct Tax {
    QString id;
    QString name;
    QString percentage;

    static constexpr auto fields()
    {
        return std::tuple{field("id", &Tax::id), field("name", &Tax::name),
                          field("percentage", &Tax::percentage)};
    }
    bool operator==(const Tax &) const = default;
};

struct Customer {
    QString id;
    QString name;
    QString email;
    QString phone;
    QString accountId;

    static constexpr auto fields()
    {
        return std::tuple{field("id", &Customer::id), field("name", &Customer::name),
                          field("email", &Customer::email), field("phone", &Customer::phone),
                          field("accountId", &Customer::accountId)};
    }
    bool operator==(const Customer &) const = default;
};

struct Deal {
    QString id;
    QString name;
    QString number;
    QString accountId;
    QString driveUrl;
    QString crmUrl;

    static constexpr auto fields()
    {
        return std::tuple{field("id", &Deal::id),
                          field("name", &Deal::name),
                          field("number", &Deal::number),
                          field("accountId", &Deal::accountId),
                          field("driveUrl", &Deal::driveUrl),
                          field("crmUrl", &Deal::crmUrl)};
    }
    bool operator==(const Deal &) const = default;
};

// A lead source offered when a customer is created.
struct Campaign {
    QString id;
    QString name;

    static constexpr auto fields()
    {
        return std::tuple{field("id", &Campaign::id), field("name", &Campaign::name)};
    }
    bool operator==(const Campaign &) const = default;
};

// The signed-in session; the token is a secret and is never printed.
struct Session {
    QString token;
    QString user;
    bool demo{};

    static constexpr auto fields()
    {
        return std::tuple{field("token", &Session::token), field("user", &Session::user),
                          field("demo", &Session::demo)};
    }
    bool operator==(const Session &) const = default;
};

// Reply of the account endpoint.
struct Me {
    QString user;
    bool demo{};
    bool paymentsEnabled{};
    std::optional<QString> paymentRoute;
    std::optional<QString> accountingMode;
    std::optional<QString> paymentsSetupMessage;

    static constexpr auto fields()
    {
        return std::tuple{field("user", &Me::user),
                          field("demo", &Me::demo),
                          field("paymentsEnabled", &Me::paymentsEnabled),
                          field("paymentRoute", &Me::paymentRoute),
                          field("accountingMode", &Me::accountingMode),
                          field("paymentsSetupMessage", &Me::paymentsSetupMessage)};
    }
    bool operator==(const Me &) const = default;
};

struct Catalog {
    double at{};
    QList<Product> products;

    static constexpr auto fields()
    {
        return std::tuple{field("at", &Catalog::at), field("products", &Catalog::products)};
    }
    bool operator==(const Catalog &) const = default;
};

struct CustomersResponse {
    QList<Customer> customers;

    static constexpr auto fields() { return std::tuple{field("customers", &CustomersResponse::customers)}; }
    bool operator==(const CustomersResponse &) const = default;
};

struct DealsResponse {
    QList<Deal> deals;

    static constexpr auto fields() { return std::tuple{field("deals", &DealsResponse::deals)}; }
    bool operator==(const DealsResponse &) const = default;
};

struct TaxesResponse {
    QList<Tax> taxes;

    static constexpr auto fields() { return std::tuple{field("taxes", &TaxesResponse::taxes)}; }
    bool operator==(const TaxesResponse &) const = default;
};

// The one error value with a user-facing text; also the body of every failed reply.
// `code` names a refusal a client must tell apart from the others; `status`
// is the HTTP status the reply came with (0 when no reply was received) and
// never travels in a body.
struct APIError {
    QString error;
    std::optional<QString> code;
    int status = 0;

    static constexpr auto fields()
    {
        return std::tuple{field("error", &APIError::error), field("code", &APIError::code)};
    }
    bool operator==(const APIError &) const = default;
};

// The code of a refusal that concerns the request id, not what was sent:
// the id was already used for a different body, or was closed by a recovery
// check. Nothing was created for this request, and the id cannot be used again.
inline const QString requestIdConflictCode = QStringLiteral("request_id_conflict");

// A reply or body with no fields: decodes from any well-formed JSON, encodes as {}.
struct Empty {
    static constexpr auto fields() { return std::tuple<>{}; }
    bool operator==(const Empty &) const = default;
};

// Customers and deals are kept in sets and compared over all fields.
size_t qHash(const Customer &c, size_t seed = 0) noexcept;
size_t qHash(const Deal &d, size_t seed = 0) noexcept;

} // namespace vantrel
