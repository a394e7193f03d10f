// The operator command on one data directory, step by step as an installer would script it:
// exit status, the window's text for a refusal, and the list as CSV.
#include "core/DataStore.h"
#include "operators/LoginMsg.h"
#include "operators/OperatorStore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Step {
    const char* name;
    QStringList args;     // after "operator"
    QByteArray input;     // standard input
    int status;
    QString out;          // standard output, exactly
    QString err;          // standard error, trimmed; checked when not empty
};

const Step Steps[] = {
    {"NewDirectoryListsItsFirstOperator", {"list"}, {}, 0,
     "name,permissions,sex,duty\r\nadmin,0;1;2;3;4;5;6;7;8;9,男,\r\n", {}},
    {"Add", {"add", "Li", "--permissions", "4,5", "--duty", "领班, 晚"}, {}, 0, {}, {}},
    {"NameTakenInAnotherCase", {"add", "LI"}, {}, 1, {}, "操作员已存在！"},
    {"NameLongerThanTheLoginTakes", {"add", "王王王王王"}, {}, 1, {}, "操作员名称最多 8 个字节（8 个字母或 4 个汉字）！"},
    {"LastManagerStays", {"remove", "admin"}, {}, 1, {}, "必须保留至少一个有“操作员管理”权限的操作员！"},
    {"LastManagerKeepsTheRight", {"permissions", "ADMIN", "--set", "1"}, {}, 1, {}, "必须保留至少一个有“操作员管理”权限的操作员！"},
    {"EmptyPassword", {"passwd", "li"}, "\n", 1, {}, "新密码不能为空！"},
    {"Password", {"passwd", "li"}, "s3cret\r\n", 0, {}, {}},
    {"UnknownOperator", {"passwd", "Zhou"}, "x\n", 1, {}, "非法操作员，请重新输入!"},
    {"BitOutOfRange", {"permissions", "li", "--set", "0,12"}, {}, 2, {},
     "callstation: --set: '0,12' is not a list of permission bits 0-9"},
    {"OptionOfAnotherAction", {"remove", "li", "--duty", "x"}, {}, 2, {}, "callstation: operator remove takes no --duty"},
    {"NoSuchAction", {"rename", "li"}, {}, 2, {}, {}},
    {"SecondManager", {"permissions", "li", "--set", "0"}, {}, 0, {}, {}},
    {"FirstManagerMayGoNow", {"remove", "admin"}, {}, 0, {}, {}},
    {"ListAfterwards", {"list"}, {}, 0, "name,permissions,sex,duty\r\nLi,0,男,\"领班, 晚\"\r\n", {}},
};

TEST(OperatorCommand, RunsTheOperatorWindowsRules)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Step& s : Steps) {
        SCOPED_TRACE(s.name);
        QProcess p;
        p.start(QStringLiteral(STATION_BINARY_DIR "/callstation"),
                QStringList{"--data-dir", dir.path(), "operator"} + s.args);
        ASSERT_TRUE(p.waitForStarted());
        p.write(s.input);
        p.closeWriteChannel();
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError()).trimmed();
        EXPECT_EQ(p.exitCode(), s.status) << err.toStdString();
        EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()), s.out);
        if (!s.err.isEmpty())
            EXPECT_EQ(err, s.err);
    }
    // The password typed on standard input is the one the login dialog takes.
    TDM_Sys store;
    ASSERT_TRUE(store.Open(dir.path()));
    TOperatorStore operators(store);
    TLoginMsg login;
    ASSERT_TRUE(operators.OpenAll());
    EXPECT_EQ(operators.Login(QStringLiteral("li"), QStringLiteral("s3cret"), login), TOperatorCheck::Ok);
    EXPECT_EQ(login.Popedom, 1);
}

}  // namespace
