#include "StandinState.h"

#include <QRandomGenerator>

namespace standin {

using namespace vantrel;

static QString squareId(int length)
{
    static const char alphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789";
    QString id;
    for (int i = 0; i < length; ++i)
        id.append(QLatin1Char(alphabet[QRandomGenerator::global()->bounded(int(sizeof alphabet - 1))]));
    return id;
}

static bool paid(const CheckoutTransaction &tx)
{
    return tx.squarePaymentId ||
           (tx.tender == QLatin1String("cash") && tx.status != QLatin1String(status::canceled)) ||
           tx.status == QLatin1String(status::syncingZoho) ||
           tx.status == QLatin1String(status::paidSyncPending) ||
           tx.status == QLatin1String(status::complete);
}

void StandinServer::State::changed(StoredCheckout &c)
{
    save(c);
    const QString id = c.tx.id;
    const QString status = c.tx.status;
    // Listeners run after the change is stored, outside this call chain.
    QMetaObject::invokeMethod(
        q,
        [q = QPointer<StandinServer>(q), id, status] {
            if (q) emit q->checkoutChanged(id, status);
        },
        Qt::QueuedConnection);
}

void StandinServer::State::schedule(const QString &id, int delayMs)
{
    QTimer *timer = timers.value(id);
    if (!timer) {
        timer = new QTimer(q); // owned by the server, so none outlives it
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, q, [this, id] {
            try {
                store.begin();
                advance(id);
                store.commit();
            } catch (const std::exception &) {
                store.rollback();
                try {
                    load();
                } catch (const std::exception &) {}
            }
        });
        timers.insert(id, timer);
    }
    timer->start(std::max(0, delayMs));
}

static void unschedule(QHash<QString, QTimer *> &timers, const QString &id)
{
    if (QTimer *t = timers.take(id)) {
        t->stop();
        t->deleteLater();
    }
}

void StandinServer::State::advance(const QString &id)
{
    StoredCheckout *found = checkouts.find(id);
    if (!found) return;
    StoredCheckout c = *found;
    CheckoutTransaction &tx = c.tx;
    const QString s = tx.status;
    if (s == QLatin1String("pending")) {
        if (tx.tender == QLatin1String("register")) {
            tx.status = QLatin1String(status::awaitingRegisterPayment);
            const QString invoiceId = QStringLiteral("inv:0-") + squareId(22);
            tx.squareInvoiceId = invoiceId;
            tx.squareInvoiceNumber = QStringLiteral("%1").arg(
                store.next(QStringLiteral("squareInvoice"), 1001), 6, 10, QLatin1Char('0'));
            tx.squareInvoiceUrl =
                QStringLiteral("https://%1/pay-invoice/%2").arg(productionReceiptDomain(), invoiceId);
            tx.accountingStatus = QStringLiteral("Invoice ready on Square Register.");
        } else {
            tx.status = QLatin1String(status::awaitingPayment);
            tx.accountingStatus = QStringLiteral("Sent to the Square Terminal.");
        }
        changed(c);
        if (c.simulated && options.autoPayMs >= 0) schedule(id, options.autoPayMs);
        return;
    }
    if (s == QLatin1String(status::awaitingPayment) || s == QLatin1String(status::awaitingRegisterPayment)) {
        payNow(id, s == QLatin1String(status::awaitingRegisterPayment));
        return;
    }
    if (s == QLatin1String(status::syncingZoho) || s == QLatin1String(status::paidSyncPending)) {
        finishPayment(c);
        unschedule(timers, id);
    }
}

bool StandinServer::State::payNow(const QString &id, bool viaRegister)
{
    StoredCheckout *found = checkouts.find(id);
    if (!found) return false;
    const QString wanted =
        viaRegister ? QLatin1String(status::awaitingRegisterPayment) : QLatin1String(status::awaitingPayment);
    if (found->tx.status != wanted) return false;
    StoredCheckout c = *found;
    c.tx.squarePaymentId = squareId(22);
    c.tx.receiptUrl =
        QStringLiteral("https://%1/receipt/preview/%2").arg(productionReceiptDomain(), *c.tx.squarePaymentId);
    c.tx.error.clear();
    c.tx.status = viaRegister ? QLatin1String(status::paidSyncPending) : QLatin1String(status::syncingZoho);
    c.tx.accountingStatus =
        c.tx.accountingMode == QLatin1String(accounting::nativeSquareSummary)
            ? QStringLiteral("Payment confirmed; the daily Square import records the sale.")
            : QStringLiteral("Payment received; writing the invoice to Zoho Books.");
    changed(c);
    schedule(id, options.stepDelayMs);
    return true;
}

