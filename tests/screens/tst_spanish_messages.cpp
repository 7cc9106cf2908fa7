// The messages the lower layers raise (the client, the session store, voice
// search, the files, the decoder, typed amounts, the browser sign-in) come out
// in the language chosen while the app runs, not the one in force when their
// texts were first set up.
#include "media/VoiceSearch.h"
#include "records/Codec.h"
#include "records/Reference.h"
#include "records/TypedAmount.h"
#include "screens/controls/text/LanguageChoice.h"
#include "server/APIClient.h"
#include "server/BrowserSignIn.h"
#include "server/SessionStore.h"
#include "workflow/AtomicFile.h"

#include "Run.h"

#include <QCoroTask>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace vantrel;
using screens::LanguageChoice;

using Message = std::function<QString(const QString &folder)>;
Q_DECLARE_METATYPE(Message)

namespace {

template <class Failing> QString thrown(Failing failing)
{
    try {
        failing();
    } catch (const APIError &e) {
        return e.error;
    } catch (const DecodingError &e) {
        return e.text();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("(nothing thrown)");
}

QString refusedStore(bool writing)
{
    InMemorySessionStore store;
    store.refuseChanges = true;
    return thrown([&] {
        QCoro::Task<void> task = writing ? store.write(QStringLiteral("a"), QByteArray("b"))
                                         : store.remove(QStringLiteral("a"));
        testing::finish(std::move(task));
    });
}

} // namespace

class SpanishMessages : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { LanguageChoice::instance()->use(QString()); }

    void raisedInTheChosenLanguage_data()
    {
        QTest::addColumn<Message>("message");
        // The whole text, or its start where the system adds its own reason.
        QTest::addColumn<QString>("spanish");
        QTest::addColumn<bool>("whole");

        QTest::newRow("keychain write")
            << Message([](const QString &) { return refusedStore(true); })
            << "No se pudo guardar el inicio de sesión en el llavero de este dispositivo." << true;
        QTest::newRow("voice search without permission")
            << Message([](const QString &) {
                   VoiceSearch voice(VoiceSearch::Platform{});
                   QCoro::Task<void> task = voice.toggleAsync();
                   testing::finish(std::move(task));
                   return voice.message();
               })
            << "Active el micrófono y el reconocimiento de voz en los ajustes de este dispositivo para usar la "
               "búsqueda por voz."
            << true;
        QTest::newRow("browser took too long")
            << Message([](const QString &) { return BrowserTimeoutError().text(); })
            << "El inicio de sesión tardó demasiado. Inicie sesión de nuevo." << true;
        QTest::newRow("file write into a missing folder")
            << Message([](const QString &folder) {
                   return thrown([&] { AtomicFile::write(folder + QStringLiteral("/missing/draft.json"), "{}"); });
               })
            << "No se pudo crear un archivo junto a " << false;
        QTest::newRow("record field missing")
            << Message([](const QString &) {
                   return thrown([] { (void)decode<Tax>(R"({"name":"State","percentage":"8.25"})", KeyStyle::Wire, "tax"); });
               })
            << "Los datos no se pudieron leer como tax: falta el campo «id»." << true;
        QTest::newRow("cash unreadable")
            << Message([](const QString &) { return readTypedAmount(u"veinte", cashReceivedLabel()).problem; })
            << "No se pudo leer «Efectivo recibido». Escriba un importe como 20,00." << true;
    }
    void raisedInTheChosenLanguage()
    {
        QFETCH(Message, message);
        QFETCH(QString, spanish);
        QFETCH(bool, whole);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // English first, as at start-up, then Spanish chosen while running.
        const QString english = message(folder.path());
        LanguageChoice::instance()->use(QStringLiteral("es"));
        const QString text = message(folder.path());
        if (whole)
            QCOMPARE(text, spanish);
        else
            QVERIFY2(text.startsWith(spanish), qPrintable(text));
        LanguageChoice::instance()->use(QStringLiteral("en"));
        QCOMPARE(message(folder.path()), english);
        QVERIFY(english != text);
    }
};

QTEST_GUILESS_MAIN(SpanishMessages)
#include "tst_spanish_messages.moc"
