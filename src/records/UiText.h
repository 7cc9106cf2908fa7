#pragma once
// A text a person reads, kept as its English source and put into the chosen
// language each time it is read, so a change of language shows at once.
// Declared with QT_TRANSLATE_NOOP so the translation tools find it:
//   inline constexpr UiText done{"Editor", QT_TRANSLATE_NOOP("Editor", "Done")};

#include <QCoreApplication>
#include <QString>

namespace vantrel {

struct UiText {
    const char *context;
    const char *source;

    QString toString() const { return QCoreApplication::translate(context, source); }
    operator QString() const { return toString(); }
};

inline QString operator+(const UiText &text, const QString &rest) { return text.toString() + rest; }
inline QString operator+(const QString &first, const UiText &text) { return first + text.toString(); }

} // namespace vantrel
