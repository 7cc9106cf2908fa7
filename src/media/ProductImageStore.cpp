#include "ProductImageStore.h"

#include "server/APIClient.h"

#include <QBuffer>
#include <QCoroFuture>
#include <QCoroNetworkReply>
#include <QCryptographicHash>
#include <QDateTime>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace vantrel {

const char ProductImageStore::acceptHeader[] = "image/jpeg, image/png, image/webp, image/gif, image/bmp";

namespace {

bool isAcceptedType(const QString &contentType)
{
    static const QStringList accepted{QStringLiteral("image/jpeg"), QStringLiteral("image/png"),
                                      QStringLiteral("image/webp"), QStringLiteral("image/gif"),
                                      QStringLiteral("image/bmp")};
    const QString type = contentType.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    return accepted.contains(type);
}

// What the reply's handlers learned while the body streamed in.
struct Body {
    QByteArray bytes;
    bool headerChecked = false;
    bool refused = false;
};

// Checks status, media type and declared length as soon as the headers are
// in, so a refused reply is cut off before its body is downloaded.
bool acceptHeaders(QNetworkReply *reply, Body &body)
{
    if (body.headerChecked) return !body.refused;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) return true; // headers not in yet
    body.headerChecked = true;
    const bool ok =
        status.toInt() == 200 &&
        isAcceptedType(reply->header(QNetworkRequest::ContentTypeHeader).toString()) &&
        (!reply->header(QNetworkRequest::ContentLengthHeader).isValid() ||
         reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() <= ProductImageStore::maxBodyBytes);
    body.refused = !ok;
    return ok;
}

// Stops a refused download. Qt ends error statuses (4xx, 5xx) on its own,
// and aborting those as well would report the reply's error twice.
void cutOff(QNetworkReply *reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        reply->readAll(); // discarded; the resource time-out still bounds it
        return;
    }
    reply->abort();
}

// Appends what arrived; a body beyond the limit is refused at the first
// byte too many.
void readAvailable(QNetworkReply *reply, Body &body)
{
    if (body.refused || !acceptHeaders(reply, body)) {
        cutOff(reply);
        return;
    }
    const qint64 available = reply->bytesAvailable();
    if (available <= 0) return;
    if (body.bytes.size() + available > ProductImageStore::maxBodyBytes) {
        body.refused = true;
        cutOff(reply);
        return;
    }
    body.bytes += reply->read(available);
}

