// The JSON codec's strict rules, in both key spellings.
#include "records/CheckoutTransaction.h"
#include "records/Workspace.h"

#include <QtTest>

#include <limits>

using namespace vantrel;

namespace {
const QByteArray fullProduct =
    R"({"id":"7","name":"Base 36","sku":"B36-WS","description":"d","rate":"234.50","stock":"4",)"
    R"("composite":false,"stock_source":"warehouse","tax_id":"t1","category":"Base",)"
    R"("image_path":"/api/items/7/image","image_version":"v2"})";

template <class T>
bool decodes(const QByteArray &json, KeyStyle style = KeyStyle::Wire)
{
    return tryDecode<T>(json, style).has_value();
}
} // namespace

class TestCodec : public QObject {
    Q_OBJECT
private slots:
    void keySpelling_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("wire");
        QTest::newRow("plain") << "id" << "id";
        QTest::newRow("two words") << "stockSource" << "stock_source";
        QTest::newRow("three words") << "paymentsSetupMessage" << "payments_setup_message";
        QTest::newRow("id suffix") << "zohoPaymentId" << "zoho_payment_id";
    }
    void keySpelling()
    {
        QFETCH(QString, field);
        QFETCH(QString, wire);
        QCOMPARE(QString::fromStdString(snakeCase(field.toStdString())), wire);
        QCOMPARE(QString::fromStdString(camelFromSnake(wire.toStdString())), field);
    }

    void productStrictness_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("hasStock");
        auto without = [](const char *key) {
            QJsonObject o = QJsonDocument::fromJson(fullProduct).object();
            o.remove(QString::fromLatin1(key));
            return QJsonDocument(o).toJson(QJsonDocument::Compact);
        };
        auto with = [](const char *key, const QJsonValue &v) {
            QJsonObject o = QJsonDocument::fromJson(fullProduct).object();
            o.insert(QString::fromLatin1(key), v);
            return QJsonDocument(o).toJson(QJsonDocument::Compact);
        };
        QTest::newRow("complete") << fullProduct << true << true;
        QTest::newRow("stock missing") << without("stock") << true << false;
        QTest::newRow("stock null") << with("stock", QJsonValue::Null) << true << false;
        QTest::newRow("composite missing") << without("composite") << false << false;
        QTest::newRow("composite null") << with("composite", QJsonValue::Null) << false << false;
        QTest::newRow("rate as number") << with("rate", 234.5) << false << false;
        QTest::newRow("stock as number") << with("stock", 4) << false << false;
        QTest::newRow("composite as string") << with("composite", "false") << false << false;
        QTest::newRow("unknown key ignored") << with("colour", "white") << true << true;
        QTest::newRow("camel key accepted") << with("stockSource", "shop") << true << true;
        QTest::newRow("not an object") << QByteArray("[1,2]") << false << false;
        QTest::newRow("trailing garbage") << QByteArray(fullProduct + " x") << false << false;
        QTest::newRow("truncated") << fullProduct.left(40) << false << false;
        QTest::newRow("empty") << QByteArray() << false << false;
    }
    void productStrictness()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, ok);
        QFETCH(bool, hasStock);
        const auto product = tryDecode<Product>(json, KeyStyle::Wire);
        QCOMPARE(product.has_value(), ok);
        if (ok) QCOMPARE(product->stock.has_value(), hasStock);
    }

    // Wire keys fill the fields; absent optionals are left out when written.
    void wireKeysAndAbsentOptionals()
    {
        Product p = decode<Product>(fullProduct, KeyStyle::Wire);
        QCOMPARE(p.stockSource, QStringLiteral("warehouse"));
        QCOMPARE(p.imageVersion, std::optional<QString>(QStringLiteral("v2")));
        // Storage spelling does not convert: the snake key is unknown there and the field is missing.
        QVERIFY(!decodes<Product>(fullProduct, KeyStyle::Storage));
        p.imagePath.reset();
        p.stock.reset();
        const QJsonObject wire = toJsonObject(p, KeyStyle::Wire);
        QVERIFY(!wire.contains("image_path"));
        QVERIFY(!wire.contains("stock"));
        QVERIFY(wire.contains("stock_source"));
        const QJsonObject storage = toJsonObject(p, KeyStyle::Storage);
        QVERIFY(storage.contains("stockSource"));
        QCOMPARE(decode<Product>(encode(p, KeyStyle::Storage), KeyStyle::Storage), p);
    }

    void integersAreStrict_data()
    {
        QTest::addColumn<QByteArray>("cents");
        QTest::addColumn<bool>("ok");
        QTest::newRow("integer") << QByteArray("1999") << true;
        QTest::newRow("negative") << QByteArray("-5") << true;
        QTest::newRow("fraction") << QByteArray("19.5") << false;
        QTest::newRow("exponent") << QByteArray("1e3") << false;
        QTest::newRow("string") << QByteArray("\"1999\"") << false;
        QTest::newRow("too large") << QByteArray("99999999999999999999") << false;
    }
    void integersAreStrict()
    {
        QFETCH(QByteArray, cents);
        const QByteArray json = R"({"request_id":"R","quote_id":"Q","expected_cents":)" + cents +
                                R"(,"tender":"card","cash_cents":0,"hold":false})";
        QTEST(decodes<CheckoutRequest>(json), "ok");
    }

    void emptyAcceptsAnyJson_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("ok");
        QTest::newRow("object") << QByteArray(R"({"ok":true})") << true;
        QTest::newRow("array") << QByteArray("[]") << true;
        QTest::newRow("null") << QByteArray("null") << true;
        QTest::newRow("empty body") << QByteArray() << false;
        QTest::newRow("html") << QByteArray("<html></html>") << false;
    }
    void emptyAcceptsAnyJson()
    {
        QFETCH(QByteArray, json);
        QTEST(decodes<Empty>(json), "ok");
        QCOMPARE(encode(Empty{}, KeyStyle::Wire), QByteArray("{}"));
    }

    // Requests kept on disk are re-sent as written, and drafts written by an
    // earlier version are read back: the direct writer must give the tree
    // writer's bytes for every kind of value a record holds.
    void writtenBytesMatchTheTreeWriter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<qint64>("cents");
        QTest::newRow("plain") << QStringLiteral("Base 36") << 1.5 << qint64(0);
        QTest::newRow("quotes, backslash, slash") << QStringLiteral(R"(say "hi" \ a/b)") << 0.1 << qint64(-1);
        QTest::newRow("control characters") << QString::fromUtf16(u"tab\t nl\n cr\r bs\b ff\f \x01 \x1f \x7f")
                                            << 1e21 << (qint64(1) << 60);
        QTest::newRow("accents and symbols") << QString::fromUtf16(u"Caf\u00e9 \u20ac \u2028 \uffff") << 3.0
                                             << qint64(1234567890123);
        QTest::newRow("outside the basic plane") << QString::fromUtf16(u"chair \U0001F4BA") << 1735689600.123
                                                 << std::numeric_limits<qint64>::max();
        QTest::newRow("lone surrogates") << QString(QStringLiteral("a") + QChar(0xd800) + QStringLiteral("b") + QChar(0xdc00)) << -2.5e-7
                                         << std::numeric_limits<qint64>::min();
        QTest::newRow("empty") << QString() << 0.0 << qint64(0);
    }
    void writtenBytesMatchTheTreeWriter()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(qint64, cents);
        ArchivedWorkspaceRequest kept;
        kept.id = text;
        kept.created = number;
        kept.draft = Draft::make();
        kept.draft.customer = Customer{text, text, text, text, text};
        kept.draft.notes = text;
        QuoteLine line;
        line.name = text;
        line.description = text;
        kept.draft.lines = {line, line};
        CheckoutTransaction checkout;
        checkout.id = text;
        checkout.amountCents = cents;
        checkout.hold = true;
        checkout.receiptUrl = text;
        checkout.created = number;
        kept.transaction = checkout;
        const auto treeBytes = [](const QJsonObject &object) {
            return QJsonDocument(object).toJson(QJsonDocument::Compact);
        };
        for (const KeyStyle style : {KeyStyle::Wire, KeyStyle::Storage}) {
            QCOMPARE(encode(kept, style), treeBytes(toJsonObject(kept, style)));
            const QJsonArray two{toJsonObject(checkout, style), toJsonObject(checkout, style)};
            QCOMPARE(encode(QList{checkout, checkout}, style), QJsonDocument(two).toJson(QJsonDocument::Compact));
            QCOMPARE(encode(QList<CheckoutTransaction>{}, style), QByteArray("[]"));
        }
    }

    void nestedFailureNamesThePath()
    {
        const QByteArray json = R"({"at":1.5,"products":[)" + fullProduct + R"(,{"id":"8"}]})";
        QString error;
        QVERIFY(!tryDecode<Catalog>(json, KeyStyle::Wire, &error));
        QVERIFY2(error.contains("products.[1]") || error.contains("products[1]"), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestCodec)
#include "tst_codec.moc"
