#pragma once
// SQLite storage of the stand-in server: one table of JSON rows per kind,
// the idempotency ledger, generated photos and a few counters.

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <stdexcept>

namespace standin {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Store {
public:
    Store() = default;
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    bool open(const QString &file, QString *error);
    void close();

    // Writes between begin() and commit() land together or not at all.
    void begin();
    void commit();
    void rollback();

    void put(const QString &kind, const QString &id, const QByteArray &body);
    void remove(const QString &kind, const QString &id);
    QList<std::pair<QString, QByteArray>> all(const QString &kind) const; // insertion order
    bool isEmpty() const;

    QString meta(const QString &key) const;
    void setMeta(const QString &key, const QString &value);
    // Next value of a named counter, starting at `first`.
    qint64 next(const QString &counter, qint64 first);

    struct Image {
        QByteArray mime;
        QByteArray bytes;
    };
    std::optional<Image> image(const QString &itemId, const QString &version) const;
    void putImage(const QString &itemId, const QString &version, const Image &image);

private:
    void exec(const QString &sql) const;
    QString m_connection;
    bool m_inTransaction = false;
};

} // namespace standin
