#pragma once
// Compact JSON written straight into bytes, the same bytes QJsonDocument's
// compact form gives for the same values (keys in the order the caller gives,
// strings escaped alike), without building a QJsonObject tree first: the draft
// is written on every change, and building the tree cost more than the disk.

#include <QByteArray>
#include <QStringView>

namespace vantrel {

class JsonWriter {
public:
    explicit JsonWriter(qsizetype reserve = 1024) { m_out.reserve(reserve); }

    void raw(char c) { m_out.append(c); }
    void raw(const QByteArray &bytes) { m_out.append(bytes); }
    void string(QStringView text);
    void number(qint64 value);
    void number(double value);
    void boolean(bool value) { m_out.append(value ? "true" : "false"); }

    QByteArray take() { return std::move(m_out); }

    // "key": with the key escaped as a string would be.
    static QByteArray keyPrefix(QStringView key);

private:
    QByteArray m_out;
};

} // namespace vantrel
