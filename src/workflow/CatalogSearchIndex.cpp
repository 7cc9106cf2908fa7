#include "CatalogSearchIndex.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

namespace {

// Remembered words per buffer; a person types far fewer between two catalog changes.
constexpr qsizetype rememberedWords = 256;

// UTF-8 bytes match where the UTF-16 text matches, for text that survives the
// conversion unchanged: no NUL (the separator), no surrogate (a lone one
// would become U+FFFD) and no U+FFFD itself.
bool byteComparable(const QString &needle)
{
    return std::none_of(needle.cbegin(), needle.cend(),
                        [](QChar c) { return c.unicode() == 0 || c.isSurrogate() || c.unicode() == 0xFFFD; });
}

} // namespace

CatalogSearchIndex::CatalogSearchIndex(const QList<CatalogSearchKey> &keys) : m_keys(keys)
{
    qsizetype words = 0, skus = 0;
    for (const CatalogSearchKey &key : keys) {
        words += key.words.size() + 1;
        skus += key.sku.size() + 1;
    }
    m_words.bytes.reserve(std::size_t(words));
    m_skus.bytes.reserve(std::size_t(skus));
    m_words.starts.reserve(std::size_t(keys.size()) + 1);
    m_skus.starts.reserve(std::size_t(keys.size()) + 1);
    for (const CatalogSearchKey &key : keys) {
        append(m_words, key.words);
        append(m_skus, key.sku);
    }
}

void CatalogSearchIndex::append(Text &text, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    text.bytes.append(utf8.constData(), std::size_t(utf8.size()));
    text.bytes.push_back('\0');
    text.starts.push_back(qsizetype(text.bytes.size()));
}

const CatalogSearchIndex::Hits &CatalogSearchIndex::found(const Text &text, QHash<QByteArray, Hits> &cache,
                                                          const QString &needle)
{
    const QByteArray bytes = needle.toUtf8();
    if (const auto it = cache.constFind(bytes); it != cache.cend()) return *it;
    if (cache.size() >= rememberedWords) cache.clear();
    Hits hits(std::size_t(size()), 0);
    if (!byteComparable(needle)) {
        const bool inWords = &text == &m_words;
        for (qsizetype row = 0; row < m_keys.size(); ++row)
            hits[std::size_t(row)] = (inWords ? m_keys[row].words : m_keys[row].sku).contains(needle);
        return *cache.insert(bytes, std::move(hits));
    }
    const char *const begin = text.bytes.data();
    const char *const end = begin + text.bytes.size();
    const char *from = begin;
    while (from < end) {
        const void *at = memmem(from, std::size_t(end - from), bytes.constData(), std::size_t(bytes.size()));
        if (!at) break;
        const qsizetype offset = static_cast<const char *>(at) - begin;
        // The product whose text holds the hit; the search goes on after its end.
        const auto next = std::upper_bound(text.starts.cbegin(), text.starts.cend(), offset);
        hits[std::size_t(next - text.starts.cbegin() - 1)] = 1;
        from = begin + *next;
    }
    return *cache.insert(bytes, std::move(hits));
}

bool CatalogSearchIndex::allFound(const QStringList &words, Hits &into)
{
    if (words.isEmpty()) return false;
    for (qsizetype w = 0; w < words.size(); ++w) {
        const Hits &hits = found(m_words, m_wordHits, words[w]);
        if (w == 0) {
            into = hits;
            continue;
        }
        for (std::size_t row = 0; row < into.size(); ++row) into[row] &= hits[row];
    }
    return true;
}

const std::vector<quint8> &CatalogSearchIndex::matches(const CatalogQuery &query)
{
    const std::size_t rows = std::size_t(size());
    if (query.empty) {
        m_matches.assign(rows, 1);
        return m_matches;
    }
    // Every typed word somewhere in the text, or every word once spoken numbers are digits.
    Hits spoken;
    if (!allFound(query.words, m_matches)) m_matches.assign(rows, 0);
    if (allFound(query.numberWords, spoken))
        for (std::size_t row = 0; row < rows; ++row) m_matches[row] |= spoken[row];
    // Or the SKU holding the typed or the spoken text.
    for (const QString &key : {query.key, query.spokenKey}) {
        if (key.isEmpty()) continue;
        const Hits &hits = found(m_skus, m_skuHits, key);
        for (std::size_t row = 0; row < rows; ++row) m_matches[row] |= hits[row];
    }
    return m_matches;
}

QList<qsizetype> visibleProductRows(const QList<CatalogSearchKey> &products, CatalogSearchIndex &index,
                                    const CatalogFilter &filter)
{
    if (index.size() != products.size()) return visibleProductRows(products, filter);
    QList<qsizetype> rows;
    if (!filter.showAssembled && !filter.showUnassembled) return rows;
    const bool anyCategory = filter.category == allCategory;
    const std::vector<quint8> &found = index.matches(catalogQuery(filter.query));
    for (qsizetype row = 0; row < products.size(); ++row) {
        const CatalogSearchKey &product = products[row];
        if (!anyCategory && product.category != filter.category) continue;
        if (!(product.assembled ? filter.showAssembled : filter.showUnassembled)) continue;
        if (found[std::size_t(row)]) rows.append(row);
    }
    return rows;
}

} // namespace vantrel
