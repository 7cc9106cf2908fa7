// The screens of a sale, walked through the accessibility tree the desktop's
// bridge exports: every control is named, every pressable one is a target of
// 44 points and says when it is disabled, nothing behind the error card can be
// reached, and the way between screens is taken by accessibility presses only.
#include "DemoApp.h"

#include <QAccessible>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

bool pressable(QAccessibleInterface *face)
{
    QAccessibleActionInterface *actions = face->actionInterface();
    return actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction());
}

// Roles a person operates; each must say what it does.
bool operated(QAccessible::Role role)
{
    static const QList<QAccessible::Role> roles{QAccessible::PushButton, QAccessible::CheckBox,
                                                QAccessible::RadioButton, QAccessible::ComboBox,
                                                QAccessible::EditableText, QAccessible::PageTab,
                                                QAccessible::MenuItem, QAccessible::Link};
    return roles.contains(role);
}

// Every interface below the window that is on screen, depth first.
void visibleBelow(QAccessibleInterface *face, QList<QAccessibleInterface *> &out)
{
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface *child = face->child(i);
        if (!child || child->state().invisible) continue;
        out.append(child);
        visibleBelow(child, out);
    }
}

QList<QAccessibleInterface *> visibleTree(QQuickWindow *window)
{
    QList<QAccessibleInterface *> faces;
    visibleBelow(QAccessible::queryAccessibleInterface(window), faces);
    return faces;
}

QString label(QAccessibleInterface *face)
{
    const QString name = face->text(QAccessible::Name);
    if (!name.isEmpty()) return u'"' + name + u'"';
    const QString objectName = face->object() ? face->object()->objectName() : QString();
    return objectName.isEmpty() ? QString::fromLatin1(face->object()->metaObject()->className()) : objectName;
}

QStringList problems(QQuickWindow *window)
{
    QStringList found;
    for (QAccessibleInterface *face : visibleTree(window)) {
        const bool press = pressable(face);
        if ((press || operated(face->role())) && face->text(QAccessible::Name).trimmed().isEmpty())
            found << QStringLiteral("unnamed %1").arg(label(face));
        if (!press) continue;
        const QRect rect = face->rect();
        if (rect.width() < 44 || rect.height() < 44)
            found << QStringLiteral("%1 is %2x%3").arg(label(face)).arg(rect.width()).arg(rect.height());
        auto *item = qobject_cast<QQuickItem *>(face->object());
        if (item && !item->isEnabled() && !face->state().disabled)
            found << QStringLiteral("%1 is disabled but reports itself enabled").arg(label(face));
    }
    return found;
}

// The first visible pressable interface with this name.
QAccessibleInterface *named(QQuickWindow *window, const QString &name)
{
    for (QAccessibleInterface *face : visibleTree(window))
        if (pressable(face) && face->text(QAccessible::Name) == name) return face;
    return nullptr;
}

} // namespace

class AccessibleNames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void screens_data();
    void screens();

private:
    // Presses the control of this accessible name; false when there is none.
    bool press(const QString &name);
    bool pressObject(const QString &objectName);
    bool sheetOpen(const char *objectName) { return m_app.shell->object(objectName)->property("opened").toBool(); }

    DemoApp m_app;
};

void AccessibleNames::initTestCase()
{
    // As under a screen reader: controls fill in their accessibility only then.
    QAccessible::setActive(true);
    standin::StandinOptions options;
    options.autoPayMs = 50;
    m_app.open({.server = options, .window = QSize(1280, 1300), .signedIn = false,
                .pollInterval = std::chrono::milliseconds(100)});
}

void AccessibleNames::cleanupTestCase()
{
    m_app.close();
}

bool AccessibleNames::press(const QString &name)
{
    m_app.shell->settle();
    QAccessibleInterface *face = nullptr;
    if (!QTest::qWaitFor([&] { return (face = named(m_app.shell->window(), name)) != nullptr; }, 5000)) return false;
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    m_app.shell->settle();
    return true;
}

bool AccessibleNames::pressObject(const QString &objectName)
{
    m_app.shell->settle();
    QQuickItem *item = m_app.shell->find(objectName);
    return item && press(accessibleName(item));
}

// Each row moves the app on by accessibility presses, then walks the tree.
void AccessibleNames::screens_data()
{
    QTest::addColumn<int>("step");
    int step = 0;
    for (const char *screen : {"sign-in", "sign-in waiting", "catalog", "editor with two products", "customer sheet",
                               "new customer form", "checkout sheet", "payment status", "transactions", "error over a sheet",
                               "confirmation"})
        QTest::newRow(screen) << step++;
}

