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
//
// After the source is reset (a first catalog, one replaced whole) the rows
// come in a few at a time, a short while apart, until a screenful is there;
// the rest then follow at once. A view makes a delegate for every row it
// shows the moment the row is added, and a screenful of cards at once holds
// the main thread for several frames.

#include <QAbstractListModel>
#include <QPointer>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

// What a catalog card shows of one product; each field is read from the
// product list's role of the same name.
struct CatalogCard {
    Q_GADGET
    QML_VALUE_TYPE(catalogCard)
    Q_PROPERTY(QString productId MEMBER productId)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QString sku MEMBER sku)
    Q_PROPERTY(QString priceText MEMBER priceText)
    Q_PROPERTY(QString stockLine MEMBER stockLine)
    Q_PROPERTY(QString compositeStockLine MEMBER compositeStockLine)
    Q_PROPERTY(bool assembled MEMBER assembled)
    Q_PROPERTY(QString imagePath MEMBER imagePath)
    Q_PROPERTY(QString imageVersion MEMBER imageVersion)
    Q_PROPERTY(QString addLabel MEMBER addLabel)

public:
    QString productId;
    QString name;
    QString sku;
    QString priceText;
    QString stockLine;
    QString compositeStockLine;
    bool assembled = false;
    QString imagePath;
    QString imageVersion;
    QString addLabel;
};

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

    // The card of product `index`; an empty card past either end.
    // `revision` is only there for bindings to depend on.
    Q_INVOKABLE vantrel::screens::CatalogCard productAt(int index, int revision = 0) const;

signals:
    void sourceChanged();
    void columnsChanged();

private:
    int rowsFor(int products) const { return (products + m_columns - 1) / m_columns; }
    int productCount() const { return m_source ? m_source->rowCount() : 0; }
    // Marks products `first`..`last` changed; the rows follow on the next turn.
    void touch(int first, int last);
    // Brings the row count to the source's (while filling, as far as the
    // next step) and renews the touched rows.
    void follow();
    // The source was reset: rows shown so far stay, more come in steps.
    void startFilling();

    QPointer<QAbstractItemModel> m_source;
    // The card's properties the source has a role for: property index, role.
    QList<std::pair<int, int>> m_cardRoles;
    QList<QMetaObject::Connection> m_connections;
    int m_columns = 1;
    int m_rows = 0;
    int m_revision = 0;
    // The touched products not yet followed; none while m_touchedFrom > m_touchedTo.
    int m_touchedFrom = 1;
    int m_touchedTo = 0;
    // While filling, the rows stop at m_fillLimit; each tick of the timer
    // lets one more step in.
    bool m_filling = false;
    int m_fillLimit = 0;
    QTimer m_fillTimer;
};

} // namespace vantrel::screens
