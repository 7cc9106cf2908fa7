// Composition root of the checkout app.
#include <QApplication>
#include <QQuickWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationName(QStringLiteral("Vantrel Checkout"));
    QQuickWindow window;
    window.setTitle(QStringLiteral("Vantrel Checkout"));
    window.resize(1180, 820);
    window.show();
    return app.exec();
}