bool StandinServer::State::declineNow(const QString &id)
{
    StoredCheckout *found = checkouts.find(id);
    if (!found || found->tx.status != QLatin1String(status::awaitingPayment)) return false;
    StoredCheckout c = *found;
    c.tx.status = QLatin1String(status::needsAttention);
    c.tx.error =
        QStringLiteral("The card was declined on the terminal. Resume to try again, or cancel the checkout.");
    unschedule(timers, id);
    changed(c);
    return true;
}

void StandinServer::State::finishPayment(StoredCheckout &c)
{
    CheckoutTransaction &tx = c.tx;
    StoredQuote *quote = quotes.find(tx.quoteId);
    if (tx.accountingMode != QLatin1String(accounting::nativeSquareSummary)) {
        tx.invoiceId = newId();
        tx.invoiceNumber = QStringLiteral("INV-%1").arg(store.next(QStringLiteral("invoiceNumber"), 3001), 6,
                                                        10, QLatin1Char('0'));
        tx.salesorderId = newId();
        tx.zohoPaymentId = newId();
        tx.accountingStatus = QStringLiteral("Invoice %1 paid in Zoho Books.").arg(*tx.invoiceNumber);
    } else {
        tx.accountingStatus = QStringLiteral("The daily Square import records this sale.");
    }
    if (quote && !quote->quote.dealId.isEmpty()) tx.dealSyncStatus = QStringLiteral("updated");
    tx.status = QLatin1String(status::complete);
    if (quote) {
        c.paidLines = quote->quote.lines;
        StoredQuote updated = *quote;
        updated.quote.status = QStringLiteral("invoiced");
        save(updated);
        // Sold items leave the shelf.
        for (const QuoteLine &line : c.paidLines) {
            Product *product = products.find(line.itemId);
            if (!product || product->composite || !product->stock) continue;
            const Decimal left = Decimal::parseOrZero(*product->stock) - Decimal::parseOrZero(line.quantity);
            Product p = *product;
            p.stock = left.toString();
            save(p);
        }
    }
    changed(c);
}

void StandinServer::State::armAfterRestart()
{
    for (const QString &id : checkouts.order) {
        const StoredCheckout &c = checkouts.at(id);
        const QString s = c.tx.status;
        if (s == QLatin1String("pending") || s == QLatin1String(status::syncingZoho) ||
            s == QLatin1String(status::paidSyncPending))
            schedule(id, options.stepDelayMs);
        else if ((s == QLatin1String(status::awaitingPayment) ||
                  s == QLatin1String(status::awaitingRegisterPayment)) &&
                 c.simulated && options.autoPayMs >= 0)
            schedule(id, options.autoPayMs);
    }
}

