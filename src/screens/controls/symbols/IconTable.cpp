#include "IconTable.h"

#include <array>
#include <utility>

namespace vantrel {
namespace {

struct Entry {
    const char *symbol;
    const char *file;
};

// Symbol names come from the screens; files from the bundled icon set.
constexpr std::array table{
    Entry{"arrow.clockwise", "icons/rotate-cw.svg"},
    Entry{"arrow.counterclockwise", "icons/rotate-ccw.svg"},
    Entry{"arrow.right", "icons/arrow-right.svg"},
    Entry{"arrow.right.circle", "icons/circle-arrow-right.svg"},
    Entry{"arrow.triangle.2.circlepath", "icons/refresh-cw.svg"},
    Entry{"arrow.up.doc", "icons/file-up.svg"},
    Entry{"arrow.up.forward", "icons/arrow-up-right.svg"},
    Entry{"arrow.up.right.square", "icons/square-arrow-out-up-right.svg"},
    Entry{"banknote", "icons/banknote.svg"},
    Entry{"briefcase", "icons/briefcase.svg"},
    Entry{"calendar", "icons/calendar.svg"},
    Entry{"cart", "icons/shopping-cart.svg"},
    Entry{"cart.badge.plus", "icons/shopping-cart-plus.svg"},
    Entry{"checkmark", "icons/check.svg"},
    Entry{"checkmark.circle.fill", "icons/circle-check.svg"},
    Entry{"checkmark.seal.fill", "icons/badge-check.svg"},
    Entry{"chevron.down", "icons/chevron-down.svg"},
    Entry{"circle", "icons/circle.svg"},
    Entry{"chevron.right", "icons/chevron-right.svg"},
    Entry{"chevron.up", "icons/chevron-up.svg"},
    Entry{"clock.arrow.circlepath", "icons/history.svg"},
    Entry{"creditcard", "icons/credit-card.svg"},
    Entry{"doc.richtext", "icons/scroll-text.svg"},
    Entry{"doc.text", "icons/file-text.svg"},
    Entry{"doc.text.magnifyingglass", "icons/file-search.svg"},
    Entry{"exclamationmark.arrow.triangle.2.circlepath", "icons/triangle-alert.svg"},
    Entry{"exclamationmark.circle", "icons/circle-alert.svg"},
    Entry{"folder", "icons/folder.svg"},
    Entry{"line.3.horizontal.decrease.circle", "icons/list-filter.svg"},
    Entry{"link", "icons/link.svg"},
    Entry{"lock", "icons/lock.svg"},
    Entry{"lock.shield", "icons/shield-check.svg"},
    Entry{"magnifyingglass", "icons/search.svg"},
    Entry{"minus", "icons/minus.svg"},
    Entry{"person.2", "icons/users-round.svg"},
    Entry{"person.badge.plus", "icons/user-round-plus.svg"},
    Entry{"person.crop.circle", "icons/circle-user-round.svg"},
    Entry{"person.crop.circle.fill", "icons/user-round-check.svg"},
    Entry{"photo", "icons/image.svg"},
    Entry{"plus", "icons/plus.svg"},
    Entry{"printer", "icons/printer.svg"},
    Entry{"printer.fill", "icons/printer.svg"},
    Entry{"receipt", "icons/receipt.svg"},
    Entry{"shippingbox", "icons/package.svg"},
    Entry{"slider.horizontal.3", "icons/sliders-horizontal.svg"},
    Entry{"square.grid.2x2", "icons/layout-grid.svg"},
    Entry{"testtube.2", "icons/test-tubes.svg"},
    Entry{"trash", "icons/trash-2.svg"},
    Entry{"tray.full", "icons/inbox.svg"},
    Entry{"wave.3.right", "icons/nfc.svg"},
    Entry{"waveform", "icons/audio-lines.svg"},
    Entry{"xmark", "icons/x.svg"},
    Entry{"xmark.circle", "icons/circle-x.svg"},
    Entry{"xmark.circle.fill", "icons/circle-x.svg"},
    Entry{"VantrelMark", "brand/VantrelMark.svg"},
    Entry{"VantrelFull", "brand/VantrelFull.svg"},
};

} // namespace

QString iconResourcePath(const QString &symbol)
{
    for (const Entry &entry : table) {
        if (symbol == QLatin1String(entry.symbol))
            return QStringLiteral(":/Vantrel/Checkout/controls/symbols/") + QLatin1String(entry.file);
    }
    return {};
}

QStringList iconSymbols()
{
    QStringList names;
    for (const Entry &entry : table) names.append(QLatin1String(entry.symbol));
    return names;
}

} // namespace vantrel
