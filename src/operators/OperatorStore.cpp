#include "operators/OperatorStore.h"

#include "core/GbkCodec.h"
#include "operators/LoginMsg.h"

#include <QDateTime>
#include <algorithm>

namespace {
const QString NameColumn = QStringLiteral("Name");
const QString PasswordColumn = QStringLiteral("Password");
}  // namespace

bool FitsLoginText(const QString& text)
{
    return GbkLength(text) <= LoginTextBytes;
}

TOperatorStore::TOperatorStore(TDM_Sys& store, int hashIterations)
    : query_(store), hashIterations_(hashIterations)
{
}

bool TOperatorStore::OpenAll()
{
    query_.SetSQL(QStringLiteral("select * from Operate"));
    const bool opened = query_.Open();
    Reload();
    return opened;
}

bool TOperatorStore::OpenOperator(const QString& name)
{
    query_.SetSQL(QStringLiteral("select * from Operate where Name = ?"));
    query_.Bind(name);
    const bool opened = query_.Open();
    Reload();
    return opened;
}

void TOperatorStore::Close()
{
    query_.Close();
    rows_.clear();
}

void TOperatorStore::Reload()
{
    const int current = query_.RecNo();
    rows_.clear();
    for (query_.First(); !query_.Eof(); query_.Next()) {
        rows_.push_back({query_.RowId(), query_.FieldAsString(NameColumn),
                         query_.FieldIsNull(QStringLiteral("Sex")) ? QVariant() : QVariant(query_.FieldAsBoolean(QStringLiteral("Sex"))),
                         query_.FieldAsString(QStringLiteral("Duty")),
                         query_.FieldAsInteger(QStringLiteral("Popedom"))});
    }
    query_.MoveTo(current);
    if (query_.Eof() && !rows_.empty())
        query_.MoveTo(Count() - 1);
}

TOperatorCheck TOperatorStore::Posted()
{
    if (!query_.Post())
        return TOperatorCheck::StoreFailed;
    Reload();
    return TOperatorCheck::Ok;
}

bool TOperatorStore::NameTaken(const QString& name)
{
    const int current = query_.RecNo();
    const bool taken = query_.Locate(NameColumn, name);
    query_.MoveTo(current);
    return taken;
}

bool TOperatorStore::IsLastManager() const
{
    if (rows_.empty() || !HasPopedom(Row(Current()).Popedom, PopOperators))
        return false;
    return std::count_if(rows_.begin(), rows_.end(),
                         [](const TOperatorRow& r) { return HasPopedom(r.Popedom, PopOperators); }) == 1;
}

bool TOperatorStore::SelectName(const QString& name)
{
    return query_.Locate(NameColumn, name);
}

TOperatorCheck TOperatorStore::Login(const QString& name, const QString& password, TLoginMsg& login)
{
    if (!query_.Locate(NameColumn, name))
        return TOperatorCheck::UnknownName;
    const QString stored = query_.FieldAsString(PasswordColumn);
    if (!PasswordMatches(stored, password))
        return TOperatorCheck::WrongPassword;

    login.LoggedIn = true;
    login.RowId = query_.RowId();
    login.Name = query_.FieldAsString(NameColumn);
    login.LoginTime = QDateTime::currentDateTime();
    login.Popedom = query_.FieldAsInteger(QStringLiteral("Popedom"));
    if (!IsPasswordHash(stored)) {
        // The login itself stands when the table cannot be written; the next login tries again.
        query_.Edit();
        query_.SetField(PasswordColumn, HashPassword(password, hashIterations_));
        query_.Post();
    }
    return TOperatorCheck::Ok;
}

TOperatorCheck TOperatorStore::Add(const QString& name, bool male, const QString& duty, int32_t popedom)
{
    if (!FitsLoginText(name))
        return TOperatorCheck::NameTooLong;
    if (NameTaken(name))
        return TOperatorCheck::NameExists;
    query_.Insert();
    query_.SetField(NameColumn, name);
    query_.SetField(PasswordColumn, HashPassword(QString(), hashIterations_));
    query_.SetField(QStringLiteral("Popedom"), popedom & PopedomAll);
    query_.SetField(QStringLiteral("Sex"), male);
    query_.SetField(QStringLiteral("Duty"), duty);
    return Posted();
}

TOperatorCheck TOperatorStore::Modify(const QString& name, bool male, const QString& duty)
{
    if (rows_.empty())
        return TOperatorCheck::UnknownName;
    if (!FitsLoginText(name))
        return TOperatorCheck::NameTooLong;
    // Only a true rename is checked, but against every row, the operator's own
    // included: a change of letter case alone is refused as well.
    if (name != Row(Current()).Name && NameTaken(name))
        return TOperatorCheck::NameExists;
    query_.Edit();
    query_.SetField(NameColumn, name);
    query_.SetField(QStringLiteral("Sex"), male);
    query_.SetField(QStringLiteral("Duty"), duty);
    return Posted();
}

TOperatorCheck TOperatorStore::CheckDelete(const TLoginMsg& login) const
{
    if (rows_.empty())
        return TOperatorCheck::UnknownName;
    if (login.LoggedIn && Row(Current()).RowId == login.RowId)
        return TOperatorCheck::LoggedInOperator;
    if (IsLastManager())
        return TOperatorCheck::LastManager;
    return TOperatorCheck::Ok;
}

TOperatorCheck TOperatorStore::Delete()
{
    if (rows_.empty())
        return TOperatorCheck::UnknownName;
    if (!query_.Delete())
        return TOperatorCheck::StoreFailed;
    Reload();
    return TOperatorCheck::Ok;
}

TOperatorCheck TOperatorStore::SetPopedom(int32_t bits)
{
    if (rows_.empty())
        return TOperatorCheck::UnknownName;
    if (!HasPopedom(bits, PopOperators) && IsLastManager())
        return TOperatorCheck::LastManager;
    query_.Edit();
    query_.SetField(QStringLiteral("Popedom"), bits & PopedomAll);
    return Posted();
}

TOperatorCheck TOperatorStore::ChangePassword(const QString& oldPassword, const QString& newPassword,
                                              const QString& confirmation)
{
    if (newPassword != confirmation)
        return TOperatorCheck::ConfirmMismatch;
    if (rows_.empty())
        return TOperatorCheck::UnknownName;
    if (!PasswordMatches(query_.FieldAsString(PasswordColumn), oldPassword))
        return TOperatorCheck::WrongOldPassword;
    return SetPassword(newPassword);
}

TOperatorCheck TOperatorStore::SetPassword(const QString& newPassword)
{
    if (rows_.empty())
        return TOperatorCheck::UnknownName;
    if (!FitsLoginText(newPassword))
        return TOperatorCheck::PasswordTooLong;
    query_.Edit();
    query_.SetField(PasswordColumn, HashPassword(newPassword, hashIterations_));
    return Posted();
}
