// A caller that does not want the reason passes no error text: the failure is still
// reported by the result, and nothing writes through the missing pointer.
#include "core/Config.h"
#include "devices/DeviceLink.h"
#include "maintenance/TableFiles.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct TFailingCall {
    const char* Name;
    std::function<bool(const QString& dir, QString* error)> Call;
};

const TFailingCall FailingCalls[] = {
    {"PortThatDoesNotExist",
     [](const QString& dir, QString* error) {
         TConfig config;
         config.PortName = dir + QStringLiteral("/no-such-tty");
         TDeviceLink link;
         return link.Open(config, error);
     }},
    {"TableFileThatIsMissing",
     [](const QString& dir, QString* error) {
         return CheckTableFile(dir + QStringLiteral("/missing.db"), QStringLiteral("CallInfo"), error);
     }},
    {"TableCopyFromAMissingFile",
     [](const QString& dir, QString* error) {
         return CopyTableFile(dir + QStringLiteral("/missing.db"), dir + QStringLiteral("/copy.db"), error);
     }},
};

void PrintTo(const TFailingCall& call, std::ostream* out) { *out << call.Name; }

class NullError : public ::testing::TestWithParam<TFailingCall> {};

TEST_P(NullError, FailsWithoutTheTextAndSaysWhyWhenAsked)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(GetParam().Call(dir.path(), nullptr));
    QString error;
    EXPECT_FALSE(GetParam().Call(dir.path(), &error));
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(FailingCalls, NullError, ::testing::ValuesIn(FailingCalls),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
