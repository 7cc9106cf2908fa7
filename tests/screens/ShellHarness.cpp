#include "ShellHarness.h"

#include <QPointer>

#include "screens/EngineSetup.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QCoroTask>
#include <QQuickStyle>
#include <QTest>
#include <QtQuickTest/quicktest.h>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Vantrel_CheckoutPlugin)

namespace vantrel::testing {

ShellHarness::ShellHarness(bool preview)
    : m_owned(std::make_unique<Workspace>(preview ? QStringLiteral("https://pr-42.checkout.vantrel.com")
                                                  : QStringLiteral("https://checkout.vantrel.com"))),
      m_ws(m_owned.get())
{
    if (preview) {
        m_ws->services.build->isPreview = true;
        m_ws->services.build->callbackScheme = QStringLiteral("vantrelcheckout-pr42");
    }
    load();
}

ShellHarness::ShellHarness(Workspace &workspace) : m_ws(&workspace)
{
    load();
}

void ShellHarness::load()
{
    static const bool styled = [] {
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        return true;
    }();
    Q_UNUSED(styled);
    if (!m_ws->model) m_ws->open();
    m_actions = std::make_unique<ShellActions>(m_ws->model.get());
    m_engine = std::make_unique<QQmlApplicationEngine>();
    setUpEngine(*m_engine, *m_ws->model);
    m_engine->setInitialProperties({{QStringLiteral("workspace"), QVariant::fromValue<QObject *>(m_ws->model.get())},
                                    {QStringLiteral("actions"), QVariant::fromValue<QObject *>(m_actions.get())}});
    m_engine->load(vantrel::mainWindowUrl());
    if (!m_engine->rootObjects().isEmpty()) m_window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().first());
    if (m_window) {
        m_window->resize(1180, 820);
        QTest::qWaitForWindowExposed(m_window);
        settle();
    }
}

ShellHarness::~ShellHarness()
{
    // The screens go before the model they observe; the window's textures
    // are released by deferred deletes that must run before the model goes.
    if (m_window) m_window->releaseResources();
    m_engine.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    m_actions.reset();
    m_owned.reset();
}

namespace {

void collect(QQuickItem *item, const std::function<bool(QQuickItem *)> &visit)
{
    if (!item) return;
    if (!visit(item)) return;
    const auto children = item->childItems();
    for (QQuickItem *child : children) collect(child, visit);
}

} // namespace

QQuickItem *ShellHarness::find(const QString &objectName, bool visibleOnly) const
{
    QQuickItem *found = nullptr;
    collect(m_window->contentItem(), [&](QQuickItem *item) {
        if (found) return false;
        if (visibleOnly && !item->isVisible()) return false;
        if (item->objectName() == objectName) {
            found = item;
            return false;
        }
        return true;
    });
    return found;
}

QObject *ShellHarness::object(const QString &objectName) const
{
    for (QObject *root : m_engine->rootObjects()) {
        if (root->objectName() == objectName) return root;
        if (QObject *found = root->findChild<QObject *>(objectName)) return found;
    }
    return nullptr;
}

QStringList ShellHarness::visibleTexts() const
{
    QStringList texts;
    collect(m_window->contentItem(), [&](QQuickItem *item) {
        if (!item->isVisible() || item->opacity() == 0) return false;
        if (item->inherits("QQuickText") || item->inherits("QQuickTextInput") || item->inherits("QQuickTextEdit")) {
            const QString text = item->property("text").toString();
            if (!text.isEmpty()) texts.append(text);
        }
        return true;
    });
    return texts;
}

void ShellHarness::tap(QQuickItem *item)
{
    // Where a person would tap: after the layout that is pending (a list that
    // just filled, a sheet still sizing itself) has placed the item.
    QPointer<QQuickItem> target(item);
    settle();
    if (!target) return;
    const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    settle();
}

bool ShellHarness::tapNamed(const QString &objectName)
{
    settle(); // layouts follow the last model change before positions are read
    QPointer<QQuickItem> item = find(objectName); // it may go while it waits, with its sheet
    if (!item || !QTest::qWaitFor([&] { return !item || item->isEnabled(); }) || !item) return false;
    reveal(item);
    settle();
    tap(item);
    return true;
}

void ShellHarness::resize(int width, int height)
{
    m_window->resize(width, height);
    settle();
}

void ShellHarness::settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        if (m_window) QQuickTest::qWaitForPolish(m_window);
    }
    QTest::qWait(1);
}

QUrl pickDemoUser(const QUrl &startUrl)
{
    FakeBrowserSignIn person; // takes the page's first choice, then follows the redirect
    return QCoro::waitFor(person.authenticate(startUrl, QStringLiteral("vantrelcheckout")));
}

QString accessibleName(QQuickItem *item)
{
    QAccessibleInterface *face = item ? QAccessible::queryAccessibleInterface(item) : nullptr;
    return face ? face->text(QAccessible::Name) : QString();
}

QQuickItem *child(QQuickItem *item, const QString &name)
{
    if (!item) return nullptr;
    for (QQuickItem *c : item->childItems()) {
        if (c->objectName() == name && c->isVisible()) return c;
        if (QQuickItem *found = child(c, name)) return found;
    }
    return nullptr;
}

QList<QQuickItem *> visibleBelow(QQuickItem *item, const char *type)
{
    QList<QQuickItem *> found;
    collect(item, [&](QQuickItem *shown) {
        if (!shown->isVisible()) return false;
        if (!type || shown->inherits(type)) found.append(shown);
        return true;
    });
    return found;
}

void reveal(QQuickItem *item)
{
    for (QQuickItem *p = item ? item->parentItem() : nullptr; p; p = p->parentItem()) {
        if (!p->inherits("QQuickFlickable")) continue;
        const QPointF inView = item->mapToItem(p, QPointF(0, 0));
        const qreal contentY = p->property("contentY").toReal();
        if (inView.y() < 0 || inView.y() + item->height() > p->height())
            p->setProperty("contentY", qMax<qreal>(0, contentY + inView.y() - 40));
        return;
    }
}

} // namespace vantrel::testing
