#pragma once
// A list model of rows of named values that a screen's state object hands
// over whole on every change: it tells the view only what differs (rows
// added or dropped at the end, rows whose values changed), never a reset,
// so delegates stay put and only a changed row re-reads its roles.

#include <QAbstractListModel>
#include <QByteArrayList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

class RowsModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Rows come from a screen's state object.")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    // `roles` are the names delegates bind to, the keys of the rows given.
    explicit RowsModel(QByteArrayList roles, QObject *parent = nullptr);

    int count() const { return int(m_rows.size()); }
    // Keys that are not roles are a mistake of the caller: warned about and
    // left out; a role missing from a row reads as an invalid value.
    void setRows(const QList<QVariantMap> &rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

private:
    QByteArrayList m_roles;
    QList<QVariantList> m_rows; // each row's values in the order of m_roles
};

} // namespace vantrel::screens
