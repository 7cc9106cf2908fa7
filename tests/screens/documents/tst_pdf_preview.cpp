// The quote and invoice PDF loader against a loopback server: what a reply
// turns into, what a load abandoned half-way leaves behind, and the pages
// rendered from the document in memory.
#include "Workspace.h"

#include "screens/documents/DocumentPdfLoader.h"
#include "screens/documents/DocumentPdfTexts.h"
#include "workflow/CheckoutModel.h"

#include <QQuickImageResponse>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(vantrel::testing::Reply)

using namespace vantrel;
using namespace vantrel::screens;
using namespace vantrel::testing;

namespace {

// A PDF assembled object by object, for shapes a writer never produces.
QByteArray assembledPdf(const QList<QByteArray> &objects, const QByteArray &trailer)
{
    QByteArray out = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(out.size());
        out += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets) out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R " + trailer +
           " >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

QByteArray pagelessPdf()
{
    return assembledPdf({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [] /Count 0 >>"}, {});
}

Reply pdfReply(const QByteArray &body)
{
    Reply reply;
    reply.body = body;
    reply.contentType = "application/pdf";
    return reply;
}

constexpr qint64 oneMegabyte = 1024 * 1024;

// A workspace whose client talks to the loopback server.
struct Fixture {
    QTemporaryDir dir;
    RecordingServer server;
    CheckoutModel model{CheckoutModelServices{}, dir.path()};
    Fixture()
    {
        model.api().setBase(server.base());
        model.api().setToken(QStringLiteral("token"));
    }
    std::unique_ptr<DocumentPdfLoader> loader(const QString &kind)
    {
        auto loader = std::make_unique<DocumentPdfLoader>();
        loader->setMaximumBytes(oneMegabyte);
        loader->setWorkspace(&model);
        loader->setKind(kind);
        loader->setPath(QStringLiteral("/api/") + kind + QStringLiteral("s/Q1/pdf"));
        return loader;
    }
};

bool settled(DocumentPdfLoader &loader)
{
    return QTest::qWaitFor([&] { return !loader.loading(); }, 10000);
}

} // namespace

class PdfPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void reply_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Reply>("reply");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("pages");

        Reply html{200, "<html><body>Bad gateway</body></html>", "text/html"};
        Reply failed{502, R"({"error":"Zoho did not answer."})"};
        const QString unreadableInvoice = pdfUnreadableMessage(QStringLiteral("invoice"));
        const QString unreadableQuote = pdfUnreadableMessage(QStringLiteral("quote"));
        QTest::newRow("html") << "invoice" << html << unreadableInvoice << 0;
        QTest::newRow("pdf header, no document") << "quote" << pdfReply("%PDF-1.7\nnot really") << unreadableQuote << 0;
        QTest::newRow("no pages") << "quote" << pdfReply(pagelessPdf()) << unreadableQuote << 0;
        QTest::newRow("password") << "invoice" << pdfReply(lockedPdfBytes()) << unreadableInvoice << 0;
        QTest::newRow("server error") << "quote" << failed << "Zoho did not answer." << 0;
        QTest::newRow("over the limit") << "quote" << pdfReply("%PDF-" + QByteArray(2 * oneMegabyte, ' '))
                                        << pdfTooLargeMessage(QStringLiteral("quote"), oneMegabyte) << 0;
        QTest::newRow("three pages") << "invoice" << pdfReply(pdfBytes(3)) << QString() << 3;
    }

    void reply()
    {
        QFETCH(QString, kind);
        QFETCH(Reply, reply);
        QFETCH(int, pages);

        Fixture f;
        f.server.reply(reply);
        auto loader = f.loader(kind);
        QVERIFY(loader->loading());
        QVERIFY(settled(*loader));
        QTEST(loader->message(), "message");
        QCOMPARE(loader->pageCount(), pages);
        QCOMPARE(loader->document() != nullptr, pages > 0);
        QCOMPARE(f.server.requests().size(), 1);
        QCOMPARE(f.server.requests().first().headers.value("authorization"), QByteArray("Bearer token"));
    }

    // A load overtaken while its reply is held by the server.
    void overtaken_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("pages");
        QTest::newRow("signed out") << "token" << pdfConnectionChangedMessage(QStringLiteral("quote")) << 0;
        QTest::newRow("reloaded") << "reload" << QString() << 2;
        QTest::newRow("destroyed") << "destroy" << QString() << 0;
    }

    void overtaken()
    {
        QFETCH(QString, event);

        Fixture f;
        // The first request waits; it would turn out unreadable if it landed.
        f.server.setHandler([&f](const Request &) -> std::optional<Reply> {
            if (f.server.requests().size() > 1) return pdfReply(pdfBytes(2));
            Reply held{200, "<html>late</html>", "text/html"};
            held.hold = true;
            return held;
        });
        auto loader = f.loader(QStringLiteral("quote"));
        QSignalSpy changes(loader.get(), &DocumentPdfLoader::stateChanged);
        QVERIFY(QTest::qWaitFor([&] { return f.server.held() == 1; }, 10000));

        if (event == u"token") f.model.api().setToken(QStringLiteral("another"));
        if (event == u"reload") loader->setReloadId(1);
        if (event == u"destroy") loader.reset();
        // The overtaken reply may still arrive: it must change nothing.
        f.server.release();
        QTest::qWait(200);

        if (!loader) return; // gone without a crash or a late write
        QVERIFY(settled(*loader));
        QTEST(loader->message(), "message");
        QTEST(loader->pageCount(), "pages");
        QCOMPARE(changes.count(), event == u"reload" ? 2 : 1);
    }

    // Pages render from memory at the width asked for, and a document that
    // is closed while its page is requested gives an error, not a crash.
    void pageRendering_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("closeFirst");
        QTest::newRow("preview width") << 320 << false;
        QTest::newRow("beyond the pixel cap") << 6000 << false;
        QTest::newRow("document closed") << 320 << true;
    }

    void pageRendering()
    {
        QFETCH(int, width);
        QFETCH(bool, closeFirst);

        Fixture f;
        f.server.reply(pdfReply(pdfBytes(2)));
        auto loader = f.loader(QStringLiteral("quote"));
        QVERIFY(settled(*loader));
        const QString id = loader->pageSource().mid(QStringLiteral("image://pdfpage/").size()) + u'1';
        if (closeFirst) loader.reset();

        DocumentPdfPageProvider provider;
        std::unique_ptr<QQuickImageResponse> response(provider.requestImageResponse(id, QSize(width, 0)));
        QSignalSpy finished(response.get(), &QQuickImageResponse::finished);
        QVERIFY(finished.wait(10000));
        std::unique_ptr<QQuickTextureFactory> texture(response->textureFactory());
        const QImage image = texture ? texture->image() : QImage();
        QCOMPARE(response->errorString().isEmpty(), !closeFirst);
        if (closeFirst) return;

        QVERIFY(image.width() <= width);
        QVERIFY(qint64(image.width()) * image.height() <= DocumentPdfPageProvider::maximumPixels);
        if (width < 2000) QCOMPARE(image.width(), width);
        QVERIFY(qAbs(image.height() - image.width() * 11.0 / 8.5) <= 1); // Letter
        // Paper is white; the black band at the top of the page is drawn.
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() - 2), QColor(Qt::white));
        QCOMPARE(image.pixelColor(image.width() / 10, image.height() / 50), QColor(Qt::black));
    }
};

QTEST_MAIN(PdfPreviewTest)
#include "tst_pdf_preview.moc"