// Decodes the first image straight to the size it is shown at: the JPEG
// reader scales while decoding, which is far cheaper than decoding whole and
// scaling. Only the reader of the format the bytes themselves announce is
// used, so a body of another kind (SVG, TIFF, ...) never reaches a decoder,
// whatever its media type said.
QImage makeThumbnail(QByteArray bytes, QSize box)
{
    const QByteArray format = ProductImageStore::imageFormat(bytes);
    if (format.isEmpty()) return {};
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid()) {
        // The reader scales before it turns the image upright.
        const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
        const QSize fit = turned ? box.transposed() : box;
        if (size.width() > fit.width() || size.height() > fit.height())
            reader.setScaledSize(size.scaled(fit, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (image.isNull()) return {};
    // Readers that ignore the scaled size still give a bounded thumbnail.
    if (image.width() > box.width() || image.height() > box.height())
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace

// Waits in the host's line until a running fetch hands over its slot.
// Holds a plain pointer (see APIClient.h).
struct ProductImageStore::GateWait {
    HostGate *gate;
    bool await_ready() const { return false; }
    void await_suspend(std::coroutine_handle<> handle) { gate->waiting.push_back(handle); }
    void await_resume() const {}
};

ProductImageStore::ProductImageStore(QObject *parent)
    : QObject(parent), m_generation(QUuid::createUuid()),
      m_now([] { return QDateTime::currentMSecsSinceEpoch(); })
{}

ProductImageStore::~ProductImageStore()
{
    // Fetches still waiting or running end now and store nothing. The lines
    // close first, so no fetch that ends here hands its slot to a new one.
    m_generation = QUuid::createUuid();
    const auto gates = m_gates;
    for (const auto &gate : gates) {
        gate->closed = true;
        while (!gate->waiting.empty()) {
            auto handle = gate->waiting.front();
            gate->waiting.pop_front();
            handle.resume();
        }
    }
    if (m_network) {
        const auto replies = m_network->findChildren<QNetworkReply *>();
        for (QNetworkReply *reply : replies) reply->abort(); // finishing resumes its fetch
    }
}

QNetworkAccessManager *ProductImageStore::network()
{
    if (!m_network) {
        m_network = new QNetworkAccessManager(this);
        m_network->setCache(nullptr);
        m_network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
        m_network->setTransferTimeout(transferTimeoutMs);
    }
    return m_network;
}

QImage ProductImageStore::thumbnail(QByteArray encoded, QSize box)
{
    return makeThumbnail(std::move(encoded), decodeBox(box));
}

QSize ProductImageStore::decodeBox(QSize box)
{
    if (box.isEmpty()) return {maxThumbnailSide, maxThumbnailSide};
    const auto side = [](int pixels) { return std::min((pixels + 31) / 32 * 32, int(maxThumbnailSide)); };
    return {side(box.width()), side(box.height())};
}

QByteArray ProductImageStore::imageFormat(const QByteArray &bytes)
{
    const auto at = [&bytes](qsizetype offset, const char *signature) {
        return bytes.mid(offset, qsizetype(qstrlen(signature))) == signature;
    };
    if (at(0, "\xFF\xD8\xFF")) return QByteArrayLiteral("jpeg");
    if (at(0, "\x89PNG\r\n\x1A\n")) return QByteArrayLiteral("png");
    if (at(0, "GIF87a") || at(0, "GIF89a")) return QByteArrayLiteral("gif");
    if (at(0, "RIFF") && at(8, "WEBP")) return QByteArrayLiteral("webp");
    // "BM" alone is too weak a mark: the size of the header that follows
    // must also be one that a bitmap has.
    if (at(0, "BM") && bytes.size() >= 18) {
        const auto *header = reinterpret_cast<const uchar *>(bytes.constData()) + 14;
        const quint32 size = quint32(header[0]) | quint32(header[1]) << 8 | quint32(header[2]) << 16 |
                             quint32(header[3]) << 24;
        if (size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124)
            return QByteArrayLiteral("bmp");
    }
    return {};
}

QString ProductImageStore::cacheKey(const Product &product, const QString &base, const QString &token)
{
    // Every card that changes product asks for its key, always under the
    // same session: the session's digest is worked out once per thread
    // until the address or token changes.
    struct SessionDigest {
        QString base;
        QString token;
        QString digest;
    };
    thread_local SessionDigest last;
    if (last.digest.isEmpty() || last.base != base || last.token != token) {
        const QByteArray session = (base + QLatin1Char('\n') + token).toUtf8();
        last = {base, token,
                QString::fromLatin1(QCryptographicHash::hash(session, QCryptographicHash::Sha256).toHex())};
    }
    return last.digest + QLatin1Char(':') + product.imagePath.value_or(QString()) + QLatin1Char(':') +
           product.imageVersion.value_or(QString());
}

QString ProductImageStore::sizedKey(const QString &key, QSize box)
{
    const QSize fit = decodeBox(box);
    return key + QLatin1Char('@') + QString::number(fit.width()) + QLatin1Char('x') +
           QString::number(fit.height());
}

bool ProductImageStore::isFetchablePath(const Product &product)
{
    if (!product.imagePath || product.id.isEmpty()) return false;
    for (const QChar c : product.id) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    }
    return *product.imagePath == QStringLiteral("/api/items/") + product.id + QStringLiteral("/image");
}

QImage ProductImageStore::cached(const QString &key)
{
    const QImage *image = m_cache.find(key);
    return image ? *image : QImage();
}

bool ProductImageStore::isBlocked(const QString &key) const
{
    const qint64 *until = m_failures.find(key);
    return until && *until > m_now();
}

void ProductImageStore::clear()
{
    m_generation = QUuid::createUuid();
    m_cache.clear();
    m_failures.clear();
    emit cleared();
}

void ProductImageStore::remember(const QString &key, const QImage &image)
{
    m_cache.insert(key, image, qint64(image.bytesPerLine()) * image.height());
}

void ProductImageStore::rememberFailure(const QString &key)
{
    m_failures.insert(key, m_now() + failureBlockMs, 1);
}

std::shared_ptr<ProductImageStore::HostGate> ProductImageStore::gate(const QString &host)
{
    auto &gate = m_gates[host];
    if (!gate) gate = std::make_shared<HostGate>();
    return gate;
}

void ProductImageStore::release(const std::shared_ptr<HostGate> &gate)
{
    // The slot passes straight to the next in line, so the count of running
    // fetches never goes over the limit.
    if (!gate->waiting.empty() && !gate->closed) {
        auto handle = gate->waiting.front();
        gate->waiting.pop_front();
        handle.resume();
        return;
    }
    --gate->active;
}

QCoro::Task<QImage> ProductImageStore::image(Product product, QPointer<APIClient> api,
                                             CancellationToken cancel, QSize box)
{
    return run(QPointer<ProductImageStore>(this), std::move(product), std::move(api), std::move(cancel), box);
}

QCoro::Task<QImage> ProductImageStore::run(QPointer<ProductImageStore> self, Product product,
                                           QPointer<APIClient> api, CancellationToken cancel, QSize box)
{
    try {
        if (!self || !api || cancel.isCancelled()) co_return QImage();
        if (!product.imagePath || api->token().isEmpty()) co_return QImage();
        if (!isFetchablePath(product)) co_return QImage();
        const QUrl url = api->makeURL(*product.imagePath);
        if (!url.isValid()) co_return QImage();
        // A failure blocks the photo at every size.
        const QString key = cacheKey(product, api->base(), api->token());
        if (QImage hit = self->cached(sizedKey(key, box)); !hit.isNull()) co_return hit;
        if (self->isBlocked(key)) co_return QImage();

        const QUuid generation = self->m_generation;
        auto gate = self->gate(url.host().toLower() + QLatin1Char(':') + QString::number(url.port()));
        if (gate->active < maxFetchesPerHost) {
            ++gate->active;
        } else {
            co_await GateWait{gate.get()};
            if (gate->closed) co_return QImage();
        }
        QImage result;
        if (self && api && !gate->closed && !cancel.isCancelled()) {
            const QString token = api->token();
            QCoro::Task<QImage> fetch = fetchAndDecode(self, url, token, key, box, generation, cancel);
            result = co_await fetch;
        }
        release(gate);
        co_return result;
    } catch (...) {
        co_return QImage();
    }
}

QCoro::Task<QImage> ProductImageStore::fetchAndDecode(QPointer<ProductImageStore> self, QUrl url,
                                                      QString token, QString key, QSize box, QUuid generation,
                                                      CancellationToken cancel)
{
    if (token.isEmpty()) co_return QImage();
    QNetworkRequest request(url);
    request.setRawHeader("Authorization", "Bearer " + token.toUtf8());
    request.setRawHeader("Accept", acceptHeader);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(transferTimeoutMs);

    QNetworkReply *reply = self->network()->get(request);
    QPointer<QNetworkReply> guard(reply);
    cancel.setInFlight(reply);
    auto body = std::make_shared<Body>();
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, body] {
        if (!acceptHeaders(reply, *body)) cutOff(reply);
    });
    QObject::connect(reply, &QIODevice::readyRead, reply, [reply, body] { readAvailable(reply, *body); });
    // The whole fetch, headers to last byte, gets a fixed budget.
    QTimer::singleShot(resourceTimeoutMs, reply, [reply] { reply->abort(); });

    co_await reply;

    bool ok = false;
    if (guard) {
        readAvailable(reply, *body);
        ok = !body->refused && acceptHeaders(reply, *body) && body->headerChecked &&
             reply->error() == QNetworkReply::NoError;
        cancel.setInFlight(nullptr);
        reply->deleteLater();
    }
    const auto current = [&] { return self && self->m_generation == generation && !cancel.isCancelled(); };
    if (!current()) co_return QImage();

    QImage thumbnail;
    if (ok) {
        QFuture<QImage> decoded = QtConcurrent::run(makeThumbnail, std::move(body->bytes), decodeBox(box));
        thumbnail = co_await decoded;
        if (!current()) co_return QImage();
    }
    if (thumbnail.isNull()) {
        self->rememberFailure(key);
        co_return QImage();
    }
    self->remember(sizedKey(key, box), thumbnail);
    co_return thumbnail;
}

} // namespace vantrel
