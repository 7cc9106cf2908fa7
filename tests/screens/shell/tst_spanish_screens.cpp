// The screens in Spanish: a walk from sign-in through the catalog and the
// editor to the checkout sheet finds each screen's Spanish words and none of
// the English texts they translate; a change of language while signed in
// relabels the screens at once and keeps what was typed.
#include "DemoApp.h"

#include "screens/controls/text/LanguageChoice.h"

#include <QCoroTask>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QXmlStreamReader>

using namespace vantrel;
using namespace vantrel::testing;
using screens::LanguageChoice;

namespace {

// The English texts the Spanish file gives other words: none of them may be
// left on a Spanish screen.
QStringList translatedSources()
{
    QFile file(QStringLiteral(TRANSLATIONS_DIR "/vantrel_es.ts"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&file);
    QStringList sources;
    QString source;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement()) continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!source.trimmed().isEmpty() && translation != source) sources.append(source);
        }
    }
    return sources;
}

// English texts on the screen: whole texts equal to a source, and longer
// sources (two words or more) standing inside a text.
QStringList englishLeft(const QStringList &visible, const QStringList &sources)
{
    QStringList left;
    for (const QString &text : visible) {
        for (QString source : sources) {
            source.replace(QStringLiteral("%1"), QString()).replace(QStringLiteral("%n"), QString());
            source = source.trimmed();
            if (source.isEmpty()) continue;
            const bool whole = text.trimmed() == source;
            const bool inside = source.count(u' ') >= 1 && source.size() >= 10 && text.contains(source);
            if (whole || inside) left.append(QStringLiteral("\"%1\" in \"%2\"").arg(source, text));
        }
    }
    return left;
}

} // namespace

class SpanishScreens : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { LanguageChoice::instance()->setChoice(QString()); }
    void walk();
    void switchWhileTyping();

private:
    void check(const DemoApp &app, const QString &screen, const QStringList &spanish);
};

void SpanishScreens::check(const DemoApp &app, const QString &screen, const QStringList &spanish)
{
    app.shell->settle();
    const QStringList visible = app.shell->visibleTexts();
    for (const QString &text : spanish)
        QVERIFY2(visible.contains(text), qPrintable(screen + QStringLiteral(": no \"") + text +
                                                    QStringLiteral("\" among ") + visible.join(u'|')));
    const QStringList left = englishLeft(visible, translatedSources());
    QVERIFY2(left.isEmpty(), qPrintable(screen + QStringLiteral(": English left: ") + left.join(QStringLiteral(", "))));
}

// Each screen of the walk shows these Spanish words.
void SpanishScreens::walk()
{
    QVERIFY(!translatedSources().isEmpty());
    LanguageChoice::instance()->setChoice(QStringLiteral("es"));

    DemoApp app;
    app.open({.window = QSize(1280, 1300), .signedIn = false});
    if (QTest::currentTestFailed()) return;
    ShellHarness &shell = *app.shell;
    QTRY_VERIFY(shell.find(QStringLiteral("loginView")));
    check(app, QStringLiteral("sign-in"),
          {QStringLiteral("Iniciar sesión"), QStringLiteral("Entrar con Zoho"), QStringLiteral("Servidor de Checkout")});
    if (QTest::currentTestFailed()) return;

    QSignalSpy finished(&shell.actions(), &ShellActions::signInFinished);
    shell.tap(shell.find(QStringLiteral("signInButton")));
    QTRY_VERIFY(shell.browser().lastStartUrl().isValid());
    shell.browser().deliver(pickDemoUser(shell.browser().lastStartUrl()));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(shell.find(QStringLiteral("productGrid")) != nullptr, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!shell.model().catalogPart()->products().isEmpty(), 20000);
    check(app, QStringLiteral("catalog"),
          {QStringLiteral("Productos"), QStringLiteral("Actualizar inventario"), QStringLiteral("Transacciones")});
    if (QTest::currentTestFailed()) return;

    QVERIFY(app.saveQuote(1) > 0);
    check(app, QStringLiteral("editor"), {QStringLiteral("Datos de la cotización"),
                                          QStringLiteral("Artículos de la cotización"), QStringLiteral("Cobrar")});
    if (QTest::currentTestFailed()) return;

    QVERIFY(shell.tapNamed(QStringLiteral("checkoutButton")));
    QTRY_VERIFY(shell.object(QStringLiteral("paymentSheet"))->property("opened").toBool());
    check(app, QStringLiteral("checkout sheet"), {QStringLiteral("Forma de pago"), QStringLiteral("Tarjeta · Terminal"),
                                                  QStringLiteral("Efectivo"), QStringLiteral("Cancelar")});
}

// A language chosen while signed in: the header's and the editor's words
// change at once (QML's own and those the faces work out in C++), the money
// follows the language's locale, and the search typed stays. Started in
// Spanish, the window goes to English, then back to Spanish.
void SpanishScreens::switchWhileTyping()
{
    LanguageChoice::instance()->setChoice(QStringLiteral("es"));
    DemoApp app;
    app.open({.window = QSize(1280, 1300)});
    if (QTest::currentTestFailed()) return;
    ShellHarness &shell = *app.shell;
    CheckoutModel &model = shell.model();
    model.quotePart()->addProduct(model.catalogPart()->products().at(0));
    QQuickItem *search = shell.find(QStringLiteral("catalogSearchField"));
    QVERIFY(search);
    search->setProperty("text", QStringLiteral("chai"));
    shell.settle();
    const auto text = [&](const char *name) {
        return shell.find(QString::fromLatin1(name))->property("text").toString();
    };
    QCOMPARE(text("transactionsButton"), QStringLiteral("Transacciones"));

    const QList<QStringList> switches{{QStringLiteral("en"), QStringLiteral("Transactions"), QStringLiteral("New quote"),
                                       QStringLiteral("1 line")},
                                      {QStringLiteral("es"), QStringLiteral("Transacciones"),
                                       QStringLiteral("Nueva cotización"), QStringLiteral("1 línea")}};
    for (const QStringList &to : switches) {
        QSignalSpy changed(LanguageChoice::instance(), &LanguageChoice::changed);
        LanguageChoice::instance()->setChoice(to[0]);
        QCOMPARE(changed.count(), 1);
        shell.settle();
        QCOMPARE(text("transactionsButton"), to[1]);
        QCOMPARE(text("editorSubtitle"), to[2]);
        QCOMPARE(text("lineCount"), to[3]);
        QCOMPARE(text("catalogSearchField"), QStringLiteral("chai"));
        QCOMPARE(model.draft().lines.size(), 1);
        QCOMPARE(QLocale().language(), to[0] == QLatin1String("es") ? QLocale::Spanish : QLocale::English);
    }
}

QTEST_MAIN(SpanishScreens)
#include "tst_spanish_screens.moc"
