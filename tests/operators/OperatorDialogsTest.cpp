// The operator windows driven as a user would: texts typed, OK pressed, and the
// messages they show recorded instead of shown.
#include "OperatorFixture.h"

#include "core/ResStrings.h"
#include "operators/LoginMsg.h"
#include "operators/OperatorListModel.h"
#include "operators/ui/LoginDialog.h"
#include "operators/ui/ModiPassDialog.h"
#include "operators/ui/OperateManage.h"
#include "operators/ui/OperatorEditDialog.h"
#include "operators/ui/PopedomDialog.h"
#include "support/RecordedMessages.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <vector>

namespace {

// Types text one character at a time, as the keyboard would.
void Type(QLineEdit* edit, const QString& text)
{
    for (const QChar c : text)
        edit->insert(QString(c));
}

RecordedMessages::Entry Warning(int id) { return {TMessageKind::Warning, LoadResStr(id)}; }
RecordedMessages::Entry Error(int id) { return {TMessageKind::Error, LoadResStr(id)}; }

class LoginDialog : public OperatorFixture {
protected:
    void SetUp() override
    {
        OperatorFixture::SetUp();
        PutRow(QStringLiteral("ZhangSan"), HashPassword(QStringLiteral("Pw"), TestHashIterations), 5);
    }
    RecordedMessages sink;
    TLoginMsg login;
};

TEST_F(LoginDialog, NameAndPasswordTakeAtMostEightGbkBytes)
{
    TFrm_Login dialog(Opened(), login);
    EXPECT_EQ(dialog.windowTitle(), LoadResStr(1100));
    Type(dialog.Edt_Name, QStringLiteral("操作员名字"));
    EXPECT_EQ(dialog.Edt_Name->text(), QStringLiteral("操作员名"));
    Type(dialog.Edt_Password, QStringLiteral("abcdefghij"));
    EXPECT_EQ(dialog.Edt_Password->text(), QStringLiteral("abcdefgh"));
    dialog.Edt_Password->clear();
    Type(dialog.Edt_Password, QStringLiteral("abcdefg口"));
    EXPECT_EQ(dialog.Edt_Password->text(), QStringLiteral("abcdefg"));
    EXPECT_EQ(dialog.Edt_Password->displayText(), QStringLiteral("*******"));
}

TEST_F(LoginDialog, UnknownNameAndWrongPasswordAreReportedAndTheDialogStays)
{
    TFrm_Login dialog(Opened(), login);
    dialog.show();
    Type(dialog.Edt_Name, QStringLiteral("lisi"));
    Type(dialog.Edt_Password, QStringLiteral("Pw"));
    dialog.Btn_OkClick();
    EXPECT_EQ(sink.Entries(), std::vector{Warning(1103)});
    EXPECT_EQ(dialog.focusWidget(), dialog.Edt_Name);
    EXPECT_FALSE(login.LoggedIn);

    dialog.Edt_Name->setText(QStringLiteral("zhangsan"));
    dialog.Edt_Password->setText(QStringLiteral("pw"));
    dialog.Btn_OkClick();
    EXPECT_EQ(sink.Entries(), (std::vector{Warning(1103), Warning(1104)}));
    EXPECT_EQ(dialog.focusWidget(), dialog.Edt_Password);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(login.LoggedIn);

    dialog.Edt_Password->setText(QStringLiteral("Pw"));
    dialog.Btn_OkClick();
    EXPECT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(login.LoggedIn);
    EXPECT_EQ(login.Name, QStringLiteral("ZhangSan"));
    EXPECT_EQ(login.Popedom, 5);
}

class ModiPassDialog : public OperatorFixture {
protected:
    void SetUp() override
    {
        OperatorFixture::SetUp();
        PutRow(QStringLiteral("Ma"), HashPassword(QStringLiteral("Old"), TestHashIterations));
        ASSERT_TRUE(operators.OpenOperator(QStringLiteral("Ma")));
    }
    RecordedMessages sink;
};

TEST_F(ModiPassDialog, ReportsTheConfirmationFirstThenTheOldPassword)
{
    TFrm_ModiPass dialog(operators);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), LoadResStr(1125));
    dialog.Edt_OldPass->setText(QStringLiteral("bad"));
    dialog.Edt_NewPass->setText(QStringLiteral("New"));
    dialog.Edt_Confirm->setText(QStringLiteral("NEW"));
    dialog.Btn_OkClick();
    EXPECT_EQ(sink.Entries(), std::vector{Error(1130)});
    EXPECT_EQ(dialog.focusWidget(), dialog.Edt_Confirm);

    dialog.Edt_Confirm->setText(QStringLiteral("New"));
    dialog.Btn_OkClick();
    EXPECT_EQ(sink.Entries(), (std::vector{Error(1130), Error(1129)}));
    EXPECT_EQ(dialog.focusWidget(), dialog.Edt_OldPass);
    EXPECT_TRUE(dialog.isVisible());

    dialog.Edt_OldPass->setText(QStringLiteral("Old"));
    dialog.Btn_OkClick();
    EXPECT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const QString stored = StoredPassword(QStringLiteral("Ma"));
    EXPECT_TRUE(PasswordMatches(stored, QStringLiteral("New")));
    EXPECT_FALSE(stored.contains(QStringLiteral("New")));
}

