#include "Codec.h"

#include <QCoreApplication>

#include <cctype>
#include <cstring>

namespace vantrel {

std::string snakeCase(std::string_view fieldName)
{
    std::string out;
    out.reserve(fieldName.size() + 4);
    for (char c : fieldName) {
        if (c >= 'A' && c <= 'Z') {
            out.push_back('_');
            out.push_back(char(c - 'A' + 'a'));
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string camelFromSnake(std::string_view key)
{
    const auto first = key.find_first_not_of('_');
    if (first == std::string_view::npos) return std::string(key);
    const auto last = key.find_last_not_of('_');
    const std::string_view core = key.substr(first, last - first + 1);

    std::string joined;
    int components = 0;
    std::size_t pos = 0;
    while (pos <= core.size()) {
        std::size_t end = core.find('_', pos);
        if (end == std::string_view::npos) end = core.size();
        const std::string_view part = core.substr(pos, end - pos);
        if (!part.empty()) {
            for (std::size_t i = 0; i < part.size(); ++i) {
                const unsigned char c = static_cast<unsigned char>(part[i]);
                const bool upper = components > 0 && i == 0;
                joined.push_back(char(upper ? std::toupper(c) : std::tolower(c)));
            }
            ++components;
        }
        pos = end + 1;
    }
    if (components <= 1) return std::string(key);
    return std::string(key.substr(0, first)) + joined + std::string(key.substr(last + 1));
}

namespace codec {

// The name decode() gives a record when its caller names none; callers that
// name theirs mark the name for translation in the same context.
[[maybe_unused]] constexpr const char *unnamedRecord = QT_TRANSLATE_NOOP("Records", "record");

QString failureText(const char *typeName, const Failure &failure, error_code code)
{
    const QString type = QCoreApplication::translate("Records", typeName);
    if (failure.field.empty()) {
        // The parser's own reason stays as the library words it.
        return QCoreApplication::translate("Records", "The data could not be read as %1: %2.")
            .arg(type, QString::fromLatin1(simdjson::error_message(code)));
    }
    const char *text = nullptr;
    if (failure.problem && std::strcmp(failure.problem, "is missing") == 0)
        text = QT_TRANSLATE_NOOP("Records", "The data could not be read as %1: field \"%2\" is missing.");
    else if (!failure.problem && code == simdjson::INCORRECT_TYPE)
        text = QT_TRANSLATE_NOOP("Records",
                                 "The data could not be read as %1: field \"%2\" has the wrong type.");
    else
        text = QT_TRANSLATE_NOOP("Records", "The data could not be read as %1: field \"%2\" is not valid.");
    const QString field = QString::fromStdString(failure.field);
    return QCoreApplication::translate("Records", text).arg(type, field);
}

simdjson::ondemand::parser &threadParser()
{
    thread_local simdjson::ondemand::parser parser;
    return parser;
}

} // namespace codec

bool isWellFormedJson(const QByteArray &json)
{
    thread_local simdjson::dom::parser parser;
    simdjson::dom::element element;
    return !parser.parse(json.constData(), std::size_t(json.size())).get(element);
}

QString pathIdentifier(const QString &identifier)
{
    QString escaped;
    escaped.reserve(identifier.size());
    for (QChar c : identifier) {
        switch (c.unicode()) {
        case u'%': escaped += QLatin1String("%25"); break;
        case u'/': escaped += QLatin1String("%2F"); break;
        case u'?': escaped += QLatin1String("%3F"); break;
        case u'#': escaped += QLatin1String("%23"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

} // namespace vantrel
