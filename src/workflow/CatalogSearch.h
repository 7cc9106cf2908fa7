#pragma once
// The catalog's product rules: categories, the assembled split, the stock
// lines of a product card, and search as staff type or speak it. The list
// model builds one CatalogSearchKey per product when the catalog is replaced
// and filters those keys per keystroke, so a keystroke never re-reads or
// re-lowers a product.

#include "records/Reference.h"

#include <QLatin1String>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace vantrel {

// The category choice that filters nothing.
inline constexpr QLatin1String allCategory("All");
// Where a product whose category is none of the fixed ones is listed.
inline constexpr QLatin1String uncategorizedCategory("Uncategorized");
// The categories the company sorts its cabinets into, in the order of the chips.
inline constexpr std::array<QLatin1String, 4> fixedCategories{
    QLatin1String("Base"), QLatin1String("Wall"), QLatin1String("Vanity"), QLatin1String("Accessories")};

// One spoken phrase and the SKU text it stands for.
struct SpokenReplacement {
    QLatin1String phrase;
    QLatin1String replacement;
};

// What people say for finish codes and common widths. Applied in this order,
// every occurrence, as plain substrings: the two-word numbers come before
// "thirty" so that "thirty six" is not read as "30 six". The recogniser's
// vocabulary is built from the same rows.
inline constexpr std::array<SpokenReplacement, 15> spokenSearchReplacements{{
    {QLatin1String("white shaker"), QLatin1String("ws")},
    {QLatin1String("white oak"), QLatin1String("wo")},
    {QLatin1String("graphite shaker"), QLatin1String("gs")},
    {QLatin1String("thirty six"), QLatin1String("36")},
    {QLatin1String("thirty-six"), QLatin1String("36")},
    {QLatin1String("twenty four"), QLatin1String("24")},
    {QLatin1String("twenty-four"), QLatin1String("24")},
    {QLatin1String("forty two"), QLatin1String("42")},
    {QLatin1String("forty-two"), QLatin1String("42")},
    {QLatin1String("thirty"), QLatin1String("30")},
    {QLatin1String("eighteen"), QLatin1String("18")},
    {QLatin1String("twenty one"), QLatin1String("21")},
    {QLatin1String("fifteen"), QLatin1String("15")},
    {QLatin1String("twelve"), QLatin1String("12")},
    {QLatin1String("nine"), QLatin1String("9")},
}};

// The product's category in its fixed spelling (" vanity " is "Vanity"), or
// "Uncategorized".
QString normalizedCategory(const Product &product);

// The category chips for a catalog: "All", the fixed categories, and
// "Uncategorized" when some product falls outside them.
QStringList catalogCategories(const QList<Product> &products);

// The selected category after the chips changed: kept while it is still
// offered, otherwise "All".
QString keptCategory(const QString &selected, const QStringList &categories);

// Assembled units carry the "WSX" SKU suffix; they are filtered apart from
// the flat-packed ones.
bool isAssembled(const Product &product);

// "12 available", or "Stock unavailable" when the server has no figure.
QString stockLine(const Product &product);
// Where a composite product's stock figure comes from ("Stock: first
// component" when the server does not say); empty for other products.
QString compositeStockLine(const Product &product);

// Lower-cased letters and digits only: "WS-36 Base" is "ws36base". SKUs are
// compared in this form so that dashes and spaces never decide a match.
QString searchKey(const QString &text);

// Number words as digits, for any number up to the thousands: "thirty three"
// is "33", "one zero zero one" is "1001" (numbers read digit by digit join
// up), "one hundred five" is "105". Other words are kept; punctuation
// between words is dropped, as the result only feeds a search key.
QString spokenNumbersAsDigits(const QString &text);

// Search text as the SKU comparison reads it: lower-cased, the spoken
// replacements applied, then the remaining number words as digits.
QString spokenSearchText(const QString &text);

// The product as the search reads it, built once per catalog refresh.
struct CatalogSearchKey {
    QString sku; // searchKey of the SKU
    QString words; // lower-cased name, SKU and description, space separated
    QString category; // normalizedCategory
    bool assembled = false;
};

CatalogSearchKey catalogSearchKey(const Product &product);
QList<CatalogSearchKey> catalogSearchKeys(const QList<Product> &products);

// What a product's search key is made of: a key is made again only when
// these changed.
using CatalogSearchSources = std::array<QString, 4>;
CatalogSearchSources catalogSearchSources(const Product &product);
QList<CatalogSearchSources> catalogSearchSources(const QList<Product> &products);

// The category chips for the products these keys were made of, as
// catalogCategories gives them.
QStringList catalogCategories(const QList<CatalogSearchKey> &keys);

// The search text prepared once per keystroke.
struct CatalogQuery {
    bool empty = true;
    QString key; // searchKey of the trimmed text
    QString spokenKey; // searchKey of spokenSearchText; empty when it adds nothing
    QStringList words; // the lower-cased text split at spaces
    QStringList numberWords; // the words with spoken numbers as digits; empty unless a number is said
};

CatalogQuery catalogQuery(const QString &text);

// Whether a product is found by the search: an empty search finds all; then
// the SKU holding the typed or the spoken text (punctuation ignored); then
// every typed word somewhere in the name, SKU or description, or every word
// once spoken numbers are digits ("filler thirty three" finds "Filler 33").
// Text without letters or digits is matched by its words only: it holds
// nothing to find in a SKU.
bool matchesSearch(const CatalogSearchKey &product, const CatalogQuery &query);
// The same for one product and raw text, deriving both sides on the spot.
bool matchesSearch(const Product &product, const QString &text);

// What the catalog screen is set to show.
struct CatalogFilter {
    QString category = allCategory;
    bool showAssembled = true;
    bool showUnassembled = true;
    QString query;
};

// Rows of the products the grid shows, in catalog order.
QList<qsizetype> visibleProductRows(const QList<CatalogSearchKey> &products, const CatalogFilter &filter);

} // namespace vantrel
