// The web page with a certificate: https only, and the session cookie marked Secure.
#include "WebFixtures.h"

#include "support/TestEnvironment.h"
#include "core/Clock.h"
#include "web/WebHub.h"
#include "web/WebServer.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <httplib.h>

namespace {

// A self-signed certificate for 127.0.0.1 in dir; false when openssl is not at hand.
bool MakeCertificate(const QString& dir)
{
    QProcess openssl;
    openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1",
                              "-keyout", dir + "/key.pem", "-out", dir + "/cert.pem"});
    return openssl.waitForFinished(30000) && openssl.exitStatus() == QProcess::NormalExit && openssl.exitCode() == 0;
}

TWebSettings TlsSettings(const QString& dir)
{
    TWebSettings settings = LoopbackSettings();
    settings.Certificate = dir + "/cert.pem";
    settings.Key = dir + "/key.pem";
    return settings;
}

}  // namespace

TEST(WebTls, HttpsOnlyAndTheCookieIsSecure)
{
    QTemporaryDir data;
    if (!MakeCertificate(data.path()))
        GTEST_SKIP() << "no openssl to make a certificate";
    AddOperator(data.path(), "anna", "s3cret");
    ManualClock clock;
    TWebHub hub;
    TWebServer server(TlsSettings(data.path()), TestEnvironment(data.path()), clock, hub);
    QString error;
    ASSERT_TRUE(server.Listen(&error)) << error.toStdString();

    httplib::SSLClient tls("127.0.0.1", server.Port());
    tls.enable_server_certificate_verification(false);
    const httplib::Result login = tls.Post("/api/login", R"({"name":"anna","password":"s3cret"})", "application/json");
    ASSERT_TRUE(login) << httplib::to_string(login.error());
    EXPECT_EQ(login->status, 200);
    EXPECT_NE(login->get_header_value("Set-Cookie").find("; Secure"), std::string::npos);

    httplib::Client plain("127.0.0.1", server.Port());
    plain.set_read_timeout(3, 0);
    const httplib::Result refused = plain.Get("/api/calls");
    EXPECT_FALSE(refused && refused->status > 0 && refused->status < 500) << "a plain request is not served";
}

TEST(WebTls, AnUnusableCertificateIsReported)
{
    QTemporaryDir data;
    ManualClock clock;
    TWebHub hub;
    TWebServer server(TlsSettings(data.path()), TestEnvironment(data.path()), clock, hub);  // no such files
    QString error;
    EXPECT_FALSE(server.Listen(&error));
    EXPECT_TRUE(error.contains("cert.pem")) << error.toStdString();
}