HttpResponse StandinServer::State::startCheckout(const HttpRequest &r, const QString &user)
{
    const CheckoutRequest request = decode<CheckoutRequest>(r.body, KeyStyle::Wire, "CheckoutRequest");
    if (request.requestId.trimmed().isEmpty())
        throw Refusal{400, QStringLiteral("The request has no request_id.")};
    if (const StoredCheckout *existing = checkouts.find(request.requestId)) {
        if (canonical(existing->request) != canonical(request))
            throw Refusal{
                409, QStringLiteral("This checkout request id was already used with different details."), requestIdConflictCode};
        return recordReply(existing->tx);
    }
    if (ledger.contains(QStringLiteral("checkout:") + request.requestId))
        throw Refusal{
            409, QStringLiteral("This checkout request was abandoned after a recovery check, so no payment "
                                "was started. Start a new checkout."), requestIdConflictCode};
    if (!options.paymentsEnabled)
        throw Refusal{409, QStringLiteral("Payments are not set up on this server.")};

    const StoredQuote *quote = quotes.find(request.quoteId);
    if (!quote) throw Refusal{400, QStringLiteral("The quote to check out does not exist.")};
    if (quote->quote.status != QLatin1String("sent") && quote->quote.status != QLatin1String("accepted"))
        throw Refusal{409, QStringLiteral("Only a sent or accepted quote can be checked out.")};
    if (const StoredCheckout *previous = latestCheckout(quote->quote.id)) {
        if (previous->tx.status == QLatin1String(status::complete))
            throw Refusal{409, QStringLiteral("This quote has already been paid.")};
        if (previous->tx.status != QLatin1String(status::canceled))
            throw Refusal{409, QStringLiteral("This quote already has a checkout in progress.")};
    }
    const qint64 amount = cents(quote->quote.total);
    if (request.expectedCents != amount)
        throw Refusal{
            409, QStringLiteral("The quote total has changed. Refresh the quote and start checkout again.")};
    if (amount <= 0) throw Refusal{409, QStringLiteral("There is nothing to collect on this quote.")};
    const bool registerRoute = options.paymentRoute == QLatin1String(route::squareRegister);
    if (registerRoute && request.tender != QLatin1String("register"))
        throw Refusal{
            400,
            QStringLiteral("This server collects payments on Square Register; use the tender \"register\".")};
    if (!registerRoute && request.tender != QLatin1String("card") && request.tender != QLatin1String("cash"))
        throw Refusal{400, QStringLiteral("The tender must be \"card\" or \"cash\".")};
    if (request.cashCents < 0) throw Refusal{400, QStringLiteral("The cash amount cannot be negative.")};
    if (request.tender == QLatin1String("cash") && request.cashCents < amount)
        throw Refusal{400, QStringLiteral("The cash received is less than the amount due.")};

    StoredCheckout c;
    c.owner = user;
    c.request = request;
    CheckoutTransaction &tx = c.tx;
    tx.id = request.requestId;
    tx.quoteId = quote->quote.id;
    tx.quoteNumber = quote->quote.number;
    tx.amountCents = amount;
    tx.tender = request.tender;
    tx.hold = request.hold;
    tx.cashCents = request.cashCents;
    tx.paymentRoute = options.paymentRoute;
    tx.accountingMode = options.accountingMode;
    tx.fulfillment = request.hold ? QStringLiteral("on_hold") : QStringLiteral("pending");
    tx.created = nowSeconds();
    if (request.tender == QLatin1String("cash")) {
        tx.status = QLatin1String(status::syncingZoho);
        tx.accountingStatus = QStringLiteral("Cash received; writing the invoice to Zoho Books.");
    } else {
        tx.status = QStringLiteral("pending");
    }
    changed(c);
    schedule(tx.id, options.stepDelayMs);
    return recordReply(tx);
}

HttpResponse StandinServer::State::recoverCheckout(const HttpRequest &r)
{
    const CheckoutRequest request = decode<CheckoutRequest>(r.body, KeyStyle::Wire, "CheckoutRequest");
    if (request.requestId.trimmed().isEmpty())
        throw Refusal{400, QStringLiteral("The request has no request_id.")};
    CheckoutRequestRecovery reply;
    reply.requestId = request.requestId;
    if (const StoredCheckout *existing = checkouts.find(request.requestId)) {
        reply.quoteId = existing->tx.quoteId;
        reply.state = QStringLiteral("transaction");
        reply.safeToClear = false;
        reply.message = QStringLiteral("The checkout exists; follow its status.");
        reply.transaction = existing->tx;
        return recordReply(reply);
    }
    const QString key = QStringLiteral("checkout:") + request.requestId;
    // From now on this id can never start a payment, so "aborted" stays true.
    if (!ledger.contains(key))
        saveLedger(key, LedgerEntry{canonical(request), QStringLiteral("fenced"), QString()});
    reply.quoteId = request.quoteId;
    reply.state = QStringLiteral("aborted");
    reply.safeToClear = true;
    reply.message =
        QStringLiteral("No checkout was started for this request. It is safe to start a new one.");
    return recordReply(reply);
}

