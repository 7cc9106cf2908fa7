#include "JsonWriter.h"

#include <QLocale>

#include <cmath>

namespace vantrel {

namespace {

char hexDigit(unsigned value) { return char(value < 10 ? '0' + value : 'a' + value - 10); }

char *escapeUnit(char *out, char16_t unit)
{
    *out++ = '\\';
    *out++ = 'u';
    *out++ = hexDigit(unit >> 12 & 0xf);
    *out++ = hexDigit(unit >> 8 & 0xf);
    *out++ = hexDigit(unit >> 4 & 0xf);
    *out++ = hexDigit(unit & 0xf);
    return out;
}

} // namespace

void JsonWriter::string(QStringView text)
{
    // One UTF-16 unit takes at most six bytes (an escape); the bytes are
    // written in place and the rest cut off after.
    const qsizetype start = m_out.size();
    m_out.resize(start + 6 * text.size() + 2);
    char *out = m_out.data() + start;
    *out++ = '"';
    const char16_t *at = text.utf16();
    const char16_t *const end = at + text.size();
    while (at != end) {
        const char16_t unit = *at++;
        if (unit < 0x80) {
            if (unit >= 0x20 && unit != u'"' && unit != u'\\') {
                *out++ = char(unit);
                continue;
            }
            *out++ = '\\';
            switch (unit) {
            case u'"': *out++ = '"'; break;
            case u'\\': *out++ = '\\'; break;
            case u'\b': *out++ = 'b'; break;
            case u'\f': *out++ = 'f'; break;
            case u'\n': *out++ = 'n'; break;
            case u'\r': *out++ = 'r'; break;
            case u'\t': *out++ = 't'; break;
            default:
                *out++ = 'u';
                *out++ = '0';
                *out++ = '0';
                *out++ = hexDigit(unit >> 4);
                *out++ = hexDigit(unit & 0xf);
            }
            continue;
        }
        char32_t code = unit;
        if (QChar::isHighSurrogate(unit) && at != end && QChar::isLowSurrogate(*at)) {
            code = QChar::surrogateToUcs4(unit, *at++);
        } else if (QChar::isSurrogate(unit)) {
            // A lone half of a pair has no UTF-8 form: written escaped.
            out = escapeUnit(out, unit);
            continue;
        }
        if (code < 0x800) {
            *out++ = char(0xc0 | (code >> 6));
        } else if (code < 0x10000) {
            *out++ = char(0xe0 | (code >> 12));
            *out++ = char(0x80 | ((code >> 6) & 0x3f));
        } else {
            *out++ = char(0xf0 | (code >> 18));
            *out++ = char(0x80 | ((code >> 12) & 0x3f));
            *out++ = char(0x80 | ((code >> 6) & 0x3f));
        }
        *out++ = char(0x80 | (code & 0x3f));
    }
    *out++ = '"';
    m_out.resize(out - m_out.constData());
}

void JsonWriter::number(qint64 value) { m_out.append(QByteArray::number(value)); }

void JsonWriter::number(double value)
{
    // JSON has no infinities or NaN.
    if (std::isfinite(value))
        m_out.append(QByteArray::number(value, 'g', QLocale::FloatingPointShortest));
    else
        m_out.append("null");
}

QByteArray JsonWriter::keyPrefix(QStringView key)
{
    JsonWriter writer(key.size() + 3);
    writer.string(key);
    writer.raw(':');
    return writer.take();
}

} // namespace vantrel
