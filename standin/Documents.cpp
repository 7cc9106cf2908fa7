#include "StandinState.h"

#include <QBuffer>
#include <QDateTime>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRandomGenerator>

namespace standin {

using namespace vantrel;

namespace {

// What a printed quote or invoice shows; one renderer draws both.
struct PrintedDocument {
    QString title;
    QString badge; // "PAID", or empty
    QStringList facts; // lines under the title
    QList<QuoteLine> lines;
    QList<std::pair<QString, QString>> totals;
    QStringList paragraphs; // notes, terms, payment details
};

QString lineAmount(const QuoteLine &line)
{
    const Decimal gross = (Decimal::parseOrZero(line.quantity) * Decimal::parseOrZero(line.rate)).rounded(2);
    QString discount = line.discount.trimmed();
    Decimal off;
    if (discount.endsWith(QLatin1Char('%'))) {
        discount.chop(1);
        off = (gross * Decimal::parseOrZero(discount) * *Decimal::parse(u"0.01")).rounded(2);
    } else {
        off = Decimal::parseOrZero(discount).rounded(2);
    }
    return moneyString(gross - off);
}

QByteArray renderPdf(const PrintedDocument &doc)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setResolution(144);
    writer.setTitle(doc.title);
    writer.setCreator(QStringLiteral("Vantrel stand-in server"));

    QPainter p(&writer);
    const QRect page = p.viewport();
    const int width = page.width();
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPixelSize(18);
    QFont small = body;
    small.setPixelSize(15);
    QFont heading = body;
    heading.setPixelSize(34);
    heading.setBold(true);
    QFont bold = body;
    bold.setBold(true);
    const int rowHeight = 30;
    int pageNumber = 1;
    int y = 0;

