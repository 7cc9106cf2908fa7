#pragma once
// What the records' number and money texts share of ICU.

#include <QByteArray>
#include <QString>

#include <unicode/numberformatter.h>
#include <unicode/unistr.h>

#include <optional>
#include <vector>

namespace vantrel::icutext {

inline QString fromIcu(const icu::UnicodeString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

// The formatter `make` builds for a locale and a kind (a currency, say),
// kept per thread: building one costs ICU far more than formatting with one
// (a catalog card's price, label and stock took a tenth of a millisecond
// each), and ICU compiles a kept one after a few uses. `make` answers nullopt
// for a kind it cannot format; so does this. Each `make` keeps its own few.
template <class Make>
const icu::number::LocalizedNumberFormatter *keptFormatter(const QByteArray &locale, const QByteArray &kind,
                                                           Make make)
{
    struct Kept {
        QByteArray locale;
        QByteArray kind;
        icu::number::LocalizedNumberFormatter formatter;
    };
    thread_local std::vector<Kept> kept;
    for (const Kept &k : kept)
        if (k.locale == locale && k.kind == kind) return &k.formatter;
    std::optional<icu::number::LocalizedNumberFormatter> made = make(icu::Locale(locale.constData()), kind);
    if (!made) return nullptr;
    // A handful of locales and kinds at most are ever in use at once.
    if (kept.size() >= 8) kept.clear();
    kept.push_back({locale, kind, std::move(*made)});
    return &kept.back().formatter;
}

} // namespace vantrel::icutext
