#pragma once
// A list model over plain records, keyed by each record's id, that the
// screens bind to. Roles are computed from the record when a delegate asks
// (display texts included), and a new list is applied in place: rows whose id
// stays keep their delegates, an edited row reports dataChanged, a new or
// dropped row is one insert or one removal. Delegates that hold focus (a text
// field in a quote line) therefore survive every change of the list.

#include "records/SameStorage.h"

#include <QAbstractListModel>
#include <QSet>

#include <functional>
#include <utility>

namespace vantrel {

// The non-template half: what QML sees of every record list.
class RecordListModelBase : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    using QAbstractListModel::QAbstractListModel;
    int count() const { return rowCount(); }
    // Row of the record with this id, -1 when none.
    Q_INVOKABLE virtual int indexOfId(const QString &id) const = 0;

signals:
    void countChanged();
};

template <class T> class RecordListModel : public RecordListModelBase {
public:
    struct Role {
        QByteArray name;
        std::function<QVariant(const T &)> value;
    };
    explicit RecordListModel(QList<Role> roles, QObject *parent = nullptr)
        : RecordListModelBase(parent), m_roles(std::move(roles))
    {}

    const QList<T> &items() const { return m_items; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_items.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const int column = role - Qt::UserRole;
        if (!index.isValid() || index.row() >= m_items.size() || column < 0 || column >= m_roles.size())
            return {};
        return m_roles.at(column).value(m_items.at(index.row()));
    }

    QHash<int, QByteArray> roleNames() const override
    {
        QHash<int, QByteArray> names;
        for (int i = 0; i < m_roles.size(); ++i) names.insert(Qt::UserRole + i, m_roles.at(i).name);
        return names;
    }

    int indexOfId(const QString &id) const override
    {
        for (int i = 0; i < m_items.size(); ++i)
            if (m_items.at(i).id == id) return i;
        return -1;
    }

    // Applies a new list with the fewest row changes the models can express.
    // Answers what it no longer holds (replaced rows, unchanged duplicates),
    // so the caller may free a large list away from the main thread.
    QList<T> assign(QList<T> next)
    {
        const int before = int(m_items.size());
        if (sameKeys(next)) {
            updateRows(next);
        } else if (next.size() + m_items.size() > incrementalLimit) {
            // A large list whose ids moved: one reset beats thousands of moves.
            beginResetModel();
            std::swap(m_items, next);
            endResetModel();
        } else {
            applyIncrementally(next);
        }
        if (before != m_items.size()) emit countChanged();
        return next;
    }

private:
    // Above this many rows a reordered list is reset instead of diffed.
    static constexpr qsizetype incrementalLimit = 2000;

    bool sameKeys(const QList<T> &next) const
    {
        if (next.size() != m_items.size()) return false;
        for (qsizetype i = 0; i < next.size(); ++i)
            if (next.at(i).id != m_items.at(i).id) return false;
        return true;
    }

    static bool same(const T &a, const T &b) { return sameStorage(a, b) || a == b; }

    // Changed rows are reported as runs: a refresh that touches every row
    // is one signal, not ten thousand.
    void updateRows(QList<T> &next)
    {
        int runStart = -1;
        for (int i = 0; i <= next.size(); ++i) {
            const bool changed = i < next.size() && !same(next.at(i), m_items.at(i));
            if (changed) {
                std::swap(m_items[i], next[i]);
                if (runStart < 0) runStart = i;
            } else if (runStart >= 0) {
                emit dataChanged(index(runStart), index(i - 1));
                runStart = -1;
            }
        }
    }

    void applyIncrementally(QList<T> &next)
    {
        QSet<QString> wanted;
        for (const T &item : next) wanted.insert(item.id);
        for (int i = int(m_items.size()) - 1; i >= 0; --i) {
            if (wanted.contains(m_items.at(i).id)) continue;
            beginRemoveRows({}, i, i);
            m_items.removeAt(i);
            endRemoveRows();
        }
        for (int i = 0; i < next.size(); ++i) {
            const QString &key = next.at(i).id;
            const int found = indexOfId(key);
            if (found == i) {
                if (!same(m_items.at(i), next.at(i))) {
                    m_items[i] = next.at(i);
                    emit dataChanged(index(i), index(i));
                }
            } else if (found > i) {
                beginMoveRows({}, found, found, {}, i);
                m_items.move(found, i);
                endMoveRows();
                if (!same(m_items.at(i), next.at(i))) {
                    m_items[i] = next.at(i);
                    emit dataChanged(index(i), index(i));
                }
            } else {
                beginInsertRows({}, i, i);
                m_items.insert(i, next.at(i));
                endInsertRows();
            }
        }
    }

    QList<Role> m_roles;
    QList<T> m_items;
};

} // namespace vantrel
