#include "ProductRows.h"

#include "screens/controls/text/LanguageChoice.h"

#include <QMetaProperty>

#include <limits>

namespace vantrel::screens {

namespace {

// Rows let in per step while filling, the time between steps, and the row
// count after which the rest come at once: more rows than any screen shows.
constexpr int fillStep = 1;
constexpr int fillIntervalMs = 20;
constexpr int fillRows = 12;

} // namespace

ProductRows::ProductRows(QObject *parent) : QAbstractListModel(parent)
{
    m_fillTimer.setSingleShot(true);
    m_fillTimer.setInterval(fillIntervalMs);
    connect(&m_fillTimer, &QTimer::timeout, this, [this] {
        m_fillLimit += fillStep;
        follow();
    });
    // The cards' texts are the source's, worked out as they are read.
    connect(LanguageChoice::instance(), &LanguageChoice::changed, this, [this] {
        if (productCount() > 0) touch(0, productCount() - 1);
    });
}

void ProductRows::setSource(QAbstractItemModel *source)
{
    if (m_source == source) return;
    for (const auto &connection : std::as_const(m_connections)) disconnect(connection);
    m_connections.clear();
    beginResetModel();
    m_source = source;
    m_filling = false;
    m_fillTimer.stop();
    m_cardRoles.clear();
    if (source) {
        const QHash<int, QByteArray> roles = source->roleNames();
        const QMetaObject &card = CatalogCard::staticMetaObject;
        for (int property = card.propertyOffset(); property < card.propertyCount(); ++property) {
            const int role = roles.key(card.property(property).name(), -1);
            if (role >= 0) m_cardRoles.append({property, role});
        }
    }
    m_rows = rowsFor(productCount());
    ++m_revision;
    endResetModel();
    if (source) {
        using M = QAbstractItemModel;
        constexpr int end = std::numeric_limits<int>::max();
        const auto all = [this] { touch(0, end); };
        m_connections = {
            connect(source, &M::modelReset, this,
                    [this, all] {
                        startFilling();
                        all();
                    }),
            connect(source, &M::layoutChanged, this, all),
            connect(source, &M::rowsMoved, this, all),
            connect(source, &M::rowsInserted, this,
                    [this](const QModelIndex &, int first) { touch(first, end); }),
            connect(source, &M::rowsRemoved, this,
                    [this](const QModelIndex &, int first) { touch(first, end); }),
            connect(source, &M::dataChanged, this,
                    [this](const QModelIndex &from, const QModelIndex &to) { touch(from.row(), to.row()); }),
        };
    }
    emit sourceChanged();
}

void ProductRows::setColumns(int columns)
{
    columns = std::max(1, columns);
    if (m_columns == columns) return;
    beginResetModel();
    m_columns = columns;
    m_filling = false;
    m_fillTimer.stop();
    m_rows = rowsFor(productCount());
    ++m_revision;
    endResetModel();
    emit columnsChanged();
}

void ProductRows::touch(int first, int last)
{
    const bool scheduled = m_touchedFrom <= m_touchedTo;
    m_touchedFrom = scheduled ? std::min(m_touchedFrom, first) : first;
    m_touchedTo = scheduled ? std::max(m_touchedTo, last) : last;
    if (!scheduled) QMetaObject::invokeMethod(this, &ProductRows::follow, Qt::QueuedConnection);
}

void ProductRows::startFilling()
{
    if (m_filling) return;
    m_filling = true;
    m_fillLimit = m_rows + fillStep;
    m_fillTimer.stop();
}

void ProductRows::follow()
{
    const int from = m_touchedFrom;
    const int to = std::min(m_touchedTo, productCount() - 1);
    m_touchedFrom = 1;
    m_touchedTo = 0;
    int rows = rowsFor(productCount());
    if (m_filling) {
        if (rows > m_fillLimit && m_fillLimit < fillRows) {
            rows = std::max(m_rows, m_fillLimit);
            if (!m_fillTimer.isActive()) m_fillTimer.start();
        } else {
            m_filling = false;
            m_fillTimer.stop();
        }
    }
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    if (from > to) return;
    const int first = std::max(0, from) / m_columns;
    const int last = std::min(m_rows - 1, to / m_columns);
    if (first > last) return;
    ++m_revision;
    emit dataChanged(index(first), index(last), {CardsRole, RevisionRole});
}

int ProductRows::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

QVariant ProductRows::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows) return {};
    const int first = index.row() * m_columns;
    switch (role) {
    case FirstRole: return first;
    case CardsRole: return std::min(m_columns, productCount() - first);
    case RevisionRole: return m_revision;
    default: return {};
    }
}

QHash<int, QByteArray> ProductRows::roleNames() const
{
    return {{FirstRole, "first"}, {CardsRole, "cards"}, {RevisionRole, "revision"}};
}

CatalogCard ProductRows::productAt(int index, int) const
{
    CatalogCard card;
    if (!m_source || index < 0 || index >= m_source->rowCount()) return card;
    const QModelIndex at = m_source->index(index, 0);
    for (const auto &[property, role] : m_cardRoles)
        CatalogCard::staticMetaObject.property(property).writeOnGadget(&card, m_source->data(at, role));
    return card;
}

} // namespace vantrel::screens
