#pragma once
// One generic JSON codec for every record. A record lists its fields once:
//
//   struct Tax {
//       QString id, name, percentage;
//       static constexpr auto fields() {
//           return std::tuple{field("id", &Tax::id), field("name", &Tax::name),
//                             field("percentage", &Tax::percentage)};
//       }
//   };
//
// Keys are spelled in snake case on the wire and exactly as the field names in
// storage. Decoding is strict: a required field that is missing, null or of
// another JSON type fails the whole record; optionals may be missing or null;
// unknown keys are ignored. Encoding omits absent optionals.

#include "Errors.h"
#include "JsonWriter.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include <simdjson.h>

namespace vantrel {

enum class KeyStyle { Wire, Storage };

template <class R, class T> struct Field {
    const char *name;
    T R::*member;
};

template <class R, class T> constexpr Field<R, T> field(const char *name, T R::*member)
{
    return {name, member};
}

// "stockSource" -> "stock_source"
std::string snakeCase(std::string_view fieldName);
// Reply keys are converted back before matching: "drive_url" -> "driveUrl";
// a key without underscores passes unchanged.
std::string camelFromSnake(std::string_view key);

namespace codec {

template <class T> struct IsOptional : std::false_type {};
template <class T> struct IsOptional<std::optional<T>> : std::true_type {};
template <class T> struct IsList : std::false_type {};
template <class T> struct IsList<QList<T>> : std::true_type {};

template <class T>
concept Record = requires
{
    T::fields();
};

template <class R> constexpr std::size_t fieldCount = std::tuple_size_v<decltype(R::fields())>;

// Names of a record's fields in both spellings, computed once per type.
template <class R> struct Names {
    std::array<std::string, fieldCount<R>> storage;
    std::array<std::string, fieldCount<R>> wire;
    std::array<QString, fieldCount<R>> storageQ;
    std::array<QString, fieldCount<R>> wireQ;
    // Written JSON keeps its keys sorted, as QJsonObject does: the fields'
    // indexes in that order, and each key already written as `"key":`.
    std::array<std::size_t, fieldCount<R>> storageOrder;
    std::array<std::size_t, fieldCount<R>> wireOrder;
    std::array<QByteArray, fieldCount<R>> storagePrefix;
    std::array<QByteArray, fieldCount<R>> wirePrefix;

    static const Names &get()
    {
        static const Names names = [] {
            Names n;
            std::size_t i = 0;
            std::apply(
                [&](const auto &...f) {
                    ((n.storage[i] = f.name, n.wire[i] = snakeCase(f.name),
                      n.storageQ[i] = QString::fromLatin1(f.name),
                      n.wireQ[i] = QString::fromStdString(n.wire[i]), ++i),
                     ...);
                },
                R::fields());
            const auto sortedBy = [](const std::array<QString, fieldCount<R>> &keys) {
                std::array<std::size_t, fieldCount<R>> order{};
                for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
                std::sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) {
                    return QStringView(keys[a]).compare(QStringView(keys[b])) < 0;
                });
                return order;
            };
            n.storageOrder = sortedBy(n.storageQ);
            n.wireOrder = sortedBy(n.wireQ);
            for (std::size_t k = 0; k < fieldCount<R>; ++k) {
                n.storagePrefix[k] = JsonWriter::keyPrefix(n.storageQ[k]);
                n.wirePrefix[k] = JsonWriter::keyPrefix(n.wireQ[k]);
            }
            return n;
        }();
        return names;
    }
};

// Context for a readable failure text.
struct Failure {
    std::string field;
    const char *problem = nullptr;
};

using simdjson::error_code;
using simdjson::ondemand::value;

template <class T> error_code decodeValue(value v, T &out, KeyStyle style, Failure &failure);

inline error_code decodeScalar(value v, QString &out)
{
    std::string_view s;
    if (auto e = v.get_string().get(s)) return e;
    out = QString::fromUtf8(s.data(), qsizetype(s.size()));
    return simdjson::SUCCESS;
}
inline error_code decodeScalar(value v, bool &out) { return v.get_bool().get(out); }
inline error_code decodeScalar(value v, qint64 &out)
{
    int64_t n = 0;
    if (auto e = v.get_int64().get(n)) return e;
    out = n;
    return simdjson::SUCCESS;
}
inline error_code decodeScalar(value v, double &out) { return v.get_double().get(out); }

template <class R> int matchField(std::string_view key, KeyStyle style, int hint)
{
    const Names<R> &n = Names<R>::get();
    constexpr int count = int(fieldCount<R>);
    if constexpr (count == 0) return -1;
    // Keys usually arrive in field order: try the one after the last match first.
    for (int k = 0; k < count; ++k) {
        const int i = (hint + k) % count;
        if (style == KeyStyle::Storage) {
            if (key == n.storage[i]) return i;
        } else if (key == n.wire[i] || key == n.storage[i]) {
            return i;
        }
    }
    if (style == KeyStyle::Wire && key.find('_') != std::string_view::npos) {
        const std::string converted = camelFromSnake(key);
        for (int i = 0; i < count; ++i)
            if (converted == n.storage[i]) return i;
    }
    return -1;
}