TEST_F(ModiPassDialog, NewPasswordsStayTypeableAtLogin)
{
    TFrm_ModiPass dialog(operators);
    Type(dialog.Edt_NewPass, QStringLiteral("密码密码密"));
    EXPECT_EQ(dialog.Edt_NewPass->text(), QStringLiteral("密码密码"));
    for (QLineEdit* e : {dialog.Edt_OldPass, dialog.Edt_NewPass, dialog.Edt_Confirm})
        EXPECT_EQ(e->echoMode(), QLineEdit::Password);
}

class OperatorEditor : public OperatorFixture {
protected:
    void SetUp() override
    {
        OperatorFixture::SetUp();
        PutRow(QStringLiteral("Chen"), QString(), 0, true);
        PutRow(QStringLiteral("Zhou"), QString(), 0, false, QStringLiteral("收银"));
        Opened();
    }
    RecordedMessages sink;
};

TEST_F(OperatorEditor, AddStartsEmptyAndRefusesAnExistingName)
{
    operators.SetCurrent(1);
    TFrm_OperatorEdt editor(operators);
    editor.show();
    editor.Start(TOperatorEditMode::Add);
    EXPECT_EQ(editor.windowTitle(), LoadResStr(1121));
    EXPECT_TRUE(editor.Edt_Name->text().isEmpty());
    EXPECT_TRUE(editor.Rbn_Male->isChecked());
    EXPECT_EQ(editor.focusWidget(), editor.Edt_Name);

    editor.Edt_Name->setText(QStringLiteral("chen"));
    editor.Btn_OkClick();
    EXPECT_EQ(sink.Entries(), std::vector{Error(1120)});
    EXPECT_NE(editor.result(), QDialog::Accepted);
    EXPECT_EQ(operators.Count(), 2);
    EXPECT_EQ(operators.Current(), 1);

    editor.Edt_Name->setText(QStringLiteral("Wu"));
    editor.Rbn_Female->setChecked(true);
    editor.Edt_Duty->setText(QStringLiteral("经理"));
    editor.Btn_OkClick();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    ASSERT_EQ(operators.Count(), 3);
    EXPECT_EQ(operators.Row(2).Name, QStringLiteral("Wu"));
    EXPECT_EQ(operators.Row(2).Sex, QVariant(false));
    EXPECT_EQ(Column(QStringLiteral("Duty")).last(), QStringLiteral("经理"));
}

