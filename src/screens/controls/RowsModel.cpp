#include "RowsModel.h"

#include <QLoggingCategory>

namespace vantrel::screens {

namespace {
Q_LOGGING_CATEGORY(lcScreens, "vantrel.screens")
} // namespace

RowsModel::RowsModel(QByteArrayList roles, QObject *parent)
    : QAbstractListModel(parent), m_roles(std::move(roles))
{}

void RowsModel::setRows(const QList<QVariantMap> &rows)
{
    QList<QVariantList> next;
    next.reserve(rows.size());
    for (const QVariantMap &row : rows) {
        QVariantList values;
        values.reserve(m_roles.size());
        for (const QByteArray &role : std::as_const(m_roles))
            values.append(row.value(QString::fromUtf8(role)));
        for (auto key = row.keyBegin(); key != row.keyEnd(); ++key)
            if (!m_roles.contains(key->toUtf8()))
                qCWarning(lcScreens) << "RowsModel: no role" << *key << "among" << m_roles;
        next.append(std::move(values));
    }

    const qsizetype kept = std::min(m_rows.size(), next.size());
    for (qsizetype row = 0; row < kept; ++row) {
        QList<int> changed;
        for (qsizetype role = 0; role < m_roles.size(); ++role)
            if (m_rows[row][role] != next[row][role]) changed.append(Qt::UserRole + 1 + int(role));
        if (changed.isEmpty()) continue;
        m_rows[row] = next[row];
        emit dataChanged(index(int(row)), index(int(row)), changed);
    }
    if (next.size() > m_rows.size()) {
        beginInsertRows({}, int(m_rows.size()), int(next.size() - 1));
        m_rows.append(next.mid(m_rows.size()));
        endInsertRows();
        emit countChanged();
    } else if (next.size() < m_rows.size()) {
        beginRemoveRows({}, int(next.size()), int(m_rows.size() - 1));
        m_rows.resize(next.size());
        endRemoveRows();
        emit countChanged();
    }
}

int RowsModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : count(); }

QVariant RowsModel::data(const QModelIndex &index, int role) const
{
    const int column = role - (Qt::UserRole + 1);
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        column < 0 || column >= m_roles.size())
        return {};
    return m_rows.at(index.row()).at(column);
}

QHash<int, QByteArray> RowsModel::roleNames() const
{
    QHash<int, QByteArray> names;
    for (qsizetype role = 0; role < m_roles.size(); ++role)
        names.insert(Qt::UserRole + 1 + int(role), m_roles.at(role));
    return names;
}

} // namespace vantrel::screens