    const int colQty = int(width * 0.52), colRate = int(width * 0.62), colDisc = int(width * 0.75),
              colAmount = int(width * 0.87);
    auto tableHeader = [&] {
        p.setFont(bold);
        p.fillRect(QRect(0, y, width, rowHeight), QColor(0xE8, 0xEE, 0xF4));
        p.drawText(QRect(6, y, colQty - 12, rowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Item"));
        p.drawText(QRect(colQty, y, colRate - colQty - 6, rowHeight), Qt::AlignVCenter | Qt::AlignRight,
                   QStringLiteral("Qty"));
        p.drawText(QRect(colRate, y, colDisc - colRate - 6, rowHeight), Qt::AlignVCenter | Qt::AlignRight,
                   QStringLiteral("Rate"));
        p.drawText(QRect(colDisc, y, colAmount - colDisc - 6, rowHeight), Qt::AlignVCenter | Qt::AlignRight,
                   QStringLiteral("Discount"));
        p.drawText(QRect(colAmount, y, width - colAmount - 6, rowHeight), Qt::AlignVCenter | Qt::AlignRight,
                   QStringLiteral("Amount"));
        y += rowHeight + 4;
        p.setFont(body);
    };
    auto footer = [&] {
        p.setFont(small);
        p.setPen(Qt::darkGray);
        p.drawText(QRect(0, page.height() - 24, width, 24), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("%1 · page %2").arg(doc.title).arg(pageNumber));
        p.setPen(Qt::black);
        p.setFont(body);
    };
    auto ensureRoom = [&](int needed, bool withTable) {
        if (y + needed <= page.height() - 40) return;
        footer();
        writer.newPage();
        ++pageNumber;
        y = 0;
        p.setFont(bold);
        p.drawText(QRect(0, y, width, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   doc.title + QStringLiteral(" (continued)"));
        y += rowHeight + 10;
        if (withTable) tableHeader();
    };

    p.setFont(small);
    p.setPen(QColor(0x1F, 0x4E, 0x79));
    p.drawText(QRect(0, y, width, 24), Qt::AlignLeft,
               QStringLiteral("VANTREL CABINETS · DEMONSTRATION DOCUMENT"));
    p.setPen(Qt::black);
    y += 34;
    p.setFont(heading);
    p.drawText(QRect(0, y, width, 48), Qt::AlignLeft | Qt::AlignVCenter, doc.title);
    if (!doc.badge.isEmpty()) {
        p.setPen(QPen(QColor(0x2E, 0x7D, 0x32), 4));
        const QRect stamp(width - 220, y, 200, 48);
        p.drawRect(stamp);
        p.drawText(stamp, Qt::AlignCenter, doc.badge);
        p.setPen(Qt::black);
    }
    y += 60;
    p.setFont(body);
    for (const QString &fact : doc.facts) {
        p.drawText(QRect(0, y, width, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, fact);
        y += rowHeight;
    }
    y += 16;
    tableHeader();
    for (const QuoteLine &line : doc.lines) {
        ensureRoom(rowHeight * 2, true);
        const QString item = line.sku.isEmpty() ? line.name : line.sku + QStringLiteral(" · ") + line.name;
        p.drawText(QRect(6, y, colQty - 12, rowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                   p.fontMetrics().elidedText(item, Qt::ElideRight, colQty - 12));
        p.drawText(QRect(colQty, y, colRate - colQty - 6, rowHeight), Qt::AlignVCenter | Qt::AlignRight,
                   line.quantity);
        p.drawText(QRect(colRate, y, colDisc - colRate - 6, rowHeight), Qt::AlignVCenter | Qt::AlignRight,
                   moneyString(Decimal::parseOrZero(line.rate)));
        p.drawText(QRect(colDisc, y, colAmount - colDisc - 6, rowHeight), Qt::AlignVCenter | Qt::AlignRight,
                   line.discount);
        p.drawText(QRect(colAmount, y, width - colAmount - 6, rowHeight), Qt::AlignVCenter | Qt::AlignRight,
                   lineAmount(line));
        y += rowHeight;
        if (!line.description.trimmed().isEmpty()) {
            p.setFont(small);
            p.setPen(Qt::darkGray);
            p.drawText(
                QRect(24, y - 6, colQty - 30, rowHeight), Qt::AlignTop | Qt::AlignLeft,
                p.fontMetrics().elidedText(line.description.simplified(), Qt::ElideRight, colQty - 30));
            p.setPen(Qt::black);
            p.setFont(body);
            y += rowHeight - 6;
        }
        p.setPen(QColor(0xDD, 0xDD, 0xDD));
        p.drawLine(0, y, width, y);
        p.setPen(Qt::black);
    }
    y += 16;
    for (qsizetype i = 0; i < doc.totals.size(); ++i) {
        ensureRoom(rowHeight, false);
        const bool last = i == doc.totals.size() - 1;
        p.setFont(last ? bold : body);
        p.drawText(QRect(colDisc - 140, y, colAmount - colDisc + 134, rowHeight),
                   Qt::AlignVCenter | Qt::AlignRight, doc.totals[i].first);
        p.drawText(QRect(colAmount, y, width - colAmount - 6, rowHeight), Qt::AlignVCenter | Qt::AlignRight,
                   doc.totals[i].second);
        y += rowHeight;
    }
    p.setFont(body);
    y += 20;
    for (const QString &paragraph : doc.paragraphs) {
        const QRect bounds = p.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, paragraph);
        // A paragraph taller than a page is cut into pages line by line.
        const QStringList pieces =
            bounds.height() > page.height() / 2 ? paragraph.split(QLatin1Char('\n')) : QStringList{paragraph};
        for (const QString &piece : pieces) {
            const QRect r = p.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, piece);
            ensureRoom(std::min(r.height(), page.height() - 120), false);
            p.drawText(QRect(0, y, width, r.height()), Qt::TextWordWrap, piece);
            y += r.height() + 12;
        }
    }
    footer();
    p.end();
    return bytes;
}

void requireGui()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        throw Refusal{503, QStringLiteral("PDF documents need the server to run with a QGuiApplication.")};
}

QList<std::pair<QString, QString>> totalsOf(const Quote &q)
{
    QList<std::pair<QString, QString>> totals{{QStringLiteral("Subtotal"), q.subtotal},
                                              {QStringLiteral("Tax"), q.tax}};
    if (!Decimal::parseOrZero(QString(q.discount).remove(QLatin1Char('%'))).isZero())
        totals.append({QStringLiteral("Discount"), q.discount});
    if (!Decimal::parseOrZero(q.shipping).isZero()) totals.append({QStringLiteral("Shipping"), q.shipping});
    if (!Decimal::parseOrZero(q.adjustment).isZero())
        totals.append({QStringLiteral("Adjustment"), q.adjustment});
    totals.append({QStringLiteral("Total (%1)").arg(q.currency), q.total});
    return totals;
}

} // namespace

HttpResponse StandinServer::State::quotePdf(const QString &id, const QString &user)
{
    const StoredQuote *stored = quotes.find(id);
    if (!stored) throw Refusal{404, QStringLiteral("This quote does not exist.")};
    requireGui();
    const Quote q = present(*stored, user);
    PrintedDocument doc;
    doc.title = QStringLiteral("Quote %1").arg(q.number);
    doc.facts = {QStringLiteral("Customer: %1").arg(q.customerName),
                 QStringLiteral("Status: %1").arg(q.status)};
    if (const Deal *deal = deals.find(q.dealId)) doc.facts.append(QStringLiteral("Deal: %1").arg(deal->name));
    doc.lines = q.lines;
    doc.totals = totalsOf(q);
    if (!q.notes.trimmed().isEmpty()) doc.paragraphs.append(QStringLiteral("Notes\n") + q.notes);
    if (!q.terms.trimmed().isEmpty()) doc.paragraphs.append(QStringLiteral("Terms\n") + q.terms);
    HttpResponse r;
    r.contentType = "application/pdf";
    r.body = renderPdf(doc);
    return r;
}

HttpResponse StandinServer::State::invoicePdf(const QString &id)
{
    const StoredCheckout *c = checkouts.find(id);
    if (!c) throw Refusal{404, QStringLiteral("This checkout does not exist.")};
    const CheckoutTransaction &tx = c->tx;
    const bool isPaid = tx.squarePaymentId || tx.status == QLatin1String(status::complete) ||
                        tx.status == QLatin1String(status::syncingZoho) ||
                        tx.status == QLatin1String(status::paidSyncPending);
    if (!isPaid) throw Refusal{409, QStringLiteral("The invoice is available once the payment is received.")};
    requireGui();
    const StoredQuote *stored = quotes.find(tx.quoteId);
    PrintedDocument doc;
    doc.title = tx.invoiceNumber ? QStringLiteral("Invoice %1").arg(*tx.invoiceNumber)
                                 : QStringLiteral("Paid invoice for %1").arg(tx.quoteNumber);
    doc.badge = QStringLiteral("PAID");
    const QString date = QDateTime::fromMSecsSinceEpoch(qint64(tx.created * 1000), Qt::UTC)
                             .toString(QStringLiteral("yyyy-MM-dd"));
    doc.facts = {QStringLiteral("Quote: %1").arg(tx.quoteNumber), QStringLiteral("Date: %1").arg(date)};
    if (stored) {
        doc.facts.prepend(QStringLiteral("Customer: %1").arg(stored->quote.customerName));
        doc.lines = c->paidLines.isEmpty() ? stored->quote.lines : c->paidLines;
        doc.totals = totalsOf(stored->quote);
    }
    doc.totals.append(
        {QStringLiteral("Paid"), moneyString(Decimal(tx.amountCents) * *Decimal::parse(u"0.01"))});
    QString payment = QStringLiteral("Payment\nTender: %1").arg(tx.tender);
    if (tx.squarePaymentId) payment += QStringLiteral("\nSquare payment: %1").arg(*tx.squarePaymentId);
    if (tx.tender == QLatin1String("cash"))
        payment += QStringLiteral("\nCash received: %1")
                       .arg(moneyString(Decimal(tx.cashCents) * *Decimal::parse(u"0.01")));
    if (tx.accountingStatus) payment += QLatin1Char('\n') + *tx.accountingStatus;
    doc.paragraphs.append(payment);
    HttpResponse r;
    r.contentType = "application/pdf";
    r.body = renderPdf(doc);
    return r;
}

// --- product photos ---------------------------------------------------------------

static QColor finishColour(const QString &sku)
{
    if (sku.contains(QLatin1String("-GS"))) return QColor(0x8A, 0x93, 0x99);
    if (sku.contains(QLatin1String("-WO"))) return QColor(0xB8, 0x8A, 0x5A);
    return QColor(0xF2, 0xF0, 0xEA);
}

static QImage drawProduct(const Product &product)
{
    QRandomGenerator rng(quint32(qHash(product.id)));
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wall(0, 0, 0, 600);
    const int hue = rng.bounded(360);
    wall.setColorAt(0, QColor::fromHsv(hue, 30, 245));
    wall.setColorAt(1, QColor::fromHsv(hue, 45, 200));
    p.fillRect(image.rect(), wall);
    p.fillRect(QRect(0, 470, 800, 130), QColor::fromHsv((hue + 30) % 360, 60, 150));

    const QColor finish = finishColour(product.sku);
    const QString category = product.category.trimmed().toLower();
    const int bodyWidth = 220 + rng.bounded(300);
    const int left = (800 - bodyWidth) / 2;
    p.setPen(QPen(finish.darker(160), 3));
    if (category == QLatin1String("wall")) {
        const QRect box(left, 80, bodyWidth, 300);
        p.setBrush(finish);
        p.drawRect(box);
        const int doors = bodyWidth > 360 ? 2 : 1;
        for (int i = 0; i < doors; ++i) {
            const QRect door(box.left() + 12 + i * (box.width() / doors), box.top() + 12,
                             box.width() / doors - 24, box.height() - 24);
            p.setBrush(finish.lighter(104));
            p.drawRect(door);
            p.drawRect(door.adjusted(22, 22, -22, -22));
            p.setBrush(Qt::darkGray);
            p.drawEllipse(
                QPoint(i == 0 && doors == 2 ? door.right() - 18 : door.left() + 18, door.bottom() - 30), 7,
                7);
        }
    } else if (category == QLatin1String("base") || category == QLatin1String("vanity")) {
        const bool vanity = category == QLatin1String("vanity");
        const QRect box(left, vanity ? 230 : 200, bodyWidth, vanity ? 240 : 270);
        p.setBrush(finish);
        p.drawRect(box);
        p.setBrush(vanity ? QColor(0xE6, 0xE6, 0xE6) : QColor(0x55, 0x50, 0x4A));
        p.drawRect(QRect(box.left() - 14, box.top() - 22, box.width() + 28, 22));
        if (vanity) {
            p.setBrush(Qt::white);
            p.drawEllipse(QRect(box.center().x() - 70, box.top() - 18, 140, 14));
            p.setPen(QPen(Qt::gray, 8));
            p.drawLine(box.center().x(), box.top() - 22, box.center().x(), box.top() - 70);
            p.drawLine(box.center().x(), box.top() - 70, box.center().x() + 36, box.top() - 70);
            p.setPen(QPen(finish.darker(160), 3));
        }
        const QRect drawer(box.left() + 12, box.top() + 12, box.width() - 24, 50);
        p.setBrush(finish.lighter(104));
        p.drawRect(drawer);
        p.setBrush(Qt::darkGray);
        p.drawRoundedRect(QRect(drawer.center().x() - 30, drawer.center().y() - 4, 60, 8), 4, 4);
        const QRect doors(box.left() + 12, drawer.bottom() + 12, box.width() - 24,
                          box.bottom() - drawer.bottom() - 24);
        p.setBrush(finish.lighter(104));
        p.drawRect(doors);
        p.drawRect(doors.adjusted(20, 20, -20, -20));
    } else {
        // Accessories and everything else: a few hardware pieces on the counter.
        const int pieces = 2 + rng.bounded(4);
        for (int i = 0; i < pieces; ++i) {
            p.setBrush(QColor::fromHsv(rng.bounded(360), 80 + rng.bounded(100), 120 + rng.bounded(120)));
            const int x = 120 + i * (560 / pieces);
            if (i % 2)
                p.drawEllipse(QRect(x, 330 + rng.bounded(60), 70, 70));
            else
                p.drawRoundedRect(QRect(x, 300 + rng.bounded(80), 60 + rng.bounded(60), 120), 12, 12);
        }
    }
    // A composite item shows its parts stacked.
    if (product.composite) {
        p.setBrush(finish.darker(115));
        p.drawRect(QRect(40, 380, 120, 90));
        p.drawRect(QRect(640, 380, 120, 90));
    }
    p.end();
    return image;
}

HttpResponse StandinServer::State::productImage(const QString &id)
{
    if (id.isEmpty() ||
        !std::all_of(id.cbegin(), id.cend(), [](QChar c) { return c.isDigit() && c.unicode() < 128; }))
        throw Refusal{400, QStringLiteral("Photo ids are digits only.")};
    const Product *product = products.find(id);
    if (!product) throw Refusal{404, QStringLiteral("This product does not exist.")};
    if (!product->imagePath) throw Refusal{404, QStringLiteral("This product has no photo.")};
    const QString version = product->imageVersion.value_or(QStringLiteral("1"));
    std::optional<Store::Image> cached = store.image(id, version);
    if (!cached) {
        const QImage image = drawProduct(*product);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // Alternate the formats so clients meet both.
        const bool jpeg =
            (id.back().digitValue() % 2 == 0) && QImageWriter::supportedImageFormats().contains("jpeg");
        image.save(&buffer, jpeg ? "JPEG" : "PNG", jpeg ? 85 : -1);
        cached = Store::Image{jpeg ? QByteArray("image/jpeg") : QByteArray("image/png"), bytes};
        store.putImage(id, version, *cached);
    }
    HttpResponse r;
    r.contentType = cached->mime;
    r.body = cached->bytes;
    r.extraHeaders.append({"ETag", '"' + version.toUtf8() + '"'});
    return r;
}

} // namespace standin
