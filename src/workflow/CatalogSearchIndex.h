#pragma once
// The catalog's search keys laid out for a keystroke: every product's words
// and SKU key in one UTF-8 buffer each, so a searched word is found with one
// memmem pass over the whole catalog instead of one search per product, and
// the words of earlier keystrokes ("white", "white s", "white sh") are
// remembered until the keys change. It finds exactly what matchesSearch()
// finds; a word it cannot compare byte for byte is matched the slow way.

#include "CatalogSearch.h"

#include <QByteArray>
#include <QHash>

#include <string>
#include <vector>

namespace vantrel {

class CatalogSearchIndex {
public:
    CatalogSearchIndex() = default;
    explicit CatalogSearchIndex(const QList<CatalogSearchKey> &keys);

    qsizetype size() const { return qsizetype(m_words.starts.size()) - 1; }
    // Per product, 1 when matchesSearch(keys[row], query) holds. Valid until the next call.
    const std::vector<quint8> &matches(const CatalogQuery &query);

private:
    // Product i's text is bytes[starts[i], starts[i + 1] - 1); a NUL ends each.
    struct Text {
        std::string bytes;
        std::vector<qsizetype> starts{0};
    };
    using Hits = std::vector<quint8>;
    static void append(Text &text, const QString &value);
    const Hits &found(const Text &text, QHash<QByteArray, Hits> &cache, const QString &needle);
    bool allFound(const QStringList &words, Hits &into);

    QList<CatalogSearchKey> m_keys; // shared, for the words matched the slow way
    Text m_words;
    Text m_skus;
    QHash<QByteArray, Hits> m_wordHits;
    QHash<QByteArray, Hits> m_skuHits;
    std::vector<quint8> m_matches;
};

// The rows visibleProductRows() gives, through the index.
QList<qsizetype> visibleProductRows(const QList<CatalogSearchKey> &products, CatalogSearchIndex &index,
                                    const CatalogFilter &filter);

} // namespace vantrel
