#pragma once
// The workspace fixture of the tests: a CheckoutModel on its own temporary
// storage folder with the platform fakes (keychain, browser, printer,
// settings), signed in locally or to a server; and the in-process stand-in
// server behind the recording server, with a second client that prepares
// server records.

#include "RecordingServer.h"
#include "Run.h"

#include "StandinServer.h"
#include "FakeBrowserSignIn.h"
#include "workflow/PrintService.h"
#include "server/APIClient.h"
#include "server/SessionStore.h"
#include "workflow/WorkspaceParts.h"

#include <QSettings>
#include <QTemporaryDir>

#include <atomic>

#include <memory>

class QThread;

namespace vantrel::testing {

// Records what would be printed; printability is judged as the real service does.
class RecordingPrinter : public PrintService {
public:
    struct Job {
        QByteArray document;
        QString jobName;
    };
    Check check(const QByteArray &document) const override;
    bool present(const QByteArray &document, const QString &jobName) override;

    QList<Job> jobs;
    // Where the last check ran: never the main thread.
    mutable std::atomic<QThread *> checkedOn = nullptr;
    bool windowAvailable = true;
};

// A PDF with the given number of pages, each with a black band at its top
// left (needs a QGuiApplication).
QByteArray pdfBytes(int pages = 1);
// A one-page PDF the size of a poster (24 by 36 inches).
QByteArray posterPdfBytes();
// A one-page PDF whose trailer names an encryption dictionary: it opens only with a password.
QByteArray lockedPdfBytes();

// The stand-in with demo data, reached through the recording server.
class Standin {
public:
    explicit Standin(standin::StandinOptions options = {});

    QString base() const { return front.base(); }
    NewCustomerRequest customerForm(const QString &firstName);
    NewCustomerResponse newCustomer(const QString &firstName);
    // A sent one-line quote of the customer, on the customer's deal.
    Quote newQuote(const NewCustomerResponse &owner);
    CheckoutTransaction startCheckout(APIClient &client, const Quote &quote, const QString &tender);

    standin::StandinServer server;
    RecordingServer front;
    APIClient api; // signed in as user
    const QString user = QStringLiteral("Avery Demo");
};

class Workspace {
public:
    enum Start { opened, signedIn };
    explicit Workspace(const QString &server = QStringLiteral("https://checkout.example"));
    // On the stand-in, whose session for the user the keychain holds; opened, or signed in too.
    explicit Workspace(Standin &standin, Start start = opened);
    ~Workspace();

    // A new model over the same storage folder and fakes, as at the next launch.
    CheckoutModel &open();
    // Signed in as user without any network (the model is opened first if
    // needed); the workspace files are read.
    CheckoutModel &signIn();
    CheckoutModel &signIn(const QString &user, const QString &token = QStringLiteral("token"), bool demo = false);
    // The keychain holds this session for the server, so start() signs in.
    void storeSession(const QString &token, const QString &user, bool demo = false);
    // The account as the server reports it: payments on, the given route and mode.
    void enablePayments(const QString &route = QStringLiteral("square_terminal"),
                        const QString &mode = QStringLiteral("individual_zoho"));

    QString storage() const { return dir.filePath(QStringLiteral("storage")); }
    QString draftPath(const QString &user, const QString &server = {}) const;
    QString requestsPath(const QString &user, const QString &server = {}) const;

    CheckoutModel *operator->() { return model.get(); }
    CheckoutModel &operator*() { return *model; }

    QString server;
    QString user = QStringLiteral("Avery Demo");
    QString token = QStringLiteral("token");
    bool demo = false;
    QTemporaryDir dir;
    InMemorySessionStore sessions;
    FakeBrowserSignIn browser;
    RecordingPrinter printer;
    std::unique_ptr<QSettings> settings;
    CheckoutModelServices services; // read by open()
    std::unique_ptr<CheckoutModel> model;
};

Customer customer(const QString &id);
QuoteLine line(const QString &quantity, const QString &rate);
// A draft whose quote save went out and whose outcome is not known.
Draft draftWithPendingSave();
CheckoutTransaction transaction(const QString &id, const QString &status);
QByteArray fileBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);

} // namespace vantrel::testing
