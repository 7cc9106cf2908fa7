#include "SymbolImageProvider.h"

#include "IconTable.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

namespace vantrel {

SymbolImageProvider::SymbolImageProvider() : QQuickImageProvider(QQuickImageProvider::Image) {}

QByteArray tintedSymbolSvg(const QString &symbol, const QString &rgbHex)
{
    const QString path = iconResourcePath(symbol);
    if (path.isEmpty()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray svg = file.readAll();
    // Only a plain six-digit colour reaches the SVG text; anything else is drawn black.
    static const QRegularExpression hex(QStringLiteral("^[0-9a-fA-F]{6}$"));
    const QByteArray colour = hex.match(rgbHex).hasMatch() ? "#" + rgbHex.toLatin1() : QByteArray("#000000");
    svg.replace("currentColor", colour);
    return svg;
}

QImage SymbolImageProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const qsizetype slash = id.lastIndexOf(QLatin1Char('/'));
    const QString symbol = slash < 0 ? id : id.left(slash);
    const QString colour = slash < 0 ? QString() : id.mid(slash + 1);

    QSvgRenderer renderer(tintedSymbolSvg(symbol, colour));
    QSize natural = renderer.isValid() ? renderer.defaultSize() : QSize(24, 24);
    if (natural.isEmpty()) natural = QSize(24, 24);
    QSize target = natural;
    if (requestedSize.width() > 0 && requestedSize.height() > 0)
        target = natural.scaled(requestedSize, Qt::KeepAspectRatio);
    else if (requestedSize.width() > 0)
        target =
            QSize(requestedSize.width(), qMax(1, requestedSize.width() * natural.height() / natural.width()));
    else if (requestedSize.height() > 0)
        target = QSize(qMax(1, requestedSize.height() * natural.width() / natural.height()),
                       requestedSize.height());

    QImage image(target, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    if (size) *size = target;
    return image;
}

} // namespace vantrel
