#include "VoiceVocabulary.h"

#include "CatalogSearch.h"

#include <QRegularExpression>
#include <QSet>

namespace vantrel {

namespace {

// The finish codes the catalog search maps back from speech ("ws" is said
// "white shaker"): the replacement rows that stand for letters.
QString finishWords(const QString &code)
{
    for (const SpokenReplacement &row : spokenSearchReplacements) {
        if (code == row.replacement && !QChar(row.replacement.front()).isDigit()) return row.phrase;
    }
    return {};
}

QString spokenRun(const QString &run)
{
    if (run.front().isDigit()) {
        // Long digit runs are read digit by digit, as people read part numbers.
        if (run.size() > 3) {
            QStringList digits;
            for (const QChar c : run) digits << spokenNumber(c.digitValue());
            return digits.join(QLatin1Char(' '));
        }
        return spokenNumber(run.toInt());
    }
    const QString lower = run.toLower();
    const QString words = finishWords(lower);
    return words.isEmpty() ? lower : words;
}

// Letters and digits in runs, each as spoken: "WS36-BASE" is "white
// shaker", "thirty six", "base".
QStringList spokenRuns(const QString &text)
{
    static const QRegularExpression runs(QStringLiteral("[A-Za-z]+|[0-9]+"));
    QStringList parts;
    for (auto it = runs.globalMatch(text); it.hasNext();) parts << spokenRun(it.next().captured());
    return parts;
}

QString spokenText(const QString &text) { return spokenRuns(text).join(QLatin1Char(' ')); }

// People name a product by its first few words; one word alone says too
// little to pick a product, so the shortest lead is two.
constexpr qsizetype shortestLeadingWords = 2;

} // namespace

QString spokenNumber(int number)
{
    static const char *const ones[] = {"zero",    "one",     "two",       "three",    "four",
                                       "five",    "six",     "seven",     "eight",    "nine",
                                       "ten",     "eleven",  "twelve",    "thirteen", "fourteen",
                                       "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
    static const char *const tens[] = {"",      "",      "twenty",  "thirty", "forty",
                                       "fifty", "sixty", "seventy", "eighty", "ninety"};
    if (number < 0 || number > 999) return QString::number(number);
    if (number < 20) return QString::fromLatin1(ones[number]);
    if (number < 100) {
        QString text = QString::fromLatin1(tens[number / 10]);
        if (number % 10) text += QLatin1Char(' ') + QString::fromLatin1(ones[number % 10]);
        return text;
    }
    QString text = QString::fromLatin1(ones[number / 100]) + QStringLiteral(" hundred");
    if (number % 100) text += QLatin1Char(' ') + spokenNumber(number % 100);
    return text;
}

QStringList catalogPhrases(const QList<Product> &products)
{
    QStringList phrases;
    QSet<QString> seen;
    auto add = [&](const QString &phrase) {
        const QString clean = phrase.simplified();
        if (clean.isEmpty() || seen.contains(clean)) return;
        seen.insert(clean);
        phrases << clean;
    };
    for (const Product &product : products) {
        // A lead stops between written words, so a number is never cut in half.
        const QStringList name = spokenRuns(product.name);
        for (qsizetype words = shortestLeadingWords; words < name.size(); ++words)
            add(name.first(words).join(QLatin1Char(' ')));
        add(name.join(QLatin1Char(' ')));
        add(spokenText(product.sku));
        add(spokenText(product.category));
    }
    // The phrases the search understands on their own; a dashed row is said as two words.
    if (!phrases.isEmpty()) {
        for (const SpokenReplacement &row : spokenSearchReplacements)
            add(QString(row.phrase).replace(QLatin1Char('-'), QLatin1Char(' ')));
    }
    return phrases;
}

} // namespace vantrel
