#include "CatalogSearch.h"

#include "records/TypedNumber.h"

#include <QStringView>
#include <QCoreApplication>

#include <algorithm>

namespace vantrel {

namespace {

// -1 for a word that is not a number. "9ty" and "9teen" are "ninety" and
// "nineteen" after the replacement table's "nine" row has acted inside them.
int numberWordValue(QStringView word)
{
    struct NumberWord {
        const char16_t *text;
        int value;
    };
    static constexpr NumberWord words[] = {
        {u"zero", 0},     {u"one", 1},      {u"two", 2},        {u"three", 3},     {u"four", 4},
        {u"five", 5},     {u"six", 6},      {u"seven", 7},      {u"eight", 8},     {u"nine", 9},
        {u"ten", 10},     {u"eleven", 11},  {u"twelve", 12},    {u"thirteen", 13}, {u"fourteen", 14},
        {u"fifteen", 15}, {u"sixteen", 16}, {u"seventeen", 17}, {u"eighteen", 18}, {u"nineteen", 19},
        {u"9teen", 19},   {u"twenty", 20},  {u"thirty", 30},    {u"forty", 40},    {u"fifty", 50},
        {u"sixty", 60},   {u"seventy", 70}, {u"eighty", 80},    {u"ninety", 90},   {u"9ty", 90},
    };
    for (const NumberWord &w : words) {
        if (word == QStringView(w.text)) return w.value;
    }
    return -1;
}

bool isDigits(QStringView word)
{
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isTens(int value) { return value >= 20 && value < 100 && value % 10 == 0; }

} // namespace

QString normalizedCategory(const Product &product)
{
    const QString category = product.category.trimmed();
    for (const QLatin1String fixed : fixedCategories) {
        if (category.compare(fixed, Qt::CaseInsensitive) == 0) return fixed;
    }
    return uncategorizedCategory;
}

namespace {

// "All", the fixed categories, and "Uncategorized" when some product is
// outside them.
QStringList categoryChips(bool someOutside)
{
    QStringList categories{allCategory};
    for (const QLatin1String fixed : fixedCategories) categories << fixed;
    if (someOutside) categories << uncategorizedCategory;
    return categories;
}

} // namespace

QStringList catalogCategories(const QList<Product> &products)
{
    return categoryChips(std::any_of(products.begin(), products.end(), [](const Product &p) {
        return normalizedCategory(p) == uncategorizedCategory;
    }));
}

QStringList catalogCategories(const QList<CatalogSearchKey> &keys)
{
    return categoryChips(std::any_of(keys.begin(), keys.end(), [](const CatalogSearchKey &key) {
        return key.category == uncategorizedCategory;
    }));
}

QString keptCategory(const QString &selected, const QStringList &categories)
{
    return categories.contains(selected) ? selected : QString(allCategory);
}

bool isAssembled(const Product &product)
{
    return product.sku.trimmed().toUpper().endsWith(QLatin1String("WSX"));
}

QString stockLine(const Product &product)
{
    return product.stock
               ? QCoreApplication::translate("Catalog", "%1 available").arg(numberText(*product.stock))
               : QCoreApplication::translate("Catalog", "Stock unavailable");
}

QString compositeStockLine(const Product &product)
{
    if (!product.composite) return {};
    return QCoreApplication::translate("Catalog", "Stock: %1")
        .arg(product.stockSource.isEmpty() ? QCoreApplication::translate("Catalog", "first component")
                                           : product.stockSource);
}

QString searchKey(const QString &text)
{
    const QString lower = text.toLower();
    QString key;
    key.reserve(lower.size());
    for (qsizetype i = 0; i < lower.size(); ++i) {
        const QChar c = lower[i];
        // Letters outside the basic plane come as surrogate pairs; keep both halves.
        if (c.isHighSurrogate() && i + 1 < lower.size() && lower[i + 1].isLowSurrogate()) {
            if (QChar::isLetterOrNumber(QChar::surrogateToUcs4(c, lower[i + 1]))) key.append(lower.mid(i, 2));
            ++i;
        } else if (c.isLetterOrNumber()) {
            key.append(c);
        }
    }
    return key;
}

QString spokenNumbersAsDigits(const QString &text)
{
    QStringList out;
    QString digits; // consecutive numbers, written as one digit string
    int group = -1; // the number being read, -1 when none
    int open = 0; // smaller values still add to the group: 10 after "thirty", 100 after "hundred"
    const auto closeGroup = [&] {
        if (group >= 0) digits += QString::number(group);
        group = -1;
        open = 0;
    };
    const auto closeRun = [&] {
        closeGroup();
        if (!digits.isEmpty()) out << digits;
        digits.clear();
    };
    const auto read = [&](QStringView word) {
        if (word == u"hundred") {
            if (group > 0 && group < 100) {
                group *= 100;
            } else {
                closeGroup();
                group = 100;
            }
            open = 100;
            return;
        }
        const bool numeric = isDigits(word);
        if (numeric && word.size() > 3) {
            // A part number typed or read as digits: taken as it is.
            closeGroup();
            digits += word;
            return;
        }
        const int value = numeric ? word.toInt() : numberWordValue(word);
        if (value < 0) {
            closeRun();
            out << word.toString();
        } else if (group >= 0 && value > 0 && value < open) {
            group += value;
            open = open == 100 && isTens(value) ? 10 : 0;
        } else {
            closeGroup();
            group = value;
            open = isTens(value) ? 10 : 0;
        }
    };
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool inWord = i < text.size() && text[i].isLetterOrNumber();
        if (inWord && start < 0) start = i;
        if (!inWord && start >= 0) {
            read(QStringView(text).mid(start, i - start));
            start = -1;
        }
    }
    closeRun();
    return out.join(QLatin1Char(' '));
}

QString spokenSearchText(const QString &text)
{
    QString spoken = text.toLower();
    for (const SpokenReplacement &row : spokenSearchReplacements) spoken.replace(row.phrase, row.replacement);
    return spokenNumbersAsDigits(spoken);
}

CatalogSearchKey catalogSearchKey(const Product &product)
{
    CatalogSearchKey key;
    key.sku = searchKey(product.sku);
    key.words =
        (product.name + QLatin1Char(' ') + product.sku + QLatin1Char(' ') + product.description).toLower();
    key.category = normalizedCategory(product);
    key.assembled = isAssembled(product);
    return key;
}

QList<CatalogSearchKey> catalogSearchKeys(const QList<Product> &products)
{
    QList<CatalogSearchKey> keys;
    keys.reserve(products.size());
    for (const Product &product : products) keys.append(catalogSearchKey(product));
    return keys;
}

CatalogSearchSources catalogSearchSources(const Product &product)
{
    return {product.sku, product.name, product.description, product.category};
}

QList<CatalogSearchSources> catalogSearchSources(const QList<Product> &products)
{
    QList<CatalogSearchSources> sources;
    sources.reserve(products.size());
    for (const Product &product : products) sources.append(catalogSearchSources(product));
    return sources;
}

CatalogQuery catalogQuery(const QString &text)
{
    CatalogQuery query;
    const QString trimmed = text.trimmed();
    query.empty = trimmed.isEmpty();
    if (query.empty) return query;
    query.key = searchKey(trimmed);
    query.spokenKey = searchKey(spokenSearchText(trimmed));
    if (query.spokenKey == query.key) query.spokenKey.clear();
    query.words = trimmed.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // Only a query that says a number gets the second reading, so typed
    // punctuation keeps meaning what it did.
    const bool saysNumber = std::any_of(query.words.begin(), query.words.end(), [](const QString &word) {
        return word == u"hundred" || numberWordValue(word) >= 0;
    });
    if (saysNumber)
        query.numberWords = spokenNumbersAsDigits(query.words.join(QLatin1Char(' ')))
                                .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return query;
}

bool matchesSearch(const CatalogSearchKey &product, const CatalogQuery &query)
{
    if (query.empty) return true;
    if (!query.key.isEmpty() && product.sku.contains(query.key)) return true;
    if (!query.spokenKey.isEmpty() && product.sku.contains(query.spokenKey)) return true;
    const auto allFound = [&](const QStringList &words) {
        return std::all_of(words.begin(), words.end(),
                           [&](const QString &word) { return product.words.contains(word); });
    };
    return allFound(query.words) || (!query.numberWords.isEmpty() && allFound(query.numberWords));
}

bool matchesSearch(const Product &product, const QString &text)
{
    return matchesSearch(catalogSearchKey(product), catalogQuery(text));
}

QList<qsizetype> visibleProductRows(const QList<CatalogSearchKey> &products, const CatalogFilter &filter)
{
    QList<qsizetype> rows;
    if (!filter.showAssembled && !filter.showUnassembled) return rows;
    const bool anyCategory = filter.category == allCategory;
    const CatalogQuery query = catalogQuery(filter.query);
    for (qsizetype row = 0; row < products.size(); ++row) {
        const CatalogSearchKey &product = products[row];
        if (!anyCategory && product.category != filter.category) continue;
        if (!(product.assembled ? filter.showAssembled : filter.showUnassembled)) continue;
        if (matchesSearch(product, query)) rows.append(row);
    }
    return rows;
}

} // namespace vantrel
