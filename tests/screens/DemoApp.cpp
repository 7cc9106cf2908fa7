#include "DemoApp.h"

#include "records/Money.h"
#include "workflow/CatalogPart.h"
#include "workflow/CustomersPart.h"
#include "workflow/QuotePart.h"

#include <QCoroTask>
#include <QTest>

namespace vantrel::testing {

void DemoApp::open(Launch launch)
{
    launch.server.seed = QStringLiteral("demo");
    launch.server.stepDelayMs = 20;
    server = std::make_unique<standin::StandinServer>();
    QString problem;
    QVERIFY2(server->start(launch.server, &problem), qPrintable(problem));
    // No photos: decoded photos kept in the scene graph's texture cache
    // outlive the window (a leak report), and these tests are not about photos.
    server->injectFault({"GET", QStringLiteral("/api/items/"), standin::StandinFault::Kind::BadGateway, 0, 1 << 20});
    workspace = std::make_unique<Workspace>(server->baseUrl());
    const QString user = QStringLiteral("Avery Demo");
    if (launch.signedIn) workspace->storeSession(server->issueToken(user), user, launch.demoSession);
    if (launch.pollInterval.count() > 0) workspace->services.pollInterval = launch.pollInterval;
    shell = std::make_unique<ShellHarness>(*workspace);
    QVERIFY(shell->loaded());
    shell->resize(launch.window.width(), launch.window.height());
    if (!launch.signedIn) return;
    shell->actions().start();
    QTRY_VERIFY_WITH_TIMEOUT(shell->find(QStringLiteral("quoteEditor")) != nullptr, 20000);
    QTRY_VERIFY(!shell->model().catalogPart()->products().isEmpty());
}

qint64 DemoApp::saveQuote(int products)
{
    CheckoutModel &model = shell->model();
    QCoro::waitFor(model.customersPart()->selectCustomer(server->customers().first()));
    for (int i = 0; i < products; ++i) model.quotePart()->addProduct(model.catalogPart()->products().at(i));
    QCoro::waitFor(model.quotePart()->saveQuote());
    return model.draft().saved ? cents(model.draft().saved->total) : -1;
}

void DemoApp::close()
{
    shell.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    workspace.reset();
    server.reset();
}

} // namespace vantrel::testing
