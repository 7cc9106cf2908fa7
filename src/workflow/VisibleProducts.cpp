#include "VisibleProducts.h"

#include "QuotePart.h"

#include <QSettings>

namespace vantrel {

namespace {

const char *const showAssembledKey = "catalogShowAssembled";
const char *const showUnassembledKey = "catalogShowUnassembled";
} // namespace

VisibleProducts::VisibleProducts(ProductListModel *catalog, QuotePart *quote, QSettings *settings,
                                 QObject *parent)
    : QSortFilterProxyModel(parent), m_catalog(catalog), m_quote(quote), m_settings(settings)
{
    QSettings defaults;
    QSettings &store = m_settings ? *m_settings : defaults;
    m_filter.showAssembled = store.value(QLatin1String(showAssembledKey), true).toBool();
    m_filter.showUnassembled = store.value(QLatin1String(showUnassembledKey), true).toBool();
    m_categories = catalogCategories(QList<CatalogSearchKey>());

    // Connected before the proxy connects itself, so the keys are current
    // when it asks about the rows a change touched.
    connect(catalog, &QAbstractItemModel::modelReset, this, &VisibleProducts::rebuildKeys);
    connect(catalog, &QAbstractItemModel::rowsInserted, this, &VisibleProducts::rebuildKeys);
    connect(catalog, &QAbstractItemModel::rowsRemoved, this, &VisibleProducts::rebuildKeys);
    connect(catalog, &QAbstractItemModel::rowsMoved, this, &VisibleProducts::rebuildKeys);
    connect(catalog, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &from, const QModelIndex &to) { updateKeys(from.row(), to.row()); });
    rebuildKeys();
    setSourceModel(catalog);
    const auto recount = [this] {
        if (rowCount() == m_lastCount) return;
        m_lastCount = rowCount();
        emit countChanged();
    };
    connect(this, &QAbstractItemModel::rowsInserted, this, recount);
    connect(this, &QAbstractItemModel::rowsRemoved, this, recount);
    connect(this, &QAbstractItemModel::modelReset, this, recount);
    connect(this, &QAbstractItemModel::layoutChanged, this, recount);
    m_lastCount = rowCount();
}

void VisibleProducts::rebuildKeys()
{
    const QList<Product> &products = m_catalog->items();
    const bool sizeChanged = products.size() != m_keys.size();
    dropIndex();
    // The same list, not an equal one: the list in the model shares its data
    // with the offered one only when it was put in whole.
    if (m_offered && m_offered->products.constData() == products.constData() &&
        m_offered->keys.size() == products.size()) {
        m_keys = std::move(m_offered->keys);
        if (m_offered->sources && m_offered->sources->size() == m_keys.size())
            m_sources = std::move(*m_offered->sources);
        else
            m_sources = catalogSearchSources(products);
        if (m_offered->index && m_offered->index->size() == m_keys.size()) {
            m_index = std::move(*m_offered->index);
            m_indexCurrent = true;
            m_found = &m_index.matches(m_query);
        }
        m_offered.reset();
    } else {
        m_keys = catalogSearchKeys(products);
        m_sources = catalogSearchSources(products);
    }
    if (sizeChanged) emit totalChanged();
    recheckCategories();
}

void VisibleProducts::offerKeys(QList<Product> products, QList<CatalogSearchKey> keys,
                                std::optional<QList<CatalogSearchSources>> sources,
                                std::optional<CatalogSearchIndex> index)
{
    m_offered = OfferedKeys{std::move(products), std::move(keys), std::move(sources), std::move(index)};
}

void VisibleProducts::withdrawKeys() { m_offered.reset(); }

void VisibleProducts::updateKeys(int first, int last)
{
    // A refresh usually changes stock and prices only; a key is made again
    // only when what the search reads has changed.
    const QList<Product> &products = m_catalog->items();
    for (int row = first; row <= last && row < products.size() && row < m_keys.size(); ++row) {
        CatalogSearchSources fields = catalogSearchSources(products.at(row));
        if (fields == m_sources.at(row)) continue;
        dropIndex(); // first, so that the keys are not copied away from it
        m_keys[row] = catalogSearchKey(products.at(row));
        m_sources[row] = std::move(fields);
    }
    // A refresh reports its changed rows one by one; the chips are worked
    // out once after the last of them.
    if (m_categoriesPending) return;
    m_categoriesPending = true;
    QMetaObject::invokeMethod(this, &VisibleProducts::recheckCategories, Qt::QueuedConnection);
}

void VisibleProducts::dropIndex()
{
    if (!m_indexCurrent) return;
    m_index = CatalogSearchIndex();
    m_found = nullptr;
    m_indexCurrent = false;
}

void VisibleProducts::recheckCategories()
{
    m_categoriesPending = false;
    // The keys are current with the list here: every change of it remade them.
    const QStringList categories = catalogCategories(m_keys);
    if (categories == m_categories) return;
    m_categories = categories;
    emit categoriesChanged();
    // A category that went away shows everything rather than nothing.
    setCategory(keptCategory(m_filter.category, m_categories));
}

bool VisibleProducts::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (sourceRow >= m_keys.size()) return false;
    const CatalogSearchKey &key = m_keys.at(sourceRow);
    if (m_filter.category != allCategory && key.category != m_filter.category) return false;
    if (key.assembled ? !m_filter.showAssembled : !m_filter.showUnassembled) return false;
    if (m_indexCurrent && m_found && std::size_t(sourceRow) < m_found->size())
        return (*m_found)[std::size_t(sourceRow)];
    return matchesSearch(key, m_query);
}

void VisibleProducts::refilter()
{
    invalidateFilter();
    if (rowCount() != m_lastCount) {
        m_lastCount = rowCount();
        emit countChanged();
    }
}

void VisibleProducts::setQuery(const QString &query)
{
    if (query == m_filter.query) return;
    m_filter.query = query;
    m_query = catalogQuery(query);
    if (!m_indexCurrent) {
        m_index = CatalogSearchIndex(m_keys);
        m_indexCurrent = true;
    }
    m_found = &m_index.matches(m_query);
    emit queryChanged();
    refilter();
}

void VisibleProducts::setCategory(const QString &category)
{
    if (category == m_filter.category) return;
    m_filter.category = category;
    emit categoryChanged();
    refilter();
}

void VisibleProducts::persist(const char *key, bool value)
{
    if (m_settings) {
        m_settings->setValue(QLatin1String(key), value);
    } else {
        QSettings().setValue(QLatin1String(key), value);
    }
}

void VisibleProducts::setShowAssembled(bool show)
{
    if (show == m_filter.showAssembled) return;
    m_filter.showAssembled = show;
    persist(showAssembledKey, show);
    emit showAssembledChanged();
    refilter();
}

void VisibleProducts::setShowUnassembled(bool show)
{
    if (show == m_filter.showUnassembled) return;
    m_filter.showUnassembled = show;
    persist(showUnassembledKey, show);
    emit showUnassembledChanged();
    refilter();
}

bool VisibleProducts::submitScan(const QString &text)
{
    const QString code = searchKey(text);
    if (code.isEmpty()) return false;
    qsizetype found = -1;
    for (qsizetype row = 0; row < m_keys.size(); ++row) {
        if (m_keys.at(row).sku != code) continue;
        if (found >= 0) return false; // two products answer to this code
        found = row;
    }
    if (found < 0) return false;
    const Product product = m_catalog->items().at(found);
    if (!m_quote->addProduct(product)) return false;
    setQuery(QString());
    emit scanned(product.name);
    return true;
}

} // namespace vantrel