HttpResponse StandinServer::State::resumeCheckout(const QString &id)
{
    StoredCheckout *found = checkouts.find(id);
    if (!found) throw Refusal{404, QStringLiteral("This checkout does not exist.")};
    StoredCheckout c = *found;
    const QString s = c.tx.status;
    if (s == QLatin1String(status::canceled))
        throw Refusal{409, QStringLiteral("This checkout was canceled. Start a new checkout.")};
    if (s == QLatin1String(status::needsAttention) && !paid(c.tx)) {
        // Back to the terminal for another try.
        c.tx.status = QLatin1String(status::awaitingPayment);
        c.tx.error.clear();
        changed(c);
        if (c.simulated && options.autoPayMs >= 0) schedule(id, options.autoPayMs);
    } else if (s == QLatin1String("pending") || s == QLatin1String(status::syncingZoho) ||
               s == QLatin1String(status::paidSyncPending)) {
        if (!timers.contains(id)) schedule(id, options.stepDelayMs);
    } else if ((s == QLatin1String(status::awaitingPayment) ||
                s == QLatin1String(status::awaitingRegisterPayment)) &&
               c.simulated && options.autoPayMs >= 0 && !timers.contains(id)) {
        schedule(id, options.autoPayMs);
    }
    return recordReply(checkouts.find(id)->tx);
}

HttpResponse StandinServer::State::cancelCheckout(const QString &id)
{
    StoredCheckout *found = checkouts.find(id);
    if (!found) throw Refusal{404, QStringLiteral("This checkout does not exist.")};
    if (found->tx.status == QLatin1String(status::canceled)) return recordReply(found->tx);
    if (paid(found->tx))
        throw Refusal{409, QStringLiteral("This checkout has been paid and can no longer be canceled.")};
    StoredCheckout c = *found;
    c.tx.status = QLatin1String(status::canceled);
    c.tx.fulfillment = QStringLiteral("canceled");
    c.tx.accountingStatus = c.tx.tender == QLatin1String("register")
                                ? QStringLiteral("The Square invoice was canceled.")
                                : QStringLiteral("The terminal checkout was canceled.");
    unschedule(timers, id);
    changed(c);
    return recordReply(c.tx);
}

HttpResponse StandinServer::State::holdCheckout(const QString &id, const HttpRequest &r)
{
    const QJsonObject body = objectBody(r);
    const QJsonValue hold = body.value(QLatin1String("hold"));
    if (!hold.isBool()) throw Refusal{400, QStringLiteral("Give hold as true or false.")};
    StoredCheckout *found = checkouts.find(id);
    if (!found) return jsonReply("null");
    if (found->tx.status == QLatin1String(status::canceled))
        throw Refusal{409, QStringLiteral("This checkout was canceled; there is nothing to hold.")};
    StoredCheckout c = *found;
    c.tx.hold = hold.toBool();
    if (c.tx.fulfillment != QLatin1String("fulfilled"))
        c.tx.fulfillment = c.tx.hold ? QStringLiteral("on_hold") : QStringLiteral("pending");
    changed(c);
    return recordReply(c.tx);
}

HttpResponse StandinServer::State::receipt(const QString &id, const HttpRequest &r)
{
    const QJsonObject body = objectBody(r);
    const QJsonValue requestId = body.value(QLatin1String("request_id"));
    if (!requestId.isString() || requestId.toString().trimmed().isEmpty())
        throw Refusal{400, QStringLiteral("Give a request_id.")};
    const StoredCheckout *c = checkouts.find(id);
    if (!c) throw Refusal{404, QStringLiteral("This checkout does not exist.")};
    if (!c->tx.squarePaymentId)
        throw Refusal{409, QStringLiteral("There is no card payment to print a receipt for.")};
    const QString key = requestId.toString();
    if (const QString *earlier = receipts.find(key)) {
        if (*earlier != id)
            throw Refusal{409, QStringLiteral("This request_id was used for another checkout.")};
        return jsonReply("{}");
    }
    store.put(QStringLiteral("receipt"), key, id.toUtf8());
    receipts.put(key, id);
    return jsonReply("{}");
}

} // namespace standin
