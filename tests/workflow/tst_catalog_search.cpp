// Catalog rules: category chips, the assembled and category filters, typed and
// spoken search, each checked through the precomputed keys and the one-off matcher.
#include "workflow/VoiceVocabulary.h"
#include "workflow/CatalogSearch.h"
#include "workflow/CatalogSearchIndex.h"

#include <QtTest>

using namespace vantrel;

namespace {

Product item(const QString &sku, const QString &name, const QString &description, const QString &category)
{
    return Product{.id = sku, .name = name, .sku = sku, .description = description, .category = category};
}

const QList<Product> &catalog()
{
    static const QList<Product> products{
        item("WS-36-B", "Shaker Cabinet", "Full overlay door", "Base"),
        item("B24-WO", "Oak Base Cabinet", "Two drawers", "base "),
        item("W3630-GS", "Graphite Wall", "36 inch wide", "Wall"),
        item(" b36-wsx ", "White Shaker Base Assembled", "Factory built", "Base"),
        item("V1001-WO", "Oak Vanity", "Single sink", "\n vanity "),
        item("F33-WS", "Filler 33", "Trim piece", "Trim"),
        item(QString::fromUtf8("C-ÉTÉ-1"), QString::fromUtf8("Crème Cabinet 🛁"), QString::fromUtf8("Façade"), "Wall"),
    };
    return products;
}

QStringList skusOf(const QList<qsizetype> &rows)
{
    QStringList skus;
    for (const qsizetype row : rows) skus << catalog()[row].sku;
    return skus;
}

} // namespace