TEST_F(OperatorEditor, ModifyShowsTheCurrentRowAndRefusesItsOwnNameInOtherCase)
{
    operators.SetCurrent(1);
    TFrm_OperatorEdt editor(operators);
    editor.Start(TOperatorEditMode::Modify);
    EXPECT_EQ(editor.windowTitle(), LoadResStr(1122));
    EXPECT_EQ(editor.Edt_Name->text(), QStringLiteral("Zhou"));
    EXPECT_TRUE(editor.Rbn_Female->isChecked());
    EXPECT_EQ(editor.Edt_Duty->text(), QStringLiteral("收银"));

    editor.Edt_Name->setText(QStringLiteral("ZHOU"));
    editor.Btn_OkClick();
    EXPECT_EQ(sink.Entries(), std::vector{Error(1120)});
    EXPECT_EQ(Column(QStringLiteral("Name")), (QStringList{QStringLiteral("Chen"), QStringLiteral("Zhou")}));

    // Reused for the next operator, the editor starts again from that row.
    operators.SetCurrent(0);
    editor.Start(TOperatorEditMode::Modify);
    EXPECT_EQ(editor.Edt_Name->text(), QStringLiteral("Chen"));
    EXPECT_TRUE(editor.Rbn_Male->isChecked());
    EXPECT_TRUE(editor.Edt_Duty->text().isEmpty());
}

class PopedomEditor : public OperatorFixture {
protected:
    RecordedMessages sink;
};

TEST_F(PopedomEditor, ItemsFollowTheBitsAndOkStoresExactlyTheCheckedOnes)
{
    PutRow(QStringLiteral("A"), QString(), 0x1000 | 0x80);
    TFrm_PopedomEdt editor(Opened());
    EXPECT_EQ(editor.windowTitle(), LoadResStr(1124));
    const int texts[] = {203, 204, 205, 206, 225, 207, 208, 236, 237, 238};
    ASSERT_EQ(editor.Lst_Popedom->count(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(editor.Lst_Popedom->item(i)->text(), LoadResStr(texts[i])) << i;
        EXPECT_EQ(editor.Lst_Popedom->item(i)->checkState(), i == 7 ? Qt::Checked : Qt::Unchecked) << i;
    }
    editor.Lst_Popedom->item(7)->setCheckState(Qt::Unchecked);
    editor.Lst_Popedom->item(0)->setCheckState(Qt::Checked);
    editor.Lst_Popedom->item(2)->setCheckState(Qt::Checked);
    editor.Btn_OkClick();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(Column(QStringLiteral("Popedom")), QStringList{QStringLiteral("5")});
}

class ManageWindow : public OperatorFixture {
protected:
    void SetUp() override
    {
        OperatorFixture::SetUp();
        login.LoggedIn = true;
        login.RowId = 1;  // the first row a test puts
        login.Name = QStringLiteral("Boss");
    }
    static std::vector<bool> RowButtons(const TFrm_OperateManage& w)
    {
        return {w.Btn_Modify->isEnabled(), w.Btn_Del->isEnabled(), w.Btn_Popedom->isEnabled(),
                w.Btn_ModiPass->isEnabled()};
    }
    RecordedMessages sink;
    TLoginMsg login;
};

TEST_F(ManageWindow, EmptyTableLeavesOnlyAddUsable)
{
    TFrm_OperateManage window(Opened(), login);
    EXPECT_EQ(window.windowTitle(), LoadResStr(1110));
    EXPECT_TRUE(window.Btn_Add->isEnabled());
    EXPECT_EQ(RowButtons(window), std::vector<bool>(4, false));
    const QStringList captions = {window.Btn_Add->text(), window.Btn_Modify->text(), window.Btn_Del->text(),
                                  window.Btn_Popedom->text(), window.Btn_ModiPass->text()};
    EXPECT_EQ(captions, (QStringList{LoadResStr(1116), LoadResStr(1117), LoadResStr(1118), LoadResStr(1119),
                                     LoadResStr(226)}));
}

TEST_F(ManageWindow, ListShowsNameSexAndJobTitle)
{
    PutRow(QStringLiteral("Boss"), QString(), 0, true, QStringLiteral("经理"));
    PutRow(QStringLiteral("Clerk"), QString(), 0, false);
    PutRow(QStringLiteral("Old"), QString(), 0, QVariant());
    TFrm_OperateManage window(Opened(), login);
    QAbstractItemModel* model = window.SGrd_Operators->model();
    ASSERT_EQ(model->rowCount(), 3);
    QStringList headers;
    for (int c = 0; c < model->columnCount(); ++c)
        headers << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{LoadResStr(1111), LoadResStr(1112), LoadResStr(1113)}));
    const auto cell = [&](int r, int c) { return model->index(r, c).data().toString(); };
    EXPECT_EQ(cell(0, 0), QStringLiteral("Boss"));
    EXPECT_EQ(cell(0, 1), LoadResStr(1114));
    EXPECT_EQ(cell(0, 2), QStringLiteral("经理"));
    EXPECT_EQ(cell(1, 1), LoadResStr(1115));
    EXPECT_EQ(cell(2, 1), QString());
    EXPECT_EQ(window.SGrd_Operators->columnWidth(0), 120);
    EXPECT_EQ(window.SGrd_Operators->columnWidth(1), 70);
    EXPECT_EQ(window.SGrd_Operators->columnWidth(2), 120);

    // The selected list row is the row the buttons work on.
    window.SGrd_Operators->setCurrentIndex(model->index(2, 0));
    EXPECT_EQ(operators.Current(), 2);
}