template <class R> error_code decodeRecord(value v, R &out, KeyStyle style, Failure &failure)
{
    simdjson::ondemand::object object;
    if (auto e = v.get_object().get(object)) return e;
    constexpr std::size_t count = fieldCount<R>;
    std::bitset<count> seen;
    constexpr auto fields = R::fields();
    int hint = 0;
    for (auto member : object) {
        simdjson::ondemand::field f;
        if (auto e = std::move(member).get(f)) return e;
        std::string_view key;
        if (auto e = f.unescaped_key().get(key)) return e;
        const int index = matchField<R>(key, style, hint);
        if (index < 0) continue;
        hint = index + 1;
        error_code result = simdjson::SUCCESS;
        [&]<std::size_t... I>(std::index_sequence<I...>)
        {
            (void)((index == int(I)
                        ? (result = decodeValue(f.value(), out.*(std::get<I>(fields).member), style, failure),
                           true)
                        : false) ||
                   ...);
        }
        (std::make_index_sequence<count>{});
        if (result) {
            if (failure.field.empty())
                failure.field = Names<R>::get().storage[index];
            else
                failure.field = Names<R>::get().storage[index] + "." + failure.field;
            return result;
        }
        seen.set(std::size_t(index));
    }
    // Every required field must have been present.
    error_code missing = simdjson::SUCCESS;
    [&]<std::size_t... I>(std::index_sequence<I...>)
    {
        ((!seen.test(I) &&
                  !IsOptional<std::remove_cvref_t<decltype(out.*(std::get<I>(fields).member))>>::value
              ? (missing == simdjson::SUCCESS
                     ? (failure.field = Names<R>::get().storage[I], failure.problem = "is missing",
                        missing = simdjson::NO_SUCH_FIELD)
                     : missing)
              : missing),
         ...);
    }
    (std::make_index_sequence<count>{});
    return missing;
}

template <class T> error_code decodeValue(value v, T &out, KeyStyle style, Failure &failure)
{
    if constexpr (IsOptional<T>::value) {
        bool isNull = false;
        if (auto e = v.is_null().get(isNull)) return e;
        if (isNull) {
            out.reset();
            return simdjson::SUCCESS;
        }
        typename T::value_type inner{};
        if (auto e = decodeValue(v, inner, style, failure)) return e;
        out = std::move(inner);
        return simdjson::SUCCESS;
    } else if constexpr (IsList<T>::value) {
        simdjson::ondemand::array array;
        if (auto e = v.get_array().get(array)) return e;
        out.clear();
        int index = 0;
        for (auto element : array) {
            value item;
            if (auto e = std::move(element).get(item)) return e;
            typename T::value_type decoded{};
            if (auto e = decodeValue(item, decoded, style, failure)) {
                failure.field =
                    "[" + std::to_string(index) + "]" + (failure.field.empty() ? "" : "." + failure.field);
                return e;
            }
            out.append(std::move(decoded));
            ++index;
        }
        return simdjson::SUCCESS;
    } else if constexpr (Record<T>) {
        return decodeRecord(v, out, style, failure);
    } else {
        return decodeScalar(v, out);
    }
}

// --- encoding -------------------------------------------------------------

template <class T> QJsonValue encodeValue(const T &value, KeyStyle style);

template <class R> QJsonObject encodeRecord(const R &record, KeyStyle style)
{
    QJsonObject object;
    const Names<R> &n = Names<R>::get();
    std::size_t i = 0;
    std::apply(
        [&](const auto &...f) {
            (([&] {
                 const auto &member = record.*(f.member);
                 using M = std::remove_cvref_t<decltype(member)>;
                 const QString &key = style == KeyStyle::Wire ? n.wireQ[i] : n.storageQ[i];
                 if constexpr (IsOptional<M>::value) {
                     if (member) object.insert(key, encodeValue(*member, style));
                 } else {
                     object.insert(key, encodeValue(member, style));
                 }
                 ++i;
             }()),
             ...);
        },
        R::fields());
    return object;
}

template <class T> QJsonValue encodeValue(const T &value, KeyStyle style)
{
    if constexpr (IsList<T>::value) {
        QJsonArray array;
        for (const auto &item : value) array.append(encodeValue(item, style));
        return array;
    } else if constexpr (Record<T>) {
        return encodeRecord(value, style);
    } else if constexpr (std::is_same_v<T, qint64>) {
        return QJsonValue(value);
    } else {
        return QJsonValue(value);
    }
}

// --- writing JSON bytes directly ----------------------------------------------

template <class T> void writeValue(JsonWriter &out, const T &value, KeyStyle style);

// Field I of a record, preceded by a comma unless it is the first written;
// false when it is an absent optional and nothing was written.
template <class R, std::size_t I>
bool writeField(JsonWriter &out, const R &record, KeyStyle style, bool first)
{
    const auto &member = record.*(std::get<I>(R::fields()).member);
    using M = std::remove_cvref_t<decltype(member)>;
    if constexpr (IsOptional<M>::value) {
        if (!member) return false;
    }
    const Names<R> &n = Names<R>::get();
    if (!first) out.raw(',');
    out.raw(style == KeyStyle::Wire ? n.wirePrefix[I] : n.storagePrefix[I]);
    if constexpr (IsOptional<M>::value)
        writeValue(out, *member, style);
    else
        writeValue(out, member, style);
    return true;
}