class TestCatalogSearch : public QObject {
    Q_OBJECT
private slots:
    void categories_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("normalized");
        QTest::newRow("lower case with spaces") << " vanity\n" << "Vanity";
        QTest::newRow("another word") << "Hardware" << QString(uncategorizedCategory);
        QTest::newRow("empty") << "" << QString(uncategorizedCategory);
    }
    void categories()
    {
        QFETCH(QString, category);
        QFETCH(QString, normalized);
        const QList<Product> products{item("A1", "a", "", "Base"), item("A2", "b", "", category)};
        QCOMPARE(normalizedCategory(products[1]), normalized);

        const bool outside = normalized == uncategorizedCategory;
        const QStringList chips = catalogCategories(products);
        QCOMPARE(chips.first(), QString(allCategory));
        QCOMPARE(chips.size(), qsizetype(1 + fixedCategories.size() + (outside ? 1 : 0)));
        QCOMPARE(chips.contains(uncategorizedCategory), outside);
        // A refresh that leaves no product outside the fixed list drops a selected "Uncategorized".
        QCOMPARE(keptCategory(uncategorizedCategory, chips), outside ? QString(uncategorizedCategory)
                                                                     : QString(allCategory));
        QCOMPARE(keptCategory(normalized, chips), normalized);
    }

    void search_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("found");
        QStringList all;
        for (const Product &p : catalog()) all << p.sku;
        QTest::newRow("empty") << "" << all;
        // The first through its SKU alone, the assembled one through its name's words.
        QTest::newRow("spoken finish and size") << "white shaker 36" << QStringList{"WS-36-B", " b36-wsx "};
        QTest::newRow("dash typed or not") << "ws36" << QStringList{"WS-36-B"};
        QTest::newRow("two words need both") << "36 base" << QStringList{" b36-wsx "};
        QTest::newRow("number in three SKUs, catalog order") << "36"
                                                             << QStringList{"WS-36-B", "W3630-GS", " b36-wsx "};
        QTest::newRow("part number read digit by digit") << "one zero zero one" << QStringList{"V1001-WO"};
        QTest::newRow("spoken number in a name") << "filler thirty three" << QStringList{"F33-WS"};
        QTest::newRow("no letters or digits: words only") << "---" << QStringList{};
        QTest::newRow("nothing") << "walnut" << QStringList{};
        const QStringList summer{QString::fromUtf8("C-ÉTÉ-1")};
        QTest::newRow("accented word") << QString::fromUtf8("CRÈME") << summer;
        QTest::newRow("accented SKU, dashes dropped") << QString::fromUtf8("été1") << summer;
        QTest::newRow("a character outside the basic plane") << QString::fromUtf8("🛁") << summer;
        QTest::newRow("half of one, matched as the text holds it") << QString(QChar(0xD83D)) << summer;
        QTest::newRow("replacement character") << QString(QChar(0xFFFD)) << QStringList{};
    }
    void search()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, found);
        CatalogFilter filter;
        filter.query = query;
        static const QList<CatalogSearchKey> keys = catalogSearchKeys(catalog());
        QCOMPARE(skusOf(visibleProductRows(keys, filter)), found);
        // The index, whose remembered words carry over from the rows before.
        static CatalogSearchIndex index(keys);
        QCOMPARE(skusOf(visibleProductRows(keys, index, filter)), found);
        QStringList oneByOne;
        for (const Product &p : catalog()) {
            if (matchesSearch(p, query)) oneByOne << p.sku;
        }
        QCOMPARE(oneByOne, found);
    }

    void filters_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<bool>("assembled");
        QTest::addColumn<bool>("unassembled");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("category, spelled loosely in the catalog")
            << "Base" << true << true << "" << QStringList{"WS-36-B", "B24-WO", " b36-wsx "};
        QTest::newRow("unassembled only") << "Base" << false << true << "" << QStringList{"WS-36-B", "B24-WO"};
        QTest::newRow("assembled only, SKU trimmed and upper-cased")
            << "All" << true << false << "" << QStringList{" b36-wsx "};
        QTest::newRow("both off") << "All" << false << false << "" << QStringList{};
        QTest::newRow("uncategorized") << QString(uncategorizedCategory) << true << true << "" << QStringList{"F33-WS"};
        QTest::newRow("category and search") << "Vanity" << true << true << "oak" << QStringList{"V1001-WO"};
    }
    void filters()
    {
        QFETCH(QString, category);
        QFETCH(bool, assembled);
        QFETCH(bool, unassembled);
        QFETCH(QString, query);
        const CatalogFilter filter{category, assembled, unassembled, query};
        QTEST(skusOf(visibleProductRows(catalogSearchKeys(catalog()), filter)), "found");
    }

    void spokenNumbers_data()
    {
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("text");
        QTest::newRow("finish, size and word") << "white shaker thirty six base" << "ws 36 base";
        QTest::newRow("pairs read as a year") << "twenty twenty" << "2020";
        QTest::newRow("numbers on both sides of a word") << "twelve b thirty" << "12 b 30";
    }
    void spokenNumbers()
    {
        QFETCH(QString, spoken);
        QTEST(spokenSearchText(spoken), "text");
    }

    void phrases_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<bool>("offered");
        QTest::newRow("whole name, number spelled") << "Base Cabinet 36" << "base cabinet thirty six" << true;
        QTest::newRow("leading words") << "Lazy Susan Corner Cabinet" << "lazy susan corner" << true;
        QTest::newRow("one word is too few") << "Lazy Susan Corner Cabinet" << "lazy" << false;
        QTest::newRow("words from the middle") << "Lazy Susan Corner Cabinet" << "susan corner" << false;
        QTest::newRow("a number is never cut") << "Hinge 1001" << "hinge one zero" << false;
    }
    void phrases()
    {
        QFETCH(QString, name);
        QFETCH(QString, phrase);
        QTEST(catalogPhrases({item("X1", name, QString(), "Base")}).contains(phrase), "offered");
    }

    // Every number the recogniser's vocabulary spells out comes back as its digits.
    void spokenNumbersReadBack()
    {
        for (int n = 0; n < 1000; ++n) QCOMPARE(spokenSearchText(spokenNumber(n)), QString::number(n));
    }
};

QTEST_GUILESS_MAIN(TestCatalogSearch)
#include "tst_catalog_search.moc"
