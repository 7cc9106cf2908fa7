#pragma once
// Renders the bundled SVG icons for QML at the size and colour asked for, so
// every icon is sharp at any scale and tinted like text.

#include <QQuickImageProvider>

namespace vantrel {

// Image ids are "<symbol>/<rrggbb>", e.g. "person.crop.circle/000000".
class SymbolImageProvider : public QQuickImageProvider {
public:
    SymbolImageProvider();
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
};

// The SVG text of a symbol with its stroke and fill colour set; empty when
// the symbol is unknown.
QByteArray tintedSymbolSvg(const QString &symbol, const QString &rgbHex);

} // namespace vantrel
