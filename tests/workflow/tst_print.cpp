// The Qt print service: which bytes it accepts, the pages it draws, and its
// refusal to show a dialog with no window to show it over.
#include "Workspace.h"

#include "platform/print/QtPrintService.h"

#include <QApplication>
#include <QPdfDocument>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;


class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void canPrint_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("printable");
        const QByteArray pdf = pdfBytes(3);
        QTest::newRow("pdf") << pdf << true;
        QTest::newRow("leading space") << (" " + pdf) << false;
        QTest::newRow("only the magic") << QByteArray("%PDF-1.7\n") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("password locked") << lockedPdfBytes() << false;
    }

    void canPrint()
    {
        QFETCH(QByteArray, bytes);
        QTEST(QtPrintService().canPrint(bytes), "printable");
    }

    // Every page reaches the printer, each on its own sheet.
    void printPagesDrawsEveryPage()
    {
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
        QVERIFY(QtPrintService::printPages(pdfBytes(3), printer));
        QPdfDocument printed;
        QCOMPARE(printed.load(dir.filePath(QStringLiteral("out.pdf"))), QPdfDocument::Error::None);
        QCOMPARE(printed.pageCount(), 3);
        QVERIFY(!QtPrintService::printPages("<html/>", printer));
    }

    void noWindowNoDialog()
    {
        QVERIFY(QGuiApplication::topLevelWindows().isEmpty());
        QVERIFY(!QtPrintService().present(pdfBytes(1), QStringLiteral("QT-1")));
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
