#pragma once
// The operator table seen through one query, as the login, password and management
// windows use it: the rows in the store's order, a current row, and every check and
// change made on it.
#include "core/DataStore.h"
#include "operators/OperatorsTexts.h"
#include "operators/PasswordHash.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

struct TLoginMsg;

// Names and passwords take at most this many GBK bytes, what the login dialog can take.
constexpr int LoginTextBytes = 8;
// Whether text fits in LoginTextBytes GBK bytes.
bool FitsLoginText(const QString& text);

// Outcome of an operator action. A refusal's value is the number of its text.
enum class TOperatorCheck : int {
    Ok = 0,
    StoreFailed = -1,          // the store's error is in LastError()
    UnknownName = 1103,        // also: the operator's row is gone
    WrongPassword = 1104,
    NameExists = 1120,
    WrongOldPassword = 1129,
    ConfirmMismatch = 1130,
    LoggedInOperator = 1131,
    // Nobody could manage operators any more: the last one holding that permission keeps it.
    LastManager = TxtOperatorsLastManager,
    NameTooLong = TxtOperatorsNameTooLong,          // the login dialog could not take it
    PasswordTooLong = TxtOperatorsPasswordTooLong,
};

struct TOperatorRow {
    qint64 RowId = -1;
    QString Name;
    QVariant Sex;              // true male, false female, null when never set
    QString Duty;
    int32_t Popedom = 0;
};

class TOperatorStore {
public:
    // hashIterations: the strength of the digests this store writes.
    explicit TOperatorStore(TDM_Sys& store, int hashIterations = DefaultPasswordIterations);

    bool OpenAll();                              // every operator
    bool OpenOperator(const QString& name);      // only the operator of exactly that name
    void Close();
    QString LastError() const { return query_.LastError(); }

    int Count() const { return static_cast<int>(rows_.size()); }
    int Current() const { return rows_.empty() ? -1 : query_.RecNo(); }
    void SetCurrent(int row) { query_.MoveTo(row); }
    const TOperatorRow& Row(int row) const { return rows_.at(static_cast<size_t>(row)); }

    // Name ignoring letter case, password exactly. Ok fills login; a plain-text
    // password of an older table is replaced by its digest on the way.
    TOperatorCheck Login(const QString& name, const QString& password, TLoginMsg& login);
    // The row whose name equals name ignoring letter case becomes the current row; false
    // (the current row kept) when there is none.
    bool SelectName(const QString& name);

    // A new operator with the permissions popedom and the empty password becomes the current row.
    TOperatorCheck Add(const QString& name, bool male, const QString& duty, int32_t popedom = 0);
    TOperatorCheck Modify(const QString& name, bool male, const QString& duty);   // the current row
    // Whether the current row may be deleted while login is logged in: never his own row,
    // nor the last operator who may manage operators.
    TOperatorCheck CheckDelete(const TLoginMsg& login) const;
    TOperatorCheck Delete();
    // Bits 10 and above are dropped; the last operator who may manage operators keeps that bit.
    TOperatorCheck SetPopedom(int32_t bits);
    TOperatorCheck ChangePassword(const QString& oldPassword, const QString& newPassword,
                                  const QString& confirmation);
    // The current row's password, without the old one (the command line's own right).
    TOperatorCheck SetPassword(const QString& newPassword);

private:
    bool NameTaken(const QString& name);         // by any row, ignoring case; the current row stays
    bool IsLastManager() const;                  // the current row alone may manage operators
    TOperatorCheck Posted();
    void Reload();

    TQuery query_;
    std::vector<TOperatorRow> rows_;
    int hashIterations_;
};
