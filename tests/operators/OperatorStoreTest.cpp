// The operator table: login, the operator list's checks and changes, what the
// Password column holds, and the first operator of a new installation.
#include "OperatorFixture.h"

#include "core/GbkCodec.h"
#include "operators/FirstOperator.h"
#include "operators/LoginMsg.h"
#include "operators/PasswordHash.h"

#include <QDateTime>
#include <optional>

namespace {

using Check = TOperatorCheck;

class OperatorLogin : public OperatorFixture {
protected:
    Check Login(const QString& name, const QString& password)
    {
        TOperatorStore fresh(store, TestHashIterations);
        EXPECT_TRUE(fresh.OpenAll());
        return fresh.Login(name, password, login);
    }
    TLoginMsg login;
};

TEST_F(OperatorLogin, NameIgnoresLetterCaseAndLoginTakesTheStoredRow)
{
    PutRow(QStringLiteral("ZhangSan"), HashPassword(QStringLiteral("pw"), TestHashIterations), 0x80);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    ASSERT_EQ(Login(QStringLiteral("zhangsan"), QStringLiteral("pw")), Check::Ok);
    EXPECT_TRUE(login.LoggedIn);
    EXPECT_EQ(login.Name, QStringLiteral("ZhangSan"));
    EXPECT_EQ(login.Popedom, 0x80);
    EXPECT_GE(login.LoginTime, before);
    EXPECT_LE(login.LoginTime, QDateTime::currentDateTime());
}

TEST_F(OperatorLogin, RefusesUnknownNamesAndWrongPasswordsWithoutLoggingIn)
{
    PutRow(QStringLiteral("admin"), HashPassword(QStringLiteral("Secret"), TestHashIterations));
    EXPECT_EQ(Login(QStringLiteral("adm"), QStringLiteral("Secret")), Check::UnknownName);
    EXPECT_EQ(Login(QStringLiteral("admin "), QStringLiteral("Secret")), Check::UnknownName);
    EXPECT_EQ(Login(QStringLiteral("admin"), QStringLiteral("secret")), Check::WrongPassword);
    EXPECT_EQ(Login(QStringLiteral("admin"), QString()), Check::WrongPassword);
    EXPECT_FALSE(login.LoggedIn);
    EXPECT_EQ(Login(QStringLiteral("ADMIN"), QStringLiteral("Secret")), Check::Ok);
}

TEST_F(OperatorLogin, NewOperatorLogsInWithTheEmptyPassword)
{
    ASSERT_EQ(Opened().Add(QStringLiteral("Li"), true, QString()), Check::Ok);
    EXPECT_EQ(Login(QStringLiteral("li"), QStringLiteral("x")), Check::WrongPassword);
    EXPECT_EQ(Login(QStringLiteral("li"), QString()), Check::Ok);
    EXPECT_EQ(login.Popedom, 0);
}

TEST_F(OperatorLogin, PlainTextPasswordOfAnOlderTableIsReplacedByItsDigestAtLogin)
{
    PutRow(QStringLiteral("Wang"), QStringLiteral("Old9"));
    EXPECT_EQ(Login(QStringLiteral("wang"), QStringLiteral("old9")), Check::WrongPassword);
    EXPECT_EQ(StoredPassword(QStringLiteral("Wang")), QStringLiteral("Old9"));

    ASSERT_EQ(Login(QStringLiteral("wang"), QStringLiteral("Old9")), Check::Ok);
    const QString stored = StoredPassword(QStringLiteral("Wang"));
    EXPECT_TRUE(IsPasswordHash(stored)) << stored.toStdString();
    EXPECT_FALSE(stored.contains(QStringLiteral("Old9")));
    EXPECT_EQ(Login(QStringLiteral("wang"), QStringLiteral("Old9")), Check::Ok);
    EXPECT_EQ(Login(QStringLiteral("wang"), QStringLiteral("old9")), Check::WrongPassword);
}

TEST_F(OperatorLogin, NullPasswordOfAnOlderTableIsTheEmptyPassword)
{
    PutRow(QStringLiteral("Zhao"), QVariant());
    EXPECT_EQ(Login(QStringLiteral("zhao"), QStringLiteral("a")), Check::WrongPassword);
    EXPECT_EQ(Login(QStringLiteral("zhao"), QString()), Check::Ok);
    EXPECT_TRUE(IsPasswordHash(StoredPassword(QStringLiteral("Zhao"))));
}

TEST_F(OperatorLogin, NamesWithQuotesReachTheStoreUnchanged)
{
    const QString name = QStringLiteral("a\"b'c;");
    ASSERT_EQ(Opened().Add(name, false, QStringLiteral("x\"y")), Check::Ok);
    EXPECT_EQ(Column(QStringLiteral("Name")), QStringList{name});
    EXPECT_EQ(Login(name.toUpper(), QString()), Check::Ok);
    EXPECT_EQ(login.Name, name);

    TOperatorStore own(store, TestHashIterations);
    ASSERT_TRUE(own.OpenOperator(name));
    EXPECT_EQ(own.Count(), 1);
}

using OperatorEdits = OperatorFixture;

TEST_F(OperatorEdits, AddWritesANewOperatorWithNoPermissionsAndNoPlainPassword)
{
    TOperatorStore& ops = Opened();
    ASSERT_EQ(ops.Add(QStringLiteral(" Liu "), false, QStringLiteral("领班")), Check::Ok);
    ASSERT_EQ(ops.Count(), 1);
    EXPECT_EQ(ops.Current(), 0);
    EXPECT_EQ(ops.Row(0).Name, QStringLiteral(" Liu "));
    EXPECT_EQ(ops.Row(0).Sex, QVariant(false));
    EXPECT_EQ(ops.Row(0).Duty, QStringLiteral("领班"));
    EXPECT_EQ(ops.Row(0).Popedom, 0);

    TOperatorStore reread(store);
    ASSERT_TRUE(reread.OpenAll());
    EXPECT_EQ(reread.Row(0).Name, QStringLiteral(" Liu "));
    EXPECT_EQ(Column(QStringLiteral("Popedom")), QStringList{QStringLiteral("0")});
    EXPECT_TRUE(IsPasswordHash(StoredPassword(QStringLiteral(" Liu "))));
}

TEST_F(OperatorEdits, AddRefusesANameThatExistsInAnyLetterCaseAndKeepsTheCurrentRow)
{
    PutRow(QStringLiteral("Chen"), QString());
    PutRow(QStringLiteral("Admin"), QString());
    TOperatorStore& ops = Opened();
    ops.SetCurrent(1);
    EXPECT_EQ(ops.Add(QStringLiteral("CHEN"), true, QString()), Check::NameExists);
    EXPECT_EQ(ops.Current(), 1);
    EXPECT_EQ(ops.Count(), 2);
    EXPECT_EQ(Column(QStringLiteral("Name")), (QStringList{QStringLiteral("Chen"), QStringLiteral("Admin")}));

    // Blanks count: " Chen" is another name.
    EXPECT_EQ(ops.Add(QStringLiteral(" Chen"), true, QString()), Check::Ok);
    EXPECT_EQ(ops.Current(), 2);
}

TEST_F(OperatorEdits, EmptyNameIsAcceptedOnce)
{
    TOperatorStore& ops = Opened();
    EXPECT_EQ(ops.Add(QString(), true, QString()), Check::Ok);
    EXPECT_EQ(ops.Add(QString(), false, QString()), Check::NameExists);
    EXPECT_EQ(ops.Count(), 1);
}

TEST_F(OperatorEdits, ModifyRefusesTakenNamesIncludingALetterCaseChangeOfItsOwn)
{
    PutRow(QStringLiteral("Chen"), QString(), 3, true, QStringLiteral("经理"));
    PutRow(QStringLiteral("Zhou"), QString(), 0, false);
    TOperatorStore& ops = Opened();
    ops.SetCurrent(0);
    EXPECT_EQ(ops.Modify(QStringLiteral("CHEN"), true, QString()), Check::NameExists);
    EXPECT_EQ(ops.Modify(QStringLiteral("zhou"), true, QString()), Check::NameExists);
    EXPECT_EQ(ops.Current(), 0);
    EXPECT_EQ(Column(QStringLiteral("Name")), (QStringList{QStringLiteral("Chen"), QStringLiteral("Zhou")}));

    // The same name may stay while sex and job title change; permissions stay as they were.
    ASSERT_EQ(ops.Modify(QStringLiteral("Chen"), false, QStringLiteral("收银")), Check::Ok);
    EXPECT_EQ(ops.Row(0).Sex, QVariant(false));
    EXPECT_EQ(ops.Row(0).Duty, QStringLiteral("收银"));
    EXPECT_EQ(ops.Row(0).Popedom, 3);

    ASSERT_EQ(ops.Modify(QStringLiteral("Chen2"), true, QString()), Check::Ok);
    EXPECT_EQ(Column(QStringLiteral("Name")), (QStringList{QStringLiteral("Chen2"), QStringLiteral("Zhou")}));
    EXPECT_EQ(Column(QStringLiteral("Duty")), (QStringList{QString(), QString()}));
}

TEST_F(OperatorEdits, TheLoggedInOperatorCannotDeleteHisOwnRowOnly)
{
    // Names that differ only in blanks are different operators; the login knows its own row.
    PutRow(QStringLiteral("Boss"), QString());
    PutRow(QStringLiteral("Boss "), QString());
    PutRow(QStringLiteral("Clerk"), QString());
    TOperatorStore& ops = Opened();
    TLoginMsg login;
    ASSERT_EQ(ops.Login(QStringLiteral("Boss"), QString(), login), Check::Ok);
    ops.SetCurrent(0);
    EXPECT_EQ(ops.CheckDelete(login), Check::LoggedInOperator);
    ops.SetCurrent(1);
    EXPECT_EQ(ops.CheckDelete(login), Check::Ok);
    ASSERT_EQ(ops.Modify(QStringLiteral("Boss2"), true, QString()), Check::Ok);  // a rename changes no identity
    ops.SetCurrent(0);
    ASSERT_EQ(ops.Modify(QStringLiteral("Chief"), true, QString()), Check::Ok);
    EXPECT_EQ(ops.CheckDelete(login), Check::LoggedInOperator);
    ops.SetCurrent(2);
    ASSERT_EQ(ops.Delete(), Check::Ok);
    EXPECT_EQ(Column(QStringLiteral("Name")), (QStringList{QStringLiteral("Chief"), QStringLiteral("Boss2")}));
    // Logged off, nobody's row is protected.
    login.LoggedIn = false;
    ops.SetCurrent(0);
    EXPECT_EQ(ops.CheckDelete(login), Check::Ok);
}

TEST_F(OperatorEdits, DeletingTheLastOperatorLeavesAnEmptyList)
{
    PutRow(QStringLiteral("Only"), QString());
    TOperatorStore& ops = Opened();
    ASSERT_EQ(ops.Delete(), Check::Ok);
    EXPECT_EQ(ops.Count(), 0);
    EXPECT_EQ(ops.Current(), -1);
    EXPECT_TRUE(Column(QStringLiteral("Name")).isEmpty());
    EXPECT_EQ(ops.Delete(), Check::UnknownName);
    EXPECT_EQ(ops.SetPopedom(1), Check::UnknownName);
    EXPECT_EQ(ops.Modify(QStringLiteral("x"), true, QString()), Check::UnknownName);
}

TEST_F(OperatorEdits, PermissionsKeepOnlyTheTenBits)
{
    PutRow(QStringLiteral("A"), QString(), 0x1000 | 0x2);
    PutRow(QStringLiteral("B"), QString());
    TOperatorStore& ops = Opened();
    ops.SetCurrent(0);
    ASSERT_EQ(ops.SetPopedom(0x1005), Check::Ok);
    EXPECT_EQ(ops.Row(0).Popedom, 5);
    ASSERT_EQ(ops.SetPopedom(-1), Check::Ok);
    EXPECT_EQ(Column(QStringLiteral("Popedom")), (QStringList{QStringLiteral("1023"), QStringLiteral("0")}));
}

class PasswordChange : public OperatorFixture {
protected:
    void SetUp() override
    {
        OperatorFixture::SetUp();
        PutRow(QStringLiteral("Ma"), HashPassword(QStringLiteral("Old"), TestHashIterations));
        PutRow(QStringLiteral("Niu"), QStringLiteral("plain"));
    }
    bool CanLogIn(const QString& name, const QString& password)
    {
        TOperatorStore fresh(store, TestHashIterations);
        TLoginMsg login;
        return fresh.OpenAll() && fresh.Login(name, password, login) == Check::Ok;
    }
};

TEST_F(PasswordChange, ChecksTheConfirmationBeforeTheOldPassword)
{
    TOperatorStore& ops = Opened();
    EXPECT_EQ(ops.ChangePassword(QStringLiteral("wrong"), QStringLiteral("New"), QStringLiteral("new")),
              Check::ConfirmMismatch);
    EXPECT_EQ(ops.ChangePassword(QStringLiteral("wrong"), QStringLiteral("New"), QStringLiteral("New")),
              Check::WrongOldPassword);
    EXPECT_EQ(ops.ChangePassword(QStringLiteral("old"), QStringLiteral("New"), QStringLiteral("New")),
              Check::WrongOldPassword);
    EXPECT_TRUE(CanLogIn(QStringLiteral("Ma"), QStringLiteral("Old")));
}

TEST_F(PasswordChange, StoresOnlyADigestOfTheNewPassword)
{
    TOperatorStore& ops = Opened();
    ASSERT_EQ(ops.ChangePassword(QStringLiteral("Old"), QStringLiteral("N3w!"), QStringLiteral("N3w!")), Check::Ok);
    const QString stored = StoredPassword(QStringLiteral("Ma"));
    EXPECT_TRUE(IsPasswordHash(stored));
    EXPECT_FALSE(stored.contains(QStringLiteral("N3w!")));
    EXPECT_TRUE(CanLogIn(QStringLiteral("ma"), QStringLiteral("N3w!")));
    EXPECT_FALSE(CanLogIn(QStringLiteral("ma"), QStringLiteral("Old")));
    EXPECT_EQ(StoredPassword(QStringLiteral("Niu")), QStringLiteral("plain"));
}

TEST_F(PasswordChange, OwnModeWorksOnTheLoggedInOperatorsRow)
{
    TOperatorStore own(store, TestHashIterations);
    ASSERT_TRUE(own.OpenOperator(QStringLiteral("Niu")));
    ASSERT_EQ(own.Count(), 1);
    EXPECT_EQ(own.ChangePassword(QStringLiteral("Plain"), QStringLiteral("p2"), QStringLiteral("p2")),
              Check::WrongOldPassword);
    ASSERT_EQ(own.ChangePassword(QStringLiteral("plain"), QStringLiteral("p2"), QStringLiteral("p2")), Check::Ok);
    EXPECT_TRUE(IsPasswordHash(StoredPassword(QStringLiteral("Niu"))));
    EXPECT_TRUE(CanLogIn(QStringLiteral("Niu"), QStringLiteral("p2")));
    EXPECT_TRUE(CanLogIn(QStringLiteral("Ma"), QStringLiteral("Old")));
}

TEST_F(PasswordChange, OwnModeOfAnOperatorNoLongerInTheTableChangesNothing)
{
    TOperatorStore own(store, TestHashIterations);
    ASSERT_TRUE(own.OpenOperator(QStringLiteral("niu")));   // the stored name is "Niu"
    EXPECT_EQ(own.Count(), 0);
    EXPECT_EQ(own.ChangePassword(QString(), QStringLiteral("x"), QStringLiteral("x")), Check::UnknownName);
    EXPECT_EQ(StoredPassword(QStringLiteral("Niu")), QStringLiteral("plain"));
}

using FirstOperator = OperatorFixture;

TEST_F(FirstOperator, EmptyTableGetsAnAdminWithEveryPermissionAndTheEmptyPassword)
{
    QString error;
    ASSERT_TRUE(EnsureFirstOperator(store, &error)) << error.toStdString();
    EXPECT_EQ(Column(QStringLiteral("Name")), QStringList{QStringLiteral("admin")});
    EXPECT_EQ(Column(QStringLiteral("Popedom")), QStringList{QString::number(PopedomAll)});
    EXPECT_TRUE(IsPasswordHash(StoredPassword(QStringLiteral("admin"))));

    TLoginMsg login;
    ASSERT_EQ(Opened().Login(QStringLiteral("admin"), QString(), login), Check::Ok);
    EXPECT_EQ(login.Popedom, PopedomAll);

    // A second start adds nobody.
    ASSERT_TRUE(EnsureFirstOperator(store));
    EXPECT_EQ(Column(QStringLiteral("Name")).size(), 1);
}

TEST_F(FirstOperator, TableWithOperatorsIsLeftAlone)
{
    PutRow(QStringLiteral("Boss"), QStringLiteral("pw"), 1);
    ASSERT_TRUE(EnsureFirstOperator(store));
    EXPECT_EQ(Column(QStringLiteral("Name")), QStringList{QStringLiteral("Boss")});
}

TEST_F(FirstOperator, ClosedStoreIsReportedAsAFailure)
{
    store.Close();
    QString error;
    EXPECT_FALSE(EnsureFirstOperator(store, &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace

namespace {

// Operators as (name, permission bits); the action runs on the row named current.
struct ManagerRuleCase {
    const char* name;
    std::vector<std::pair<const char*, int>> rows;
    const char* current;
    std::optional<int> setBits;   // nothing: delete
    Check expected;
};

void PrintTo(const ManagerRuleCase& c, std::ostream* os)
{
    *os << c.name;
}

class LastManagerRule : public OperatorFixture, public ::testing::WithParamInterface<ManagerRuleCase> {};

TEST_P(LastManagerRule, SomebodyAlwaysKeepsTheRightToManageOperators)
{
    const ManagerRuleCase& c = GetParam();
    for (const auto& [name, bits] : c.rows)
        PutRow(QString::fromUtf8(name), QString(), bits);
    TOperatorStore& ops = Opened();
    ASSERT_TRUE(ops.SelectName(QString::fromUtf8(c.current)));
    const QStringList before = Column(QStringLiteral("Popedom"));
    const Check check = c.setBits ? ops.SetPopedom(*c.setBits) : ops.CheckDelete(TLoginMsg{});
    EXPECT_EQ(check, c.expected);
    if (check != Check::Ok)
        EXPECT_EQ(Column(QStringLiteral("Popedom")), before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LastManagerRule,
    ::testing::Values(
        ManagerRuleCase{"OnlyManagerIsNotRemoved", {{"A", 1}, {"B", 0x3FE}}, "a", std::nullopt, Check::LastManager},
        ManagerRuleCase{"OneOfTwoManagersMayGo", {{"A", 1}, {"B", 3}}, "A", std::nullopt, Check::Ok},
        ManagerRuleCase{"OperatorWithoutTheRightMayGo", {{"A", 1}, {"B", 0}}, "B", std::nullopt, Check::Ok},
        ManagerRuleCase{"OnlyManagerKeepsTheBit", {{"A", 1}, {"B", 0}}, "A", 0x10, Check::LastManager},
        ManagerRuleCase{"OnlyManagerMayChangeOtherBits", {{"A", 1}}, "A", 0x31, Check::Ok},
        ManagerRuleCase{"AnotherManagerLetsTheBitGo", {{"A", 1}, {"B", 1}}, "B", 0, Check::Ok},
        ManagerRuleCase{"BitsAboveTenDoNotCount", {{"A", 1}, {"B", 0x400}}, "A", 0, Check::LastManager}),
    [](const auto& info) { return std::string(info.param.name); });

struct LengthCase {
    const char* name;
    QString text;
    bool fits;
};

void PrintTo(const LengthCase& c, std::ostream* os)
{
    *os << c.name;
}

class LoginTextLimit : public OperatorFixture, public ::testing::WithParamInterface<LengthCase> {};

// What the login dialog cannot take is refused wherever a name or password is set.
TEST_P(LoginTextLimit, NamesAndPasswordsFitTheLoginDialog)
{
    const LengthCase& c = GetParam();
    PutRow(QStringLiteral("Old"), QString(), 1);
    TOperatorStore& ops = Opened();
    EXPECT_EQ(ops.Modify(c.text, true, QString()), c.fits ? Check::Ok : Check::NameTooLong);
    EXPECT_EQ(ops.SetPassword(c.text), c.fits ? Check::Ok : Check::PasswordTooLong);
    EXPECT_EQ(ops.ChangePassword(c.fits ? c.text : QString(), c.text, c.text), c.fits ? Check::Ok : Check::PasswordTooLong);
    EXPECT_EQ(ops.Add(c.text + QStringLiteral("x"), true, QString()),
              GbkLength(c.text) < LoginTextBytes ? Check::Ok : Check::NameTooLong);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoginTextLimit,
    ::testing::Values(LengthCase{"EightLetters", QStringLiteral("abcdefgh"), true},
                      LengthCase{"NineLetters", QStringLiteral("abcdefghi"), false},
                      LengthCase{"FourChineseCharacters", QStringLiteral("王王王王"), true},
                      LengthCase{"FiveChineseCharacters", QStringLiteral("王王王王王"), false},
                      LengthCase{"SevenLettersAndOneCharacter", QStringLiteral("abcdefg王"), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OperatorEdits, AddTakesItsPermissionsAndSetPasswordNeedsNoOldOne)
{
    PutRow(QStringLiteral("Ma"), HashPassword(QStringLiteral("Old"), TestHashIterations));
    TOperatorStore& ops = Opened();
    ASSERT_EQ(ops.Add(QStringLiteral("Li"), false, QStringLiteral("领班"), 0x1030), Check::Ok);
    EXPECT_EQ(Column(QStringLiteral("Popedom")), (QStringList{QStringLiteral("0"), QStringLiteral("48")}));
    ASSERT_TRUE(ops.SelectName(QStringLiteral("MA")));
    ASSERT_EQ(ops.SetPassword(QStringLiteral("New")), Check::Ok);
    TOperatorStore fresh(store, TestHashIterations);
    TLoginMsg login;
    ASSERT_TRUE(fresh.OpenAll());
    EXPECT_EQ(fresh.Login(QStringLiteral("ma"), QStringLiteral("New"), login), Check::Ok);
    EXPECT_FALSE(ops.SelectName(QStringLiteral("Zhou")));
}

}  // namespace
