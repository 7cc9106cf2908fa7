#include "GeneratedCatalog.h"

namespace standin {

using vantrel::Product;

namespace {

// Far above the ids the server hands out one by one, which start at 4650000000000001.
constexpr qint64 firstGeneratedId = 4690000000000001LL;

// splitmix64: cheap, well mixed, and needs no state between products.
quint64 mix(quint64 x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

struct Finish {
    const char *code;
    const char *name;
    int percent; // price relative to the cheapest finish
};

struct Kind {
    const char *code;
    const char *name;
    const char *category; // outside the fixed list for a few, as real catalogs are
    int basePrice;
    int perInch;
    bool assemblable;
    const char *detail;
};

const Finish finishes[] = {
    {"WS", "White Shaker", 100},   {"WO", "White Oak", 125}, {"GS", "Graphite Shaker", 105},
    {"NV", "Navy Shaker", 110},    {"ES", "Espresso", 108},  {"SG", "Sage Green", 112},
    {"NW", "Natural Walnut", 140},
};

const Kind kinds[] = {
    {"B", "Base", "Base", 120, 6, true, "one drawer over doors"},
    {"SB", "Sink Base", "Base", 150, 6, true, "false drawer front, open back"},
    {"DB", "Drawer Base", "Base", 190, 7, true, "three soft-close drawers"},
    {"W", "Wall", "Wall", 80, 5, false, "adjustable shelves"},
    {"WC", "Wall Corner", "Wall", 140, 5, false, "blind corner, one door"},
    {"V", "Vanity", "Vanity", 160, 7, false, "34.5 inch high, two doors"},
    {"VD", "Vanity Drawer", "Vanity", 170, 8, false, "drawer bank, soft-close slides"},
    {"T", "Tall Pantry", "Tall", 420, 9, false, "84 inch high, roll-out trays"},
    {"F", "Filler", "Accessories", 15, 2, false, "cut to fit on site"},
    {"EP", "End Panel", "Accessories", 60, 3, false, "finished on both faces"},
    {"CM", "Crown Molding", "Accessories", 45, 1, false, "eight foot length"},
    {"HW", "Hardware Kit", "Hardware", 12, 1, false, "hinges, screws and bumpers"},
};

const char *const lines[] = {"Harbor", "Aspen",  "Linden", "Cedar Ridge", "Brookline", "Summit",
                             "Willow", "Hudson", "Monroe", "Sierra",      "Bayview",   "Granite Bay"};

const int widths[] = {9, 12, 15, 18, 21, 24, 27, 30, 33, 36, 42, 48};

template <class T, std::size_t N> const T &pick(const T (&table)[N], quint64 bits) { return table[bits % N]; }

} // namespace

bool isGeneratedProductId(const QString &id)
{
    bool ok = false;
    const qint64 value = id.toLongLong(&ok);
    return ok && value >= firstGeneratedId && value < firstGeneratedId + maxGeneratedProducts;
}

Product generatedProduct(int index, const QString &taxId)
{
    const quint64 h = mix(quint64(index));
    const Kind &kind = pick(kinds, h);
    const Finish &finish = pick(finishes, h >> 8);
    const char *line = pick(lines, h >> 16);
    const int width = pick(widths, h >> 24);
    const QString serial = QStringLiteral("%1").arg(index + 1, 6, 10, QLatin1Char('0'));
    const QString kindName = QString::fromLatin1(kind.name);
    const QString finishName = QString::fromLatin1(finish.name);
    // Assembled units exist in white shaker only, as in the demo catalog.
    const bool assembled =
        kind.assemblable && QLatin1String(finish.code) == QLatin1String("WS") && (h >> 32) % 3 == 0;

    Product p;
    p.id = QString::number(firstGeneratedId + index);
    const QString flatSku = QStringLiteral("%1%2-%3-%4")
                                .arg(QLatin1String(kind.code))
                                .arg(width)
                                .arg(QLatin1String(finish.code), serial);
    p.sku = assembled ? QStringLiteral("%1%2-%3-WSX").arg(QLatin1String(kind.code)).arg(width).arg(serial)
                      : flatSku;
    p.name = QStringLiteral("%1 %2 %3 %4%5")
                 .arg(QLatin1String(line), finishName)
                 .arg(width)
                 .arg(kindName, assembled ? QStringLiteral(" Assembled") : QString());
    p.description = QStringLiteral("%1 inch %2, %3, %4 finish, %5 collection.")
                        .arg(width)
                        .arg(kindName.toLower(), QLatin1String(kind.detail), finishName, QLatin1String(line));
    p.category = QLatin1String(kind.category);
    // Categories typed by hand upstream: some in lower case or padded.
    if ((h >> 40) % 29 == 0) p.category = QLatin1Char(' ') + p.category.toLower() + QLatin1Char(' ');
    const int dollars = (kind.basePrice + width * kind.perInch) * finish.percent / 100 + (assembled ? 60 : 0);
    p.rate = QStringLiteral("%1.%2").arg(dollars).arg((h >> 44) % 4 == 0 ? 99 : 0, 2, 10, QLatin1Char('0'));
    if ((h >> 48) % 11 != 0) // some items have no stock figure
        p.stock =
            (h >> 48) % 17 == 0 ? QStringLiteral("%1.5").arg((h >> 52) % 8) : QString::number((h >> 52) % 60);
    p.composite = assembled;
    p.stockSource = !assembled ? QStringLiteral("Warehouse %1").arg(QLatin1Char(char('A' + (h >> 56) % 3)))
                    : (h >> 56) % 4 == 0
                        ? QString()
                        : QStringLiteral("Assembled from %1 and a hardware kit").arg(flatSku);
    p.taxId = (h >> 58) % 13 == 0 ? QString() : taxId;
    if ((h >> 60) % 3 != 0) {
        p.imagePath = QStringLiteral("/api/items/%1/image").arg(p.id);
        p.imageVersion = QStringLiteral("v%1").arg(1 + (h >> 62));
    }
    return p;
}

QList<Product> generatedCatalog(int count, const QString &taxId)
{
    QList<Product> products;
    products.reserve(count);
    for (int i = 0; i < count; ++i) products.append(generatedProduct(i, taxId));
    return products;
}

} // namespace standin
