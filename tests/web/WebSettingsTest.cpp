// Where the web page listens: the address forms, and which of Config.ini, --web and the demo wins.
#include "web/WebSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(WebSettings, ListenAddressForms)
{
    struct Row {
        const char* text;
        const char* host;  // nullptr: refused
        int port;
    };
    const Row rows[] = {
        {"8080", "127.0.0.1", 8080},          {"0.0.0.0:80", "0.0.0.0", 80},
        {"192.168.1.20:8443", "192.168.1.20", 8443}, {"[::1]:8080", "::1", 8080},
        {"station.local:8080", "station.local", 8080}, {" 8080 ", "127.0.0.1", 8080},
        {"", nullptr, 0},                     {"0", nullptr, 0},
        {"65536", nullptr, 0},                {":8080", nullptr, 0},
        {"host:", nullptr, 0},                {"::1:8080", nullptr, 0},
        {"a b:8080", nullptr, 0},             {"8080x", nullptr, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const std::optional<TListenAddress> address = ParseListen(QString::fromLatin1(row.text));
        ASSERT_EQ(address.has_value(), row.host != nullptr);
        if (address) {
            EXPECT_EQ(address->Host, QString::fromLatin1(row.host));
            EXPECT_EQ(address->Port, row.port);
        }
    }
}

TEST(WebSettings, CommandLineWinsThenConfigThenDemo)
{
    struct Row {
        const char* what;
        const char* ini;
        const char* option;
        bool demo;
        const char* address;  // "" off, nullptr refused
    };
    const Row rows[] = {
        {"off by default", "", "", false, ""},
        {"the demo", "", "", true, "127.0.0.1:8080"},
        {"--web over the demo", "", "9000", true, "127.0.0.1:9000"},
        {"Config.ini, bare port", "[Web]\r\nListen=8081\r\n", "", false, "127.0.0.1:8081"},
        {"Config.ini over the demo", "[Web]\r\nListen=0.0.0.0:8081\r\n", "", true, "0.0.0.0:8081"},
        {"--web over Config.ini", "[Web]\r\nListen=0.0.0.0:8081\r\n", "[::1]:9000", false, "[::1]:9000"},
        {"a wrong Listen", "[Web]\r\nListen=all\r\n", "", false, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir dir;
        QFile ini(dir.filePath("Config.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(row.ini);
        ini.close();
        TWebSettings settings;
        QString error;
        const bool read = ReadWebSettings(ini.fileName(), dir.path(), QString::fromLatin1(row.option), row.demo,
                                          &settings, &error);
        ASSERT_EQ(read, row.address != nullptr) << error.toStdString();
        if (!read) {
            EXPECT_FALSE(error.isEmpty());
            EXPECT_FALSE(settings.Enabled());
            continue;
        }
        EXPECT_EQ(settings.Enabled() ? settings.Address() : QString(), QString::fromLatin1(row.address));
    }
}

TEST(WebSettings, CertificateFilesAreTakenInTheDataDirectory)
{
    QTemporaryDir dir;
    QFile ini(dir.filePath("Config.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Web]\r\nListen=8443\r\nCertificate=tls/cert.pem\r\nKey=/etc/callstation/key.pem\r\n");
    ini.close();
    TWebSettings settings;
    ASSERT_TRUE(ReadWebSettings(ini.fileName(), dir.path(), QString(), false, &settings, nullptr));
    EXPECT_TRUE(settings.Tls());
    EXPECT_EQ(settings.Certificate, dir.filePath("tls/cert.pem"));
    EXPECT_EQ(settings.Key, "/etc/callstation/key.pem");
}
