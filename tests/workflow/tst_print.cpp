// The Qt print service: which bytes it accepts, the pages it draws, and its
// refusal to show a dialog with no window to show it over.
#include "Workspace.h"

#include "platform/print/QtPrintService.h"

#include <QApplication>
#include <QPdfDocument>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using namespace vantrel;
using namespace vantrel::testing;

Q_DECLARE_METATYPE(vantrel::PrintService::Check)


class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void check_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<PrintService::Check>("check");
        const QByteArray pdf = pdfBytes(3);
        QTest::newRow("pdf") << pdf << PrintService::Check::printable;
        QTest::newRow("leading space") << (" " + pdf) << PrintService::Check::unreadable;
        QTest::newRow("only the magic") << QByteArray("%PDF-1.7\n") << PrintService::Check::unreadable;
        QTest::newRow("empty") << QByteArray() << PrintService::Check::unreadable;
        QTest::newRow("password locked") << lockedPdfBytes() << PrintService::Check::unreadable;
        QTest::newRow("poster page") << posterPdfBytes() << PrintService::Check::pageTooLarge;
    }

    void check()
    {
        QFETCH(QByteArray, bytes);
        QTEST(QtPrintService().check(bytes), "check");
    }

    // Page sizes come from the file: no size converts to pixels unchecked.
    void renderSize_data()
    {
        QTest::addColumn<QSizeF>("points");
        QTest::addColumn<QSize>("pixels"); // empty: refused
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("letter") << QSizeF(612, 792) << QSize(2550, 3300);
        QTest::newRow("A3") << QSizeF(842, 1191) << QSize(3508, 4963);
        QTest::newRow("poster") << QSizeF(1728, 2592) << QSize();
        QTest::newRow("past int") << QSizeF(1e12, 1) << QSize();
        QTest::newRow("infinite") << QSizeF(inf, 792) << QSize();
        QTest::newRow("not a number") << QSizeF(std::nan(""), 792) << QSize();
        QTest::newRow("negative") << QSizeF(-612, -792) << QSize();
        QTest::newRow("below a pixel") << QSizeF(0.1, 792) << QSize();
    }
    void renderSize()
    {
        QFETCH(QSizeF, points);
        QTEST(QtPrintService::renderSize(points).value_or(QSize()), "pixels");
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
        QVERIFY(!QtPrintService::printPages(posterPdfBytes(), printer));
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
