// The catalog screen's product view: filtering over keys made once, the
// category that falls back, toggles that persist, and barcode scans.
#include "Workspace.h"

#include "workflow/VisibleProducts.h"

#include <QSignalSpy>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

Product product(const QString &id, const QString &sku, const QString &category, const QString &name = {})
{
    return Product{.id = id, .name = name.isEmpty() ? sku : name, .sku = sku, .rate = QStringLiteral("10.00"),
                   .category = category};
}

const QList<Product> catalog{product("1", "B36-WS", "Base", "White Shaker 36 Base"),
                             product("2", "B36-WSX", "Base", "White Shaker 36 Base, assembled"),
                             product("3", "W930-GS", " wall "), product("4", "TK-8", "Trim"),
                             product("5", "DUP-1", "Base"), product("6", "DUP1", "Base")};

QStringList skus(const QAbstractItemModel &model)
{
    QStringList out;
    const int role = model.roleNames().key("sku");
    for (int row = 0; row < model.rowCount(); ++row) out << model.index(row, 0).data(role).toString();
    return out;
}

} // namespace

class VisibleProductsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Workspace> m_ws;
    CheckoutModel *m_model = nullptr;
    ProductListModel *m_list = nullptr;
    std::unique_ptr<VisibleProducts> m_visible;

private slots:
    void init()
    {
        m_ws = std::make_unique<Workspace>();
        m_model = &m_ws->signIn(QStringLiteral("sam"));
        m_list = makeProductList(m_model);
        m_list->assign(catalog);
        m_visible = std::make_unique<VisibleProducts>(m_list, m_model->quotePart(), m_ws->settings.get());
    }
    void cleanup()
    {
        m_visible.reset();
        m_ws.reset();
    }

    void filters_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("category");
        QTest::addColumn<bool>("assembled");
        QTest::addColumn<bool>("unassembled");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("everything, in catalog order")
            << "" << "All" << true << true << QStringList{"B36-WS", "B36-WSX", "W930-GS", "TK-8", "DUP-1", "DUP1"};
        // What matches is tst_catalog_search's; here each setting reaches the view.
        QTest::newRow("query, category and assembled off") << "36" << "Base" << false << true << QStringList{"B36-WS"};
    }
    void filters()
    {
        QFETCH(QString, query);
        QFETCH(QString, category);
        QFETCH(bool, assembled);
        QFETCH(bool, unassembled);
        QFETCH(QStringList, shown);
        m_visible->setQuery(query);
        m_visible->setCategory(category);
        m_visible->setShowAssembled(assembled);
        m_visible->setShowUnassembled(unassembled);
        QCOMPARE(skus(*m_visible), shown);
        QCOMPARE(m_visible->count(), shown.size());
    }

    // A refresh that keeps every id changes rows in place; a category that
    // goes away gives "All" back.
    void refreshKeepsRowsAndDropsAGoneCategory()
    {
        m_visible->setCategory(QStringLiteral("Uncategorized"));
        QSignalSpy resets(m_visible.get(), &QAbstractItemModel::modelReset);
        QList<Product> restocked = catalog;
        restocked[0].stock = QStringLiteral("4");
        m_list->assign(restocked);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(m_visible->category(), QStringLiteral("Uncategorized"));

        QList<Product> tidy = catalog;
        tidy[3].category = QStringLiteral("Accessories");
        m_list->assign(tidy);
        QTRY_VERIFY(!m_visible->categories().contains(QStringLiteral("Uncategorized")));
        QCOMPARE(m_visible->category(), QStringLiteral("All"));
    }

    void togglesPersist()
    {
        m_visible->setShowAssembled(false);
        VisibleProducts again(m_list, m_model->quotePart(), m_ws->settings.get());
        QVERIFY(!again.showAssembled());
        QVERIFY(again.showUnassembled());
    }

    void scans_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("lines");
        QTest::newRow("exact code, typed with other punctuation") << "b36 ws" << 1;
        QTest::newRow("unknown code") << "ZZ-1" << 0;
        QTest::newRow("two products answer to it") << "DUP1" << 0;
        QTest::newRow("a prefix is no code") << "B36" << 0;
    }
    void scans()
    {
        QFETCH(QString, typed);
        QFETCH(int, lines);
        m_visible->setQuery(typed);
        QCOMPARE(m_visible->submitScan(typed), lines == 1);
        QCOMPARE(m_model->draft().lines.size(), lines);
        QCOMPARE(m_visible->query(), lines == 1 ? QString() : typed);
        if (lines == 1) QCOMPARE(m_model->draft().lines.first().sku, QStringLiteral("B36-WS"));
    }
};

QTEST_GUILESS_MAIN(VisibleProductsTest)
#include "tst_visible_products.moc"
