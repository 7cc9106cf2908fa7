#pragma once
// A list model over a product list that groups it into rows of `columns`
// products, so the catalog grid can be a ListView of rows: Qt Quick's
// ListView reuses the delegates that scroll out, where its GridView (6.4)
// builds a new card for every cell that scrolls in. A card reads its product
// with productAt(row's first + column, row's revision); any change of the
// products renews the revision of the rows it touches, and a change of their
// number adds or removes rows at the end, so the view keeps its place. A
// filter emits a signal per run of rows it drops; the rows follow them all
// at once, when the event loop next turns.

#include <QAbstractListModel>
#include <QPointer>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

class ProductRows : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QAbstractItemModel *source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(int columns READ columns WRITE setColumns NOTIFY columnsChanged)

public:
    enum Role { FirstRole = Qt::UserRole + 1, CardsRole, RevisionRole };

    explicit ProductRows(QObject *parent = nullptr);

    QAbstractItemModel *source() const { return m_source; }
    int columns() const { return m_columns; }
    void setSource(QAbstractItemModel *source);
    void setColumns(int columns);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The source's roles of product `index` by name; empty past the end.
    // `revision` is only there for bindings to depend on.
    Q_INVOKABLE QVariantMap productAt(int index, int revision = 0) const;

signals:
    void sourceChanged();
    void columnsChanged();

private:
    int rowsFor(int products) const { return (products + m_columns - 1) / m_columns; }
    int productCount() const { return m_source ? m_source->rowCount() : 0; }
    // Marks products `first`..`last` changed; the rows follow on the next turn.
    void touch(int first, int last);
    // Brings the row count to the source's and renews the touched rows.
    void follow();

    QPointer<QAbstractItemModel> m_source;
    QList<QMetaObject::Connection> m_connections;
    int m_columns = 1;
    int m_rows = 0;
    int m_revision = 0;
    // The touched products not yet followed; none while m_touchedFrom > m_touchedTo.
    int m_touchedFrom = 1;
    int m_touchedTo = 0;
};

} // namespace vantrel::screens
