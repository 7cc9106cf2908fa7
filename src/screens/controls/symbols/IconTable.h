#pragma once
// The one table from the symbol names the screens use to the bundled SVG
// icons (Lucide, ISC licence, see icons/LICENSE), plus the two brand marks.

#include <QString>
#include <QStringList>

namespace vantrel {

// Resource path of the SVG for a symbol name or brand mark, or an empty
// string when the name is not in the table.
QString iconResourcePath(const QString &symbol);
// Every name in the table, in table order.
QStringList iconSymbols();

} // namespace vantrel