TEST_F(ManageWindow, DeleteRefusesTheLoggedInOperatorAndAsksBeforeDeletingAnother)
{
    PutRow(QStringLiteral(" Boss"), QString());
    PutRow(QStringLiteral("Clerk"), QString());
    TFrm_OperateManage window(Opened(), login);
    QAbstractItemModel* model = window.SGrd_Operators->model();

    window.SGrd_Operators->setCurrentIndex(model->index(0, 0));
    window.Btn_DelClick();
    EXPECT_EQ(sink.Entries(), std::vector{Warning(1131)});
    EXPECT_EQ(model->rowCount(), 2);

    window.SGrd_Operators->setCurrentIndex(model->index(1, 0));
    sink.answer = QMessageBox::No;
    window.Btn_DelClick();
    EXPECT_EQ(sink.Entries().back(), (RecordedMessages::Entry{TMessageKind::Confirm, LoadResStr(1123)}));
    EXPECT_EQ(Column(QStringLiteral("Name")).size(), 2);

    sink.answer = QMessageBox::Yes;
    window.Btn_DelClick();
    EXPECT_EQ(sink.shown.size(), 3u);
    EXPECT_EQ(Column(QStringLiteral("Name")), QStringList{QStringLiteral(" Boss")});
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(RowButtons(window), std::vector<bool>(4, true));
}

TEST_F(ManageWindow, DeletingTheLastOperatorDisablesTheRowButtons)
{
    PutRow(QStringLiteral("Clerk"), QString());
    login.RowId = 2;  // logged in under a row that is gone
    TFrm_OperateManage window(Opened(), login);
    EXPECT_EQ(RowButtons(window), std::vector<bool>(4, true));
    window.Btn_DelClick();
    EXPECT_EQ(window.SGrd_Operators->model()->rowCount(), 0);
    EXPECT_EQ(RowButtons(window), std::vector<bool>(4, false));
    EXPECT_TRUE(window.Btn_Add->isEnabled());
}

}  // namespace

TEST_F(ManageWindow, RenamingTheLoggedInOperatorKeepsHimLoggedInAsTheNewName)
{
    PutRow(QStringLiteral("Boss"), QString());
    PutRow(QStringLiteral("Clerk"), QString());
    TFrm_OperateManage window(Opened(), login);
    window.SGrd_Operators->setCurrentIndex(window.SGrd_Operators->model()->index(0, 0));
    // The editor runs modally: fill it in once it is up.
    QTimer::singleShot(0, [] {
        auto* editor = qobject_cast<TFrm_OperatorEdt*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        editor->Edt_Name->setText(QStringLiteral("Chief"));
        editor->Btn_OkClick();
    });
    window.Btn_ModifyClick();
    EXPECT_EQ(login.Name, QStringLiteral("Chief"));
    EXPECT_EQ(Column(QStringLiteral("Name")), (QStringList{QStringLiteral("Chief"), QStringLiteral("Clerk")}));

    // He still may not delete himself.
    window.SGrd_Operators->setCurrentIndex(window.SGrd_Operators->model()->index(0, 0));
    window.Btn_DelClick();
    EXPECT_EQ(sink.Entries(), std::vector{Warning(1131)});
}
