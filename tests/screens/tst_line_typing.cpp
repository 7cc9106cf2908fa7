// A text field bound to a quote line keeps its focus and cursor while each
// keystroke goes through the workspace and comes back as a changed row.
#include "Workspace.h"

#include "screens/EngineSetup.h"
#include "workflow/QuotePart.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

// The smallest line editor: one field per row, each keystroke sent by id.
const QByteArray scene = R"(
import QtQuick
import QtQuick.Controls
Window {
    width: 400; height: 300; visible: true
    ListView {
        anchors.fill: parent
        model: quote.lines
        delegate: TextField {
            objectName: "quantity-" + index
            required property string lineId
            required property string quantity
            required property int index
            width: 300
            text: quantity
            onTextEdited: quote.setLineQuantity(lineId, text)
        }
    }
}
)";

// Delegates are visual children of the list, not QObject children.
QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    if (item->objectName() == name) return item;
    for (QQuickItem *child : item->childItems())
        if (QQuickItem *found = findItem(child, name)) return found;
    return nullptr;
}

} // namespace

class LineTypingTest : public QObject {
    Q_OBJECT

private slots:
    void typingKeepsFocusAndCursor()
    {
        Standin backend;
        QVERIFY2(backend.started, qPrintable(backend.error));
        Workspace model(backend);
        model.signIn();
        run(model->catalogPart()->refreshCatalog());
        QuotePart &quote = *model->quotePart();
        QVERIFY(quote.addProduct(backend.server.products().first().id));

        QQmlEngine engine;
        setUpEngine(engine, *model);
        engine.rootContext()->setContextProperty(QStringLiteral("quote"), &quote);
        QQmlComponent component(&engine);
        component.setData(scene, QUrl(QStringLiteral("qrc:/typing.qml")));
        std::unique_ptr<QObject> root(component.create());
        QVERIFY2(root, qPrintable(component.errorString()));
        auto *window = qobject_cast<QQuickWindow *>(root.get());
        QVERIFY(QTest::qWaitForWindowExposed(window));

        const QString name = QStringLiteral("quantity-0");
        QQuickItem *field = findItem(window->contentItem(), name);
        QVERIFY(field);
        field->forceActiveFocus();
        QMetaObject::invokeMethod(field, "selectAll");
        QTest::keyClick(window, Qt::Key_1);
        QTest::keyClick(window, Qt::Key_2);

        QCOMPARE(findItem(window->contentItem(), name), field);
        QVERIFY(field->hasActiveFocus());
        QCOMPARE(field->property("cursorPosition").toInt(), 2);
        QCOMPARE(model->draft().lines.size(), 1);
        QCOMPARE(model->draft().lines.first().quantity, QStringLiteral("12"));
    }
};

QTEST_MAIN(LineTypingTest)
#include "tst_line_typing.moc"