void AccessibleNames::screens()
{
    QFETCH(int, step);
    QQuickWindow *window = m_app.shell->window();
    CheckoutModel &model = m_app.shell->model();
    switch (step) {
    case 0:
        m_app.shell->browser().setBehaviour(FakeBrowserSignIn::Behaviour::Wait);
        m_app.shell->actions().start();
        QTRY_VERIFY(m_app.shell->find("loginView"));
        break;
    case 1:
        QVERIFY(press(QStringLiteral("Sign in with Zoho")));
        QTRY_VERIFY(m_app.shell->browser().lastStartUrl().isValid());
        break;
    case 2:
        m_app.shell->browser().deliver(pickDemoUser(m_app.shell->browser().lastStartUrl()));
        QTRY_VERIFY_WITH_TIMEOUT(m_app.shell->find("workspaceView"), 20000);
        QTRY_VERIFY(!model.catalogPart()->products().isEmpty());
        break;
    case 3: {
        const QList<Product> products = model.catalogPart()->products();
        for (int i = 0; i < 2; ++i)
            QVERIFY(pressObject(QStringLiteral("productCard-") + products.at(i).sku));
        QTRY_COMPARE(model.draft().lines.size(), qsizetype(2));
        break;
    }
    case 4:
        QVERIFY(pressObject(QStringLiteral("customerCard")));
        QTRY_VERIFY(sheetOpen("customerSheet"));
        break;
    case 5:
        QVERIFY(press(QStringLiteral("Create new customer")));
        QTRY_VERIFY(m_app.shell->find("createCustomerButton"));
        break;
    case 6: {
        QMetaObject::invokeMethod(m_app.shell->object("customerSheet"), "close");
        QVERIFY(m_app.saveQuote(0) > 0); // the two products pressed above
        QVERIFY(pressObject(QStringLiteral("checkoutButton")));
        QTRY_VERIFY(sheetOpen("paymentSheet"));
        break;
    }
    case 7:
        QVERIFY(pressObject(QStringLiteral("startCheckoutButton")));
        QTRY_VERIFY_WITH_TIMEOUT(m_app.shell->find("paymentStatusView"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(m_app.shell->find("statusLabel")->property("text").toString(),
                                  QStringLiteral("Transaction complete"), 20000);
        break;
    case 8:
        QVERIFY(pressObject(QStringLiteral("transactionsButton")));
        QTRY_VERIFY(sheetOpen("historySheet"));
        break;
    case 9: {
        model.setError(QStringLiteral("The server did not answer."));
        QTRY_VERIFY(m_app.shell->find("errorTitle"));
        QQuickItem *card = m_app.shell->find("errorCard");
        const auto behindCard = [&] {
            QStringList reachable;
            for (QAccessibleInterface *face : visibleTree(window)) {
                auto *item = qobject_cast<QQuickItem *>(face->object());
                if (!face->text(QAccessible::Name).isEmpty() && item && !card->isAncestorOf(item)) reachable << label(face);
            }
            return reachable.join(QStringLiteral(", "));
        };
        QCOMPARE(behindCard(), QString());
        // A button that appears behind the card while it is up is hidden too.
        QQmlComponent late(qmlEngine(card));
        late.setData("import QtQuick\nimport QtQuick.Controls\nButton { text: \"Late arrival\"; Accessible.name: text }", QUrl());
        std::unique_ptr<QQuickItem> arrival(qobject_cast<QQuickItem *>(late.create()));
        QVERIFY(arrival);
        arrival->setParentItem(window->contentItem());
        QTRY_COMPARE(behindCard(), QString());
        QTRY_VERIFY(QAccessible::queryAccessibleInterface(m_app.shell->find("errorTitle"))->state().focused);
        QVERIFY(press(QStringLiteral("Dismiss")));
        QTRY_VERIFY(!model.error());
        // The sheet behind, and what came while the card was up, are reachable again.
        QVERIFY(named(window, QStringLiteral("Done")));
        QTRY_VERIFY(named(window, QStringLiteral("Late arrival")));
        break;
    }
    case 10:
        QMetaObject::invokeMethod(m_app.shell->object("historySheet"), "close");
        QVERIFY(pressObject(QStringLiteral("nextSaleButton")));
        QVERIFY(pressObject(QStringLiteral("resetWorkspaceButton")));
        QTRY_VERIFY(sheetOpen("resetConfirmation"));
        QTRY_VERIFY(QAccessible::queryAccessibleInterface(m_app.shell->find("confirmationTitle"))->state().focused);
        break;
    }
    if (QTest::currentTestFailed()) return;
    // Layouts may still be settling after the last step.
    QStringList found;
    QTRY_VERIFY2((found = problems(window)).isEmpty(), qPrintable(found.join(QStringLiteral("; "))));
}

QTEST_MAIN(AccessibleNames)
#include "tst_accessible_names.moc"
