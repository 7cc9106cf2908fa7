// Derived texts and checks on records: status labels, receipt links,
// customer form validation, recovery replies, drafts, build configuration.
#include "records/BuildConfiguration.h"
#include "records/Workspace.h"

#include <QtTest>

using namespace vantrel;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {
CheckoutTransaction transaction(const QString &status, std::optional<QString> route = {},
                                std::optional<QString> mode = {})
{
    return CheckoutTransaction{.id = "R1", .quoteId = "Q1", .status = status, .paymentRoute = route,
                               .accountingMode = mode};
}

NewCustomerRequest validCustomer()
{
    return NewCustomerRequest{.requestId = "R", .firstName = "Ada", .lastName = "Lee", .phone = "(555) 123-4567",
                              .email = "a@b.co", .campaignId = QStringLiteral("c1"), .dealAmount = QStringLiteral("12.5")};
}
} // namespace

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void statusLabel_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<std::optional<QString>>("route");
        QTest::addColumn<std::optional<QString>>("mode");
        QTest::addColumn<QString>("label");
        const std::optional<QString> none, reg = QStringLiteral("square_register"),
                                           term = QStringLiteral("square_terminal"),
                                           native = QStringLiteral("native_square_summary"),
                                           zoho = QStringLiteral("individual_zoho");
        QTest::newRow("complete native") << "complete" << reg << native << "Square payment confirmed";
        QTest::newRow("complete register zoho") << "complete" << reg << zoho << "Transaction complete";
        QTest::newRow("syncing native") << "syncing_zoho" << reg << native
                                        << QString::fromUtf8("Payment confirmed \u00B7 quote update pending");
        QTest::newRow("pending sync") << "paid_sync_pending" << none << none
                                      << QString::fromUtf8("Payment received \u00B7 syncing Zoho");
        QTest::newRow("canceled register") << "canceled" << reg << zoho << "Square invoice canceled";
        QTest::newRow("canceled no route") << "canceled" << none << none << "Payment canceled";
        QTest::newRow("other register") << "creating" << reg << none << "Preparing Square invoice";
        QTest::newRow("other no route") << "creating" << none << none << "Sending to Square";
        QTest::newRow("case matters") << "Complete" << term << none << "Sending to Square";
    }
    void statusLabel()
    {
        QFETCH(QString, status);
        QFETCH(std::optional<QString>, route);
        QFETCH(std::optional<QString>, mode);
        QTEST(transaction(status, route, mode).statusLabel(), "label");
    }

    void receiptLink_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("production") << "https://squareup.com/receipt/preview/abc" << true;
        QTest::newRow("subdomain") << "https://app.squareup.com/r/1" << true;
        QTest::newRow("sandbox subdomain") << "https://x.squareupsandbox.com/r/1" << true;
        QTest::newRow("port 443") << "https://squareup.com:443/r" << true;
        QTest::newRow("port 8443") << "https://squareup.com:8443/r" << false;
        QTest::newRow("user name") << "https://joe@squareup.com/r" << false;
        QTest::newRow("http") << "http://squareup.com/r" << false;
        QTest::newRow("look-alike suffix") << "https://squareup.com.evil.io/r" << false;
        QTest::newRow("look-alike prefix") << "https://evilsquareup.com/r" << false;
        QTest::newRow("not a url") << "https://" << false;
    }
    void receiptLink()
    {
        QFETCH(QString, url);
        CheckoutTransaction t = transaction("complete");
        t.receiptUrl = url;
        QTEST(t.receiptLink().has_value(), "accepted");
        t.receiptUrl.reset();
        QVERIFY(!t.receiptLink());
    }

    void customerValidation_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        const QString phone = "Enter a valid phone number.", amount = "Enter a deal amount with up to two decimal places.";
        QTest::newRow("valid") << "" << "" << "";
        QTest::newRow("blank first name") << "firstName" << "  \n" << "First name is required.";
        QTest::newRow("all blank: first name first") << "all" << "" << "First name is required.";
        QTest::newRow("7 digits") << "phone" << "555-1234" << "";
        QTest::newRow("6 digits") << "phone" << "555-123" << phone;
        QTest::newRow("20 digits") << "phone" << "12345678901234567890" << "";
        QTest::newRow("21 digits") << "phone" << "123456789012345678901" << phone;
        QTest::newRow("email without dot") << "email" << "a@b" << "Enter a valid email address.";
        QTest::newRow("no campaign") << "campaignId" << "" << "Select a campaign source.";
        QTest::newRow("amount 0") << "dealAmount" << "0" << "";
        QTest::newRow("amount max") << "dealAmount" << "100000000.00" << "";
        QTest::newRow("amount over max") << "dealAmount" << "100000000.01" << amount;
        QTest::newRow("amount negative") << "dealAmount" << "-1" << amount;
        QTest::newRow("amount exponent") << "dealAmount" << "1e3" << amount;
        QTest::newRow("amount leading point") << "dealAmount" << ".5" << amount;
        QTest::newRow("amount three places") << "dealAmount" << "1.234" << amount;
        QTest::newRow("amount empty") << "dealAmount" << "" << amount;
    }
    void customerValidation()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        NewCustomerRequest r = field == "all" ? NewCustomerRequest{} : validCustomer();
        if (field == "firstName") r.firstName = value;
        if (field == "email") r.email = value;
        if (field == "phone") r.phone = value;
        if (field == "campaignId") r.campaignId = value;
        if (field == "dealAmount") r.dealAmount = value;
        QTEST(r.validationMessage().value_or(QString()), "message");
    }

    void checkoutRecovery_data()
    {
        QTest::addColumn<QString>("requestId");
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("safe");
        QTest::addColumn<bool>("withTransaction");
        QTest::addColumn<QString>("message");
        const QString different = "The server returned a different checkout request. Your saved request has been kept.";
        const QString unconfirmed = "The payment status is not confirmed. Your saved request has been kept.";
        QTest::newRow("aborted") << "R1" << "aborted" << true << false << "";
        QTest::newRow("transaction") << "R1" << "transaction" << false << true << "";
        QTest::newRow("other request") << "R2" << "aborted" << true << false << different;
        QTest::newRow("aborted not safe") << "R1" << "aborted" << false << false << unconfirmed;
        QTest::newRow("aborted with transaction") << "R1" << "aborted" << true << true << unconfirmed;
        QTest::newRow("transaction missing") << "R1" << "transaction" << false << false << unconfirmed;
        QTest::newRow("unknown state") << "R1" << "pending" << false << true << unconfirmed;
    }
    void checkoutRecovery()
    {
        QFETCH(QString, requestId);
        QFETCH(QString, state);
        QFETCH(bool, safe);
        QFETCH(bool, withTransaction);
        QFETCH(QString, message);
        const CheckoutRequest pending{.requestId = "R1", .quoteId = "Q1", .expectedCents = 100, .tender = "card",
                                      .cashCents = 100, .hold = false};
        CheckoutRequestRecovery reply{.requestId = requestId, .quoteId = "Q1", .state = state, .safeToClear = safe,
                                      .message = ""};
        if (withTransaction) reply.transaction = transaction("awaiting_payment");
        QString thrown;
        try {
            reply.validate(pending);
        } catch (const APIError &e) {
            thrown = e.error;
        }
        QCOMPARE(thrown, message);
    }

    void customerRecovery_data()
    {
        QTest::addColumn<QString>("requestId");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("dealAccount");
        QTest::addColumn<QString>("message");
        const QString unverified = "Customer creation could not be verified. Your saved details have been kept.";
        QTest::newRow("completed") << "R" << "completed" << "A1" << "";
        QTest::newRow("deal of another account") << "R" << "completed" << "A2" << unverified;
        QTest::newRow("other request") << "X" << "completed" << "A1"
                                       << "The server returned a different customer request. Your saved details have been kept.";
        QTest::newRow("aborted with records") << "R" << "aborted" << "A1" << unverified;
    }
    void customerRecovery()
    {
        QFETCH(QString, requestId);
        QFETCH(QString, state);
        QFETCH(QString, dealAccount);
        QFETCH(QString, message);
        CustomerRequestRecovery reply{.requestId = requestId, .state = state,
                                      .safeToClear = state == QLatin1String("aborted"), .message = ""};
        reply.customer = Customer{.id = "C1", .name = "Ada", .email = "", .phone = "", .accountId = "A1"};
        reply.deal = Deal{.id = "D1", .name = "Deal", .number = "", .accountId = dealAccount, .driveUrl = "", .crmUrl = ""};
        QString thrown;
        try {
            reply.validate(validCustomer());
        } catch (const APIError &e) {
            thrown = e.error;
        }
        QCOMPARE(thrown, message);
    }

    // A new draft has two request ids of its own; stored, it reads back whole or
    // not at all (absent optionals are left out: tst_codec, wireKeysAndAbsentOptionals).
    void storedDraftIsStrict_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<bool>("ok");
        QTest::newRow("complete") << "" << true;
        QTest::newRow("dirty missing") << "dirty" << false;
        QTest::newRow("checkout id missing") << "checkoutRequestId" << false;
        QTest::newRow("lines missing") << "lines" << false;
    }
    void storedDraftIsStrict()
    {
        QFETCH(QString, removed);
        Draft d = Draft::make();
        d.customer = Customer{.id = "C", .name = "N", .email = "", .phone = "", .accountId = "A"};
        QVERIFY(d.requestId != d.checkoutRequestId);
        QCOMPARE(d.requestId.size(), 36);
        QJsonObject o = toJsonObject(d, KeyStyle::Storage);
        QVERIFY(o.value("customer").toObject().contains("accountId"));
        o.remove(removed);
        const std::optional<Draft> read = tryDecode<Draft>(QJsonDocument(o).toJson(), KeyStyle::Storage);
        QTEST(read.has_value(), "ok");
        if (read) QCOMPARE(*read, d);
    }

    void buildConfiguration_data()
    {
        QTest::addColumn<QVariantMap>("info");
        QTest::addColumn<std::optional<QString>>("saved");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("scheme");
        const QString host = productionHost();
        auto preview = [&](const QString &address, const QString &scheme) {
            return QVariantMap{{"VantrelIsPreview", "YES"}, {"VantrelDefaultServer", address}, {"VantrelCallbackScheme", scheme}};
        };
        const QString pr42 = "https://pr-42." + host;
        const std::optional<QString> none, saved = QStringLiteral("https://mine.example");
        QTest::newRow("production default") << QVariantMap{} << none << false << productionServer() << "vantrelcheckout";
        QTest::newRow("production saved") << QVariantMap{} << saved << false << *saved << "vantrelcheckout";
        QTest::newRow("lower-case yes") << QVariantMap{{"VantrelIsPreview", "yes"}} << none << false << productionServer() << "vantrelcheckout";
        QTest::newRow("boolean true") << QVariantMap{{"VantrelIsPreview", true}} << none << false << productionServer() << "vantrelcheckout";
        QTest::newRow("valid preview") << preview(pr42, "vantrelcheckout-pr42") << saved << true << pr42 << "vantrelcheckout-pr42";
        QTest::newRow("preview slash path") << preview(pr42 + "/", "vantrelcheckout-pr42") << none << true << pr42 + "/" << "vantrelcheckout-pr42";
        QTest::newRow("other number") << preview(pr42, "vantrelcheckout-pr43") << none << true << "" << "";
        QTest::newRow("leading zero") << preview("https://pr-042." + host, "vantrelcheckout-pr042") << none << true << "" << "";
        QTest::newRow("port") << preview("https://pr-42." + host + ":8443", "vantrelcheckout-pr42") << none << true << "" << "";
        QTest::newRow("path") << preview(pr42 + "/x", "vantrelcheckout-pr42") << none << true << "" << "";
        QTest::newRow("query") << preview(pr42 + "?a=1", "vantrelcheckout-pr42") << none << true << "" << "";
        QTest::newRow("fragment") << preview(pr42 + "#f", "vantrelcheckout-pr42") << none << true << "" << "";
        QTest::newRow("http") << preview("http://pr-42." + host, "vantrelcheckout-pr42") << none << true << "" << "";
        QTest::newRow("upper-case host") << preview("https://PR-42." + host, "vantrelcheckout-pr42") << none << true << "" << "";
        QTest::newRow("scheme missing") << QVariantMap{{"VantrelIsPreview", "YES"}, {"VantrelDefaultServer", pr42}} << none << true << "" << "";
    }
    void buildConfiguration()
    {
        QFETCH(QVariantMap, info);
        QFETCH(std::optional<QString>, saved);
        QFETCH(bool, preview);
        QFETCH(QString, server);
        const auto config = CheckoutBuildConfiguration::make(info, saved);
        QCOMPARE(config.isPreview, preview);
        QCOMPARE(config.server, server);
        QTEST(config.callbackScheme, "scheme");
        QCOMPARE(config.defaultServer, preview ? server : productionServer());
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
