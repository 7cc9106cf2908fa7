#include "StandinState.h"

#include "GeneratedCatalog.h"

#include "records/Uuid.h"

#include <QRandomGenerator>

namespace standin {

using namespace vantrel;

namespace {

struct Finish {
    const char *code;
    const char *name;
    int percent; // price relative to white shaker
};

const Finish finishes[] = {{"WS", "White Shaker", 100}, {"WO", "White Oak", 125}, {"GS", "Gray Shaker", 105}};

QString price(int dollars, int cents)
{
    return QStringLiteral("%1.%2").arg(dollars).arg(cents, 2, 10, QLatin1Char('0'));
}

} // namespace

void StandinServer::State::seedDemo()
{
    QRandomGenerator rng(20260101); // the same demo data on every machine

    const Tax state{newId(), QStringLiteral("State Sales Tax"), QStringLiteral("6.25")};
    const Tax city{newId(), QStringLiteral("City Sales Tax"), QStringLiteral("8.25")};
    const Tax exempt{newId(), QStringLiteral("Tax Exempt"), QStringLiteral("0")};
    save(state);
    save(city);
    save(exempt);

    int made = 0;
    auto addProduct = [&](const QString &sku, const QString &name, const QString &description,
                          const QString &category, int dollars, bool composite, const QString &source) {
        ++made;
        Product p;
        p.id = newId();
        p.sku = sku;
        p.name = name;
        p.description = description;
        p.category = category;
        p.rate = price(dollars, made % 4 == 0 ? 99 : (made % 7 == 0 ? 50 : 0));
        p.composite = composite;
        p.stockSource = source;
        p.taxId = made % 13 == 0 ? QString() : city.id;
        if (made % 11 != 0) // some items have no stock figure
            p.stock = made % 17 == 0 ? QStringLiteral("%1.5").arg(rng.bounded(8))
                                     : QString::number(rng.bounded(40));
        if (made % 9 != 0) {
            p.imagePath = QStringLiteral("/api/items/%1/image").arg(p.id);
            p.imageVersion = QStringLiteral("v%1").arg(1 + rng.bounded(3));
        }
        save(p);
        return p;
    };

    QList<Product> baseParts;
    for (const Finish &f : finishes) {
        const QString finishName = QString::fromLatin1(f.name);
        const QString code = QString::fromLatin1(f.code);
        for (int width : {9, 12, 15, 18, 21, 24, 27, 30, 33, 36, 42}) {
            const Product p =
                addProduct(QStringLiteral("B%1-%2").arg(width).arg(code),
                           QStringLiteral("%1 %2 Base").arg(finishName).arg(width),
                           QStringLiteral("%1 inch base cabinet, one drawer over doors, %2 finish.")
                               .arg(width)
                               .arg(finishName),
                           QStringLiteral("Base"), (120 + width * 6) * f.percent / 100, false,
                           QStringLiteral("Warehouse A"));
            if (code == QLatin1String("WS")) baseParts.append(p);
        }
        for (int width : {30, 33, 36})
            addProduct(QStringLiteral("SB%1-%2").arg(width).arg(code),
                       QStringLiteral("%1 %2 Sink Base").arg(finishName).arg(width),
                       QStringLiteral("%1 inch sink base with false drawer front.").arg(width),
                       QStringLiteral("Base"), (150 + width * 6) * f.percent / 100, false,
                       QStringLiteral("Warehouse A"));
        for (int width : {12, 15, 18, 24})
            addProduct(QStringLiteral("DB%1-%2").arg(width).arg(code),
                       QStringLiteral("%1 %2 Drawer Base").arg(finishName).arg(width),
                       QStringLiteral("%1 inch three-drawer base, soft-close slides.").arg(width),
                       width == 24 ? QStringLiteral("base ") : QStringLiteral("Base"),
                       (190 + width * 7) * f.percent / 100, false, QStringLiteral("Warehouse A"));
        for (int width : {9, 12, 15, 18, 21, 24, 27, 30, 33, 36})
            for (int height : {30, 36})
                addProduct(QStringLiteral("W%1%2-%3").arg(width).arg(height).arg(code),
                           QStringLiteral("%1 %2x%3 Wall").arg(finishName).arg(width).arg(height),
                           QStringLiteral("%1 inch wide, %2 inch high wall cabinet.").arg(width).arg(height),
                           QStringLiteral("Wall"), (80 + width * 4 + height * 2) * f.percent / 100, false,
                           QStringLiteral("Warehouse B"));
        for (int width : {24, 30, 36, 42})
            addProduct(QStringLiteral("V%1-%2").arg(width).arg(code),
                       QStringLiteral("%1 %2 Vanity").arg(finishName).arg(width),
                       QStringLiteral("%1 inch bathroom vanity base, 34.5 inch high.").arg(width),
                       width == 30 ? QStringLiteral(" vanity ") : QStringLiteral("Vanity"),
                       (160 + width * 7) * f.percent / 100, false, QStringLiteral("Warehouse B"));
        for (int width : {12, 15, 18})
            addProduct(QStringLiteral("VD%1-%2").arg(width).arg(code),
                       QStringLiteral("%1 %2 Vanity Drawer").arg(finishName).arg(width),
                       QStringLiteral("%1 inch vanity drawer bank.").arg(width), QStringLiteral("Vanity"),
                       (170 + width * 8) * f.percent / 100, false, QStringLiteral("Warehouse B"));
    }
    // Assembled white shaker units are made from the flat-packed ones.
    for (const Product &part : std::as_const(baseParts)) {
        const QString width = part.sku.mid(1, part.sku.indexOf(QLatin1Char('-')) - 1);
        addProduct(QStringLiteral("B%1-WSX").arg(width),
                   QStringLiteral("White Shaker %1 Base Assembled").arg(width),
                   QStringLiteral("Factory-assembled %1 inch white shaker base.").arg(width),
                   QStringLiteral("Base"), int(Decimal::parseOrZero(part.rate).toInt64()) + 60, true,
                   QStringLiteral("Assembled from %1 and a hardware kit").arg(part.sku));
    }
    const std::tuple<const char *, const char *, const char *, int> accessories[] = {
        {"TK8-WS", "White Shaker 8ft Toe Kick", "Accessories", 24},
        {"CM8-WS", "White Shaker 8ft Crown Molding", "Accessories", 58},
        {"CM8-GS", "Gray Shaker 8ft Crown Molding", "Accessories", 61},
        {"LR8-WO", "White Oak 8ft Light Rail", "Accessories", 44},
        {"BP24-WS", "White Shaker Base End Panel", "Accessories", 89},
        {"WP30-GS", "Gray Shaker 30 Wall End Panel", "Accessories", 72},
        {"F3-WS", "White Shaker 3 Inch Filler", "Accessories", 19},
        {"F6-WO", "White Oak 6 Inch Filler", "Accessories", 27},
        {"HK-SC", "Soft-Close Hinge Pair", "accessories", 12},
        {"KN-BN", "Brushed Nickel Knob", "Accessories", 4},
        {"PL-MB5", "Matte Black 5 Inch Pull", "Accessories", 7},
        {"LS-BASE", "Lazy Susan Insert", "Accessories", 139},
        {"TR-PULL", "Pull-Out Trash Kit", "Misc", 119},
        {"SAMPLE-DOOR", "Sample Door", "", 15},
        {"TOUCHUP", "Touch-Up Paint Kit", "Paint & Finish", 22},
    };
    for (const auto &[sku, name, category, dollars] : accessories)
        addProduct(QString::fromLatin1(sku), QString::fromLatin1(name),
                   QStringLiteral("%1 for the shaker cabinet lines.").arg(QString::fromLatin1(name)),
                   QString::fromLatin1(category), dollars, false, QStringLiteral("Zoho Inventory"));

    // Lead sources.
    const char *campaignNames[] = {"Walk-in", "Website", "Referral", "Home show", "Contractor program"};
    for (const char *name : campaignNames) save(Campaign{newId(), QString::fromLatin1(name)});
    defaultCampaignId = campaigns.order.first();
    store.setMeta(QStringLiteral("defaultCampaign"), defaultCampaignId);

    // Customers, each with an account and most with a deal or two.
    const char *first[] = {"Olivia", "Liam",     "Emma",   "Noah",  "Ava",  "Elijah", "Sophia",
                           "Mateo",  "Isabella", "Lucas",  "Mia",   "Levi", "Amelia", "Ezra",
                           "Harper", "Asher",    "Evelyn", "James", "Luna", "Leo"};
    const char *last[] = {"Garcia",  "Nguyen",   "Patel", "O'Brien", "Kowalski", "Smith",
                          "Johnson", "Martinez", "Chen",  "Okafor",  "Silva",    "Andersson",
                          "Rossi",   "Dubois",   "Kim",   "Haddad"};
    QList<Customer> people;
    for (int i = 0; i < 40; ++i) {
        const QString firstName = QString::fromLatin1(first[(i * 7) % 20]);
        const QString lastName = QString::fromLatin1(last[(i * 5 + i / 16) % 16]);
        Customer c;
        c.id = newId();
        c.name = firstName + QLatin1Char(' ') + lastName;
        c.email = (firstName + QLatin1Char('.') + lastName).toLower().remove(QLatin1Char('\'')) +
                  QStringLiteral("%1@example.com").arg(i);
        c.phone = QStringLiteral("(512) 555-%1").arg(100 + i * 7, 4, 10, QLatin1Char('0'));
        c.accountId = newId();
        save(c);
        people.append(c);
        const int dealCount = i % 5 == 4 ? 0 : (i % 3 == 0 ? 2 : 1);
        for (int k = 0; k < dealCount; ++k) {
            Deal deal;
            deal.id = newId();
            deal.name = c.name + (k == 0 ? QStringLiteral(" - Kitchen") : QStringLiteral(" - Bathroom"));
            deal.number = i % 7 == 3
                              ? QString()
                              : QStringLiteral("DL-%1").arg(store.next(QStringLiteral("dealNumber"), 5001));
            deal.accountId = c.accountId;
            deal.driveUrl =
                i % 4 == 1 ? QString() : QStringLiteral("https://workdrive.zoho.com/folder/") + deal.id;
            deal.crmUrl = QStringLiteral("https://crm.zoho.com/crm/tab/Potentials/") + deal.id;
            save(deal);
        }
    }

    // Saved quotes in every status, and a few with checkouts.
    const QStringList allProducts = products.order;
    auto makeQuote = [&](const Customer &c, const QString &status, int lineCount, const QString &owner) {
        StoredQuote sq;
        sq.owner = owner;
        Quote &q = sq.quote;
        q.id = newId();
        q.number = QStringLiteral("QT-%1").arg(store.next(QStringLiteral("quoteNumber"), 10001), 6, 10,
                                               QLatin1Char('0'));
        q.customerId = c.id;
        q.customerName = c.name;
        q.status = status;
        for (const QString &dealId : deals.order)
            if (deals.at(dealId).accountId == c.accountId) {
                q.dealId = dealId;
                break;
            }
        q.currency = QStringLiteral("USD");
        q.notes = QStringLiteral("Thank you for choosing Vantrel.");
        q.terms = QStringLiteral("Quote valid for 30 days. Pickup at the Austin warehouse.");
        q.discount = lineCount > 4 ? QStringLiteral("5%") : QStringLiteral("0");
        q.shipping = QStringLiteral("0");
        q.adjustment = QStringLiteral("0");
        for (int k = 0; k < lineCount; ++k) {
            const Product &p = products.at(allProducts.at(rng.bounded(int(allProducts.size()))));
            QuoteLine line = QuoteLine::fromProduct(p);
            line.quantity = QString::number(1 + rng.bounded(4));
            if (k == 1) line.discount = QStringLiteral("10%");
            q.lines.append(line);
        }
        computeTotals(q);
        save(sq);
        return sq;
    };
    auto makeCheckout = [&](const StoredQuote &sq, const QString &status, const QString &owner,
                            const QString &tender) {
        StoredCheckout c;
        c.owner = owner;
        c.simulated = false;
        CheckoutTransaction &tx = c.tx;
        tx.id = newUuidString();
        tx.quoteId = sq.quote.id;
        tx.quoteNumber = sq.quote.number;
        tx.status = status;
        tx.amountCents = cents(sq.quote.total);
        tx.tender = tender;
        tx.cashCents = tx.amountCents;
        tx.paymentRoute = QString::fromLatin1(route::squareTerminal);
        tx.accountingMode = QString::fromLatin1(accounting::individualZoho);
        tx.fulfillment = QStringLiteral("pending");
        tx.created = nowSeconds() - 86400.0 * (1 + rng.bounded(20));
        c.request = CheckoutRequest{tx.id, tx.quoteId, tx.amountCents, tender, tx.cashCents, false};
        return c;
    };

    const QString me = QString::fromLatin1(demoUsers[0]);
    const QString colleague = QString::fromLatin1(demoUsers[2]);
    const QStringList statuses = {QStringLiteral("draft"), QStringLiteral("sent"), QStringLiteral("accepted"),
                                  QStringLiteral("declined"), QStringLiteral("expired")};
    for (int i = 0; i < 15; ++i)
        makeQuote(people[i % people.size()], statuses[i % statuses.size()], 2 + i % 5, me);

    // Paid and complete, with its invoice.
    {
        StoredQuote sq = makeQuote(people[1], QStringLiteral("sent"), 3, me);
        StoredCheckout c = makeCheckout(sq, QStringLiteral("syncing_zoho"), me, QStringLiteral("card"));
        c.tx.squarePaymentId = QStringLiteral("sqPAYdemo0000000000001");
        c.tx.receiptUrl = QStringLiteral("https://%1/receipt/preview/%2")
                              .arg(productionReceiptDomain(), *c.tx.squarePaymentId);
        c.tx.fulfillment = QStringLiteral("fulfilled");
        save(c);
        finishPayment(c);
    }
    // Checkout waiting on the terminal, started by a colleague: read-only for everyone else.
    {
        const StoredQuote sq = makeQuote(people[2], QStringLiteral("sent"), 2, colleague);
        StoredCheckout c =
            makeCheckout(sq, QString::fromLatin1(status::awaitingPayment), colleague, QStringLiteral("card"));
        c.tx.accountingStatus = QStringLiteral("Sent to the Square Terminal.");
        save(c);
    }
    // A canceled checkout; the quote can be edited and checked out again.
    {
        const StoredQuote sq = makeQuote(people[3], QStringLiteral("sent"), 2, me);
        StoredCheckout c =
            makeCheckout(sq, QString::fromLatin1(status::canceled), me, QStringLiteral("card"));
        c.tx.fulfillment = QStringLiteral("canceled");
        c.tx.accountingStatus = QStringLiteral("The terminal checkout was canceled.");
        save(c);
    }
}

// The generated products are made afresh at every start rather than stored:
// 50,000 rows would take the database seconds to write and read back. A
// generated product that changed (its stock after a sale) is stored like any
// other, and that copy is served in its place.
void StandinServer::State::addGeneratedCatalog(int count)
{
    if (count <= 0) return;
    QString taxId;
    for (const QString &id : std::as_const(taxes.order)) {
        if (taxId.isEmpty() || taxes.at(id).name == QLatin1String("City Sales Tax")) taxId = id;
    }
    Table<Product> merged;
    merged.byId.reserve(products.size() + count);
    merged.order.reserve(products.size() + count);
    for (const QString &id : std::as_const(products.order)) {
        if (!isGeneratedProductId(id)) merged.put(id, products.at(id));
    }
    for (int i = 0; i < count; ++i) {
        const Product made = generatedProduct(i, taxId);
        const Product *stored = products.find(made.id);
        merged.put(made.id, stored ? *stored : made);
    }
    products = std::move(merged);
}

} // namespace standin
