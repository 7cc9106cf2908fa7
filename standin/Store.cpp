#include "Store.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace standin {

Store::~Store() { close(); }

bool Store::open(const QString &file, QString *error)
{
    close();
    // One connection per server object: several servers may run in one test process.
    m_connection = QStringLiteral("standin-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(file);
    if (!db.open()) {
        if (error)
            *error = QStringLiteral("Cannot open the database %1: %2").arg(file, db.lastError().text());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        m_connection.clear();
        return false;
    }
    // Session hashes live here; SQLite gives its -wal and -shm files the same mode.
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    try {
        exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
        exec(QStringLiteral("CREATE TABLE IF NOT EXISTS records (seq INTEGER PRIMARY KEY AUTOINCREMENT, "
                            "kind TEXT NOT NULL, id TEXT NOT NULL, body BLOB NOT NULL, UNIQUE(kind, id))"));
        exec(QStringLiteral("CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)"));
        exec(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS images (item_id TEXT PRIMARY KEY, version TEXT NOT NULL, "
            "mime TEXT NOT NULL, bytes BLOB NOT NULL)"));
    } catch (const StoreError &e) {
        if (error) *error = QString::fromUtf8(e.what());
        close();
        return false;
    }
    return true;
}

void Store::close()
{
    if (m_connection.isEmpty()) return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
    m_inTransaction = false;
}

void Store::exec(const QString &sql) const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(sql)) throw StoreError(("database: " + q.lastError().text()).toStdString());
}

void Store::begin()
{
    if (m_inTransaction) return;
    exec(QStringLiteral("BEGIN IMMEDIATE"));
    m_inTransaction = true;
}

void Store::commit()
{
    if (!m_inTransaction) return;
    m_inTransaction = false;
    exec(QStringLiteral("COMMIT"));
}

void Store::rollback()
{
    if (!m_inTransaction) return;
    m_inTransaction = false;
    try {
        exec(QStringLiteral("ROLLBACK"));
    } catch (const StoreError &) {
        // Nothing was committed; the caller reloads its view from disk anyway.
    }
}

void Store::put(const QString &kind, const QString &id, const QByteArray &body)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("INSERT INTO records (kind, id, body) VALUES (?, ?, ?) "
                             "ON CONFLICT(kind, id) DO UPDATE SET body = excluded.body"));
    q.addBindValue(kind);
    q.addBindValue(id);
    q.addBindValue(body);
    if (!q.exec()) throw StoreError(("database: " + q.lastError().text()).toStdString());
}

void Store::remove(const QString &kind, const QString &id)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("DELETE FROM records WHERE kind = ? AND id = ?"));
    q.addBindValue(kind);
    q.addBindValue(id);
    if (!q.exec()) throw StoreError(("database: " + q.lastError().text()).toStdString());
}

QList<std::pair<QString, QByteArray>> Store::all(const QString &kind) const
{
    QList<std::pair<QString, QByteArray>> rows;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT id, body FROM records WHERE kind = ? ORDER BY seq"));
    q.addBindValue(kind);
    if (!q.exec()) throw StoreError(("database: " + q.lastError().text()).toStdString());
    while (q.next()) rows.append({q.value(0).toString(), q.value(1).toByteArray()});
    return rows;
}

bool Store::isEmpty() const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM records")) || !q.next())
        throw StoreError(("database: " + q.lastError().text()).toStdString());
    return q.value(0).toLongLong() == 0;
}

QString Store::meta(const QString &key) const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT value FROM meta WHERE key = ?"));
    q.addBindValue(key);
    if (!q.exec()) throw StoreError(("database: " + q.lastError().text()).toStdString());
    return q.next() ? q.value(0).toString() : QString();
}

void Store::setMeta(const QString &key, const QString &value)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("INSERT INTO meta (key, value) VALUES (?, ?) "
                             "ON CONFLICT(key) DO UPDATE SET value = excluded.value"));
    q.addBindValue(key);
    q.addBindValue(value);
    if (!q.exec()) throw StoreError(("database: " + q.lastError().text()).toStdString());
}

qint64 Store::next(const QString &counter, qint64 first)
{
    const QString current = meta(counter);
    const qint64 value = current.isEmpty() ? first : current.toLongLong() + 1;
    setMeta(counter, QString::number(value));
    return value;
}

std::optional<Store::Image> Store::image(const QString &itemId, const QString &version) const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT mime, bytes FROM images WHERE item_id = ? AND version = ?"));
    q.addBindValue(itemId);
    q.addBindValue(version);
    if (!q.exec()) throw StoreError(("database: " + q.lastError().text()).toStdString());
    if (!q.next()) return std::nullopt;
    return Image{q.value(0).toByteArray(), q.value(1).toByteArray()};
}

void Store::putImage(const QString &itemId, const QString &version, const Image &image)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("INSERT INTO images (item_id, version, mime, bytes) VALUES (?, ?, ?, ?) "
                             "ON CONFLICT(item_id) DO UPDATE SET version = excluded.version, "
                             "mime = excluded.mime, bytes = excluded.bytes"));
    q.addBindValue(itemId);
    q.addBindValue(version);
    q.addBindValue(QString::fromLatin1(image.mime));
    q.addBindValue(image.bytes);
    if (!q.exec()) throw StoreError(("database: " + q.lastError().text()).toStdString());
}

} // namespace standin
