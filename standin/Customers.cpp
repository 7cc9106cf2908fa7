#include "StandinState.h"

#include <QRegularExpression>

#include <algorithm>

namespace standin {

using namespace vantrel;

static QString digitsOf(const QString &text)
{
    QString digits;
    for (const QChar c : text)
        if (c.isDigit()) digits.append(c);
    return digits;
}

HttpResponse StandinServer::State::searchCustomers(const HttpRequest &r)
{
    const QString needle = r.query.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded).trimmed();
    const QString needleDigits = digitsOf(needle);
    // "(555) 010" finds "555-0102": phone text is compared by its digits too.
    static const QRegularExpression phonePattern(QStringLiteral("^[0-9\\s().+-]+$"));
    const bool phoneLike = needleDigits.size() >= 3 && phonePattern.match(needle).hasMatch();
    QList<Customer> found;
    for (const QString &id : customers.order) {
        const Customer &c = customers.at(id);
        const bool match = needle.isEmpty() || c.name.contains(needle, Qt::CaseInsensitive) ||
                           c.email.contains(needle, Qt::CaseInsensitive) ||
                           c.phone.contains(needle, Qt::CaseInsensitive) ||
                           (phoneLike && digitsOf(c.phone).contains(needleDigits));
        if (match) found.append(c);
    }
    std::stable_sort(found.begin(), found.end(), [](const Customer &a, const Customer &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    if (found.size() > 50) found.resize(50);
    return recordReply(CustomersResponse{found});
}

HttpResponse StandinServer::State::customerOptions()
{
    CustomerOptions reply;
    for (const QString &id : campaigns.order) reply.campaigns.append(campaigns.at(id));
    reply.defaultCampaignId = defaultCampaignId;
    return recordReply(reply);
}

HttpResponse StandinServer::State::dealsOf(const HttpRequest &r)
{
    const QString customerId = r.query.queryItemValue(QStringLiteral("customer_id"), QUrl::FullyDecoded);
    if (customerId.isEmpty()) throw Refusal{400, QStringLiteral("Give a customer_id.")};
    const Customer *customer = customers.find(customerId);
    if (!customer) throw Refusal{404, QStringLiteral("This customer does not exist.")};
    DealsResponse reply;
    for (const QString &id : deals.order) {
        const Deal &deal = deals.at(id);
        if (deal.accountId == customer->accountId) reply.deals.append(deal);
    }
    return recordReply(reply);
}

static NewCustomerResponse createdFor(const StandinServer::State &s, const LedgerEntry &entry)
{
    const QStringList ids = entry.resultId.split(QLatin1Char(' '));
    const Customer *c = s.customers.find(ids.value(0));
    const Deal *d = s.deals.find(ids.value(1));
    if (!c || !d) throw Refusal{500, QStringLiteral("The customer of this request is missing.")};
    return NewCustomerResponse{*c, *d};
}

HttpResponse StandinServer::State::createCustomer(const HttpRequest &r)
{
    const NewCustomerRequest request =
        decode<NewCustomerRequest>(r.body, KeyStyle::Wire, "NewCustomerRequest");
    if (request.requestId.trimmed().isEmpty())
        throw Refusal{400, QStringLiteral("The request has no request_id.")};
    const QString key = QStringLiteral("customer:") + request.requestId;
    if (const LedgerEntry *entry = ledger.find(key)) {
        if (entry->state == QLatin1String("fenced"))
            throw Refusal{409,
                          QStringLiteral("This customer request was abandoned after a recovery check, so "
                                         "nothing was created. Send the details again as a new request."), requestIdConflictCode};
        if (entry->body != canonical(request))
            throw Refusal{
                409, QStringLiteral("This request id was already used with different customer details."), requestIdConflictCode};
        return recordReply(createdFor(*this, *entry));
    }
    if (const auto message = request.validationMessage()) throw Refusal{400, *message};
    if (!campaigns.contains(*request.campaignId))
        throw Refusal{400, QStringLiteral("Select a campaign source.")};

    const QString name = request.firstName.trimmed() + QLatin1Char(' ') + request.lastName.trimmed();
    Customer customer{newId(), name, request.email.trimmed(), request.phone.trimmed(), newId()};
    const QString dealId = newId();
    const Deal deal{dealId,
                    name + QStringLiteral(" - ") + campaigns.find(*request.campaignId)->name,
                    QStringLiteral("DL-%1").arg(store.next(QStringLiteral("dealNumber"), 5001)),
                    customer.accountId,
                    QStringLiteral("https://workdrive.zoho.com/folder/") + dealId,
                    QStringLiteral("https://crm.zoho.com/crm/tab/Potentials/") + dealId};
    save(customer);
    save(deal);
    saveLedger(key, LedgerEntry{canonical(request), QStringLiteral("done"),
                                customer.id + QLatin1Char(' ') + deal.id});
    return recordReply(NewCustomerResponse{customer, deal});
}

HttpResponse StandinServer::State::recoverCustomer(const HttpRequest &r)
{
    const NewCustomerRequest request =
        decode<NewCustomerRequest>(r.body, KeyStyle::Wire, "NewCustomerRequest");
    if (request.requestId.trimmed().isEmpty())
        throw Refusal{400, QStringLiteral("The request has no request_id.")};
    const QString key = QStringLiteral("customer:") + request.requestId;
    CustomerRequestRecovery reply;
    reply.requestId = request.requestId;
    const LedgerEntry *entry = ledger.find(key);
    if (entry && entry->state == QLatin1String("done")) {
        if (entry->body != canonical(request))
            throw Refusal{409, QStringLiteral("This request id was used with different customer details."), requestIdConflictCode};
        const NewCustomerResponse created = createdFor(*this, *entry);
        reply.state = QStringLiteral("completed");
        reply.safeToClear = false;
        reply.message = QStringLiteral("The customer and the deal were created.");
        reply.customer = created.customer;
        reply.deal = created.deal;
        return recordReply(reply);
    }
    if (!entry) {
        // From now on this id can never create anything, so "aborted" stays true.
        saveLedger(key, LedgerEntry{canonical(request), QStringLiteral("fenced"), QString()});
    }
    reply.state = QStringLiteral("aborted");
    reply.safeToClear = true;
    reply.message = QStringLiteral("No customer was created for this request. It is safe to send the details "
                                   "again as a new request.");
    return recordReply(reply);
}

} // namespace standin