template <class R> void writeRecord(JsonWriter &out, const R &record, KeyStyle style)
{
    using Writer = bool (*)(JsonWriter &, const R &, KeyStyle, bool);
    static constexpr auto writers = []<std::size_t... I>(std::index_sequence<I...>)
    {
        return std::array<Writer, sizeof...(I)>{&writeField<R, I>...};
    }
    (std::make_index_sequence<fieldCount<R>>{});
    const Names<R> &n = Names<R>::get();
    out.raw('{');
    bool first = true;
    for (const std::size_t i : style == KeyStyle::Wire ? n.wireOrder : n.storageOrder)
        if (writers[i](out, record, style, first)) first = false;
    out.raw('}');
}

template <class T> void writeValue(JsonWriter &out, const T &value, KeyStyle style)
{
    if constexpr (IsList<T>::value) {
        out.raw('[');
        bool first = true;
        for (const auto &item : value) {
            if (!first) out.raw(',');
            first = false;
            writeValue(out, item, style);
        }
        out.raw(']');
    } else if constexpr (Record<T>) {
        writeRecord(out, value, style);
    } else if constexpr (std::is_same_v<T, QString>) {
        out.string(value);
    } else if constexpr (std::is_same_v<T, bool>) {
        out.boolean(value);
    } else if constexpr (std::is_same_v<T, qint64>) {
        out.number(value);
    } else {
        static_assert(std::is_same_v<T, double>, "a record field of a type JSON cannot hold");
        out.number(value);
    }
}

// True when nothing but white space follows the value just read.
inline bool atEnd(simdjson::ondemand::document &doc)
{
    return doc.current_location().error() == simdjson::OUT_OF_BOUNDS;
}

QString failureText(const char *typeName, const Failure &failure, error_code code);
simdjson::ondemand::parser &threadParser();

} // namespace codec

// True when the bytes are one well-formed JSON value.
bool isWellFormedJson(const QByteArray &json);

// Decodes one record (or a list of records, or an optional record where a JSON
// null means "no record") from JSON bytes. Throws DecodingError.
template <class T> T decode(const QByteArray &json, KeyStyle style, const char *typeName = "record")
{
    if constexpr (codec::Record<T>) {
        if constexpr (codec::fieldCount<T> == 0) {
            // A record without fields accepts any well-formed JSON.
            if (!isWellFormedJson(json))
                throw DecodingError(codec::failureText(typeName, {}, simdjson::TAPE_ERROR));
            return T{};
        }
    }
    if constexpr (codec::IsOptional<T>::value) {
        // simdjson does not see a top-level null followed by white space
        // (such as a final newline) as null.
        if (json.trimmed() == "null") return T{};
    }
    simdjson::padded_string padded(json.constData(), std::size_t(json.size()));
    auto &parser = codec::threadParser();
    simdjson::ondemand::document doc;
    codec::Failure failure;
    simdjson::error_code code = parser.iterate(padded).get(doc);
    T out{};
    if (!code) {
        simdjson::ondemand::value root;
        if constexpr (codec::IsOptional<T>::value) {
            // A JSON null document means "no record".
            bool isNull = false;
            code = doc.is_null().get(isNull);
            if (!code && isNull) {
                if (!codec::atEnd(doc)) code = simdjson::TRAILING_CONTENT;
                if (code) throw DecodingError(codec::failureText(typeName, failure, code));
                return out;
            }
            typename T::value_type inner{};
            if (!code) code = doc.get_value().get(root);
            if (!code) code = codec::decodeValue(root, inner, style, failure);
            if (!code) out = std::move(inner);
        } else {
            code = doc.get_value().get(root);
            if (!code) code = codec::decodeValue(root, out, style, failure);
        }
        if (!code && !codec::atEnd(doc)) code = simdjson::TRAILING_CONTENT;
    }
    if (code) throw DecodingError(codec::failureText(typeName, failure, code));
    return out;
}

template <class T>
std::optional<T> tryDecode(const QByteArray &json, KeyStyle style, QString *errorText = nullptr)
{
    try {
        return decode<T>(json, style);
    } catch (const DecodingError &e) {
        if (errorText) *errorText = e.text();
        return std::nullopt;
    }
}

template <class R> QJsonObject toJsonObject(const R &record, KeyStyle style)
{
    return codec::encodeRecord(record, style);
}

// Compact JSON with sorted keys, byte for byte what QJsonDocument writes for
// toJsonObject's tree.
template <class T> QByteArray encode(const T &value, KeyStyle style)
{
    JsonWriter out;
    codec::writeValue(out, value, style);
    return out.take();
}

// Identifiers are appended to paths as they are, except the characters that
// would address another resource ("/", "?", "#", "%"), which are escaped.
QString pathIdentifier(const QString &identifier);

} // namespace vantrel
