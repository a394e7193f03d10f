// The staff window and its two dialogs, driven through their controls with the
// message boxes replaced.
#include "StaffTestData.h"
#include "core/DataStore.h"
#include "core/ResStrings.h"
#include "staff/ui/TableEditDialog.h"
#include "staff/ui/UserEditDialog.h"
#include "staff/ui/UserManageWindow.h"
#include "support/RecordedMessages.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Counts the acceptances of a dialog and keeps the messages it showed.
struct TDialogWatch {
    int Accepted = 0;
    RecordedMessages messages;

    template <class Dialog>
    void Watch(Dialog& dialog)
    {
        QObject::connect(&dialog, &QDialog::accepted, [this] { ++Accepted; });
    }
    // The numbers of the texts shown.
    std::vector<int> Texts() const
    {
        std::vector<int> ids;
        for (const TMessage& m : messages.shown)
            for (int id = 1300; id < 1330; ++id)
                if (LoadResStr(id) == m.Text)
                    ids.push_back(id);
        return ids;
    }
};

TEST(UserEditDialogTest, RefusedEntryKeepsTheDialogOpenWithTheFocusOnTheField)
{
    const TTextGrid staff = MakeStaff({{"7", "Ann"}});
    TFrm_UserEdit dialog(nullptr);
    TDialogWatch watch;
    watch.Watch(dialog);
    dialog.Start(staff, -1);
    EXPECT_EQ(dialog.windowTitle(), LoadResStr(1311));
    EXPECT_TRUE(dialog.Rbtn_Male->isChecked());
    EXPECT_EQ(dialog.focusWidget(), dialog.Edt_Number);

    dialog.Edt_Number->setText("8");
    dialog.Btn_Ok->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.Edt_Name);

    dialog.Edt_Name->setText("Bob");
    dialog.Edt_Number->setText(" 7");
    dialog.Edt_Name->setFocus();
    dialog.Btn_Ok->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.Edt_Number);
    EXPECT_EQ(watch.Texts(), std::vector<int>({1313, 1314}));
    EXPECT_EQ(watch.Accepted, 0);

    dialog.Edt_Number->setText(" 8 ");
    dialog.Rbtn_Female->setChecked(true);
    dialog.Edt_CancelAddr->setText("1a");
    dialog.Btn_Ok->click();
    EXPECT_EQ(watch.Accepted, 1);
    EXPECT_EQ(dialog.Row(), QStringList({"8", "Bob", LoadResStr(1115), "", "1a", ""}));
}

TEST(UserEditDialogTest, ModifyStartsFromTheRowAndKeepsItsNumber)
{
    TTextGrid staff = MakeStaff({{"1", "Ann"}});
    staff.Append({"2", "Bea", LoadResStr(1115), "555", "FF", "late"});
    TFrm_UserEdit dialog(nullptr);
    TDialogWatch watch;
    watch.Watch(dialog);
    dialog.Start(staff, 1);
    EXPECT_EQ(dialog.windowTitle(), LoadResStr(1312));
    EXPECT_EQ(dialog.Edt_Number->text(), "2");
    EXPECT_TRUE(dialog.Rbtn_Female->isChecked());
    EXPECT_EQ(dialog.Edt_CancelAddr->text(), "FF");
    dialog.Btn_Ok->click();
    EXPECT_EQ(watch.Accepted, 1);
    EXPECT_TRUE(watch.Texts().empty());

    // The next add starts empty again.
    dialog.Start(staff, -1);
    EXPECT_TRUE(dialog.Edt_Number->text().isEmpty());
    EXPECT_TRUE(dialog.Rbtn_Male->isChecked());
}

TEST(TableEditDialogTest, ChoicesComeFromTheStaffGridAndTheLayouts)
{
    const TTextGrid staff = MakeStaff({{"1", "Ann"}, {"2", "Bob"}});
    const TLayOutTree tree = MakeTree({{"Hall", {{1, "T1"}, {2, "T2"}}}, {"Patio", {{3, "P1"}}}});
    TFrm_TableEdit dialog(nullptr, tree);
    TDialogWatch watch;
    watch.Watch(dialog);
    dialog.Start(staff, nullptr);
    EXPECT_EQ(dialog.windowTitle(), LoadResStr(1320));
    EXPECT_EQ(dialog.Cbx_Name->count(), 2);
    EXPECT_EQ(dialog.Cbx_Name->currentIndex(), -1);
    EXPECT_EQ(dialog.Cbx_Area->currentIndex(), -1);
    EXPECT_EQ(dialog.Dtp_STime->time(), QTime(0, 0));

    dialog.Btn_Ok->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.Cbx_Name);
    dialog.Cbx_Name->setCurrentIndex(1);
    dialog.Btn_Ok->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.Cbx_Area);
    dialog.Cbx_Area->setCurrentIndex(1);
    EXPECT_EQ(dialog.Cbx_Position->count(), 1);
    EXPECT_EQ(dialog.Cbx_Position->currentIndex(), -1);
    dialog.Btn_Ok->click();
    EXPECT_EQ(dialog.focusWidget(), dialog.Cbx_Position);
    EXPECT_EQ(watch.Texts(), std::vector<int>({1322, 1323, 1324}));

    dialog.Cbx_Position->setCurrentIndex(0);
    dialog.Dtp_STime->setTime(QTime(22, 0));
    dialog.Dtp_ETime->setTime(QTime(6, 0));
    dialog.Btn_Ok->click();
    EXPECT_EQ(watch.Accepted, 1);
    EXPECT_EQ(dialog.Row(), QStringList({"2", "Bob", "22:00:00", "06:00:00", "Patio", "P1"}));
}

TEST(TableEditDialogTest, ModifyChoosesTheRowsValues)
{
    const TTextGrid staff = MakeStaff({{"1", "Ann"}, {"2", "Bob"}});
    const TLayOutTree tree = MakeTree({{"Hall", {{1, "T1"}, {2, "T2"}}}, {"Patio", {{3, "P1"}}}});
    TFrm_TableEdit dialog(nullptr, tree);
    const QStringList row = {"2", "Bob", "22:00:00", "06:30:15", "Hall", "T2"};
    dialog.Start(staff, &row);
    EXPECT_EQ(dialog.windowTitle(), LoadResStr(1321));
    EXPECT_EQ(dialog.Cbx_Name->currentText(), "Bob");
    EXPECT_EQ(dialog.Dtp_ETime->time(), QTime(6, 30, 15));
    EXPECT_EQ(dialog.Cbx_Area->currentText(), "Hall");
    EXPECT_EQ(dialog.Cbx_Position->count(), 2);
    EXPECT_EQ(dialog.Cbx_Position->currentText(), "T2");

    // A row whose staff member and point are gone chooses nothing.
    const QStringList orphan = {"9", "Zed", "01:00:00", "02:00:00", "", ""};
    dialog.Start(staff, &orphan);
    EXPECT_EQ(dialog.Cbx_Name->currentIndex(), -1);
    EXPECT_EQ(dialog.Cbx_Area->currentIndex(), -1);
    EXPECT_EQ(dialog.Cbx_Position->count(), 0);
}

class UserManageWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QString error;
        ASSERT_TRUE(store.Open(tmp.path(), &error)) << error.toStdString();
        Exec("insert into Waiter values('1', 'Ann', '', 1, 26, '')");
        Exec("insert into DutyTable values('1', 'Ann', '22:00:00', '06:00:00', 2)");
        Exec("insert into DutyTable values('1', 'Ann', '08:00:00', '12:00:00', 1)");
    }

    void Exec(const QString& sql)
    {
        QSqlQuery q(store.Database());
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
    }

    int Count(const QString& table)
    {
        QSqlQuery q(store.Database());
        EXPECT_TRUE(q.exec("select count(*) from " + table));
        return q.next() ? q.value(0).toInt() : -1;
    }

    QTemporaryDir tmp;
    TDM_Sys store;
    const TLayOutTree tree = MakeTree({{"Hall", {{1, "T1"}, {2, "T2"}}}});
};

TEST_F(UserManageWindowTest, PagesShowTheStoredRows)
{
    TFrm_UserManage window(nullptr, store, tree);
    QString error;
    ASSERT_TRUE(window.LoadData(&error)) << error.toStdString();
    ASSERT_EQ(window.SGrd_User->rowCount(), 1);
    EXPECT_EQ(window.SGrd_User->item(0, StaffCancelAddr)->text(), "1A");
    EXPECT_EQ(window.SGrd_User->horizontalHeaderItem(0)->text(), LoadResStr(1326));
    ASSERT_EQ(window.SGrd_Duty->rowCount(), 2);
    EXPECT_EQ(window.SGrd_Duty->item(0, DutyPosition)->text(), "T2");
    EXPECT_TRUE(window.Btn_UserModify->isEnabled());
    EXPECT_TRUE(window.Btn_DutyDelete->isEnabled());
    EXPECT_EQ(window.windowTitle(), LoadResStr(1300));
}

TEST_F(UserManageWindowTest, DeletingTheLastRowAsksAndDisablesModifyAndDelete)
{
    TFrm_UserManage window(nullptr, store, tree);
    ASSERT_TRUE(window.LoadData(nullptr));
    RecordedMessages asked;
    asked.answer = QMessageBox::No;
    window.Btn_UserDelete->click();
    EXPECT_TRUE(window.Data().Staff.HoldsRows());

    asked.answer = QMessageBox::Yes;
    window.Btn_UserDelete->click();
    EXPECT_FALSE(window.Data().Staff.HoldsRows());
    EXPECT_EQ(window.SGrd_User->rowCount(), 1);
    EXPECT_TRUE(window.SGrd_User->item(0, StaffName)->text().isEmpty());
    EXPECT_FALSE(window.Btn_UserModify->isEnabled());
    EXPECT_FALSE(window.Btn_UserDelete->isEnabled());
    // Duty rows naming the deleted staff member stay.
    EXPECT_EQ(window.Data().Duty.DataRowCount(), 2);

    window.SGrd_Duty->setCurrentCell(1, 0);
    window.Btn_DutyDelete->click();
    EXPECT_EQ(asked.Entries(), (std::vector<RecordedMessages::Entry>{{TMessageKind::Confirm, LoadResStr(1315)},
                                                                     {TMessageKind::Confirm, LoadResStr(1315)},
                                                                     {TMessageKind::Confirm, LoadResStr(1325)}}));
    EXPECT_EQ(window.SGrd_Duty->rowCount(), 1);
    EXPECT_TRUE(window.Btn_DutyDelete->isEnabled());
}

TEST_F(UserManageWindowTest, HeaderPressSortsAscendingThenDescending)
{
    TFrm_UserManage window(nullptr, store, tree);
    ASSERT_TRUE(window.LoadData(nullptr));
    QHeaderView* header = window.SGrd_Duty->horizontalHeader();
    emit header->sectionClicked(DutySTime);
    EXPECT_EQ(window.SGrd_Duty->item(0, DutySTime)->text(), "08:00:00");
    EXPECT_EQ(header->sortIndicatorSection(), DutySTime);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);

    emit header->sectionClicked(DutySTime);
    EXPECT_EQ(window.SGrd_Duty->item(0, DutySTime)->text(), "22:00:00");
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

    emit header->sectionClicked(DutyETime);
    EXPECT_EQ(window.Data().SortMarker, DutyETime + 1);
    EXPECT_EQ(window.SGrd_Duty->item(0, DutyETime)->text(), "06:00:00");
}

TEST_F(UserManageWindowTest, FailedSaveShowsTheErrorAndKeepsTheEdits)
{
    TFrm_UserManage window(nullptr, store, tree);
    ASSERT_TRUE(window.LoadData(nullptr));
    RecordedMessages messages;
    int accepted = 0;
    QObject::connect(&window, &QDialog::accepted, [&] { ++accepted; });

    window.Btn_DutyDelete->click();
    Exec("create trigger DutyTable.Refuse before insert on DutyTable begin select raise(abort, 'disk full'); end");
    window.Btn_Ok->click();
    ASSERT_EQ(messages.shown.size(), 2u);  // the delete question, then the error
    EXPECT_EQ(messages.shown[1].Kind, TMessageKind::Error);
    EXPECT_TRUE(messages.shown[1].Text.contains("disk full"));
    EXPECT_EQ(accepted, 0);
    EXPECT_EQ(window.Data().Duty.DataRowCount(), 1);
    EXPECT_EQ(Count("DutyTable"), 2);
    EXPECT_EQ(Count("Waiter"), 1);

    Exec("drop trigger DutyTable.Refuse");
    window.Btn_Ok->click();
    EXPECT_EQ(accepted, 1);
    EXPECT_EQ(Count("DutyTable"), 1);
}

TEST_F(UserManageWindowTest, AddPlacesTheNewStaffMemberAtTheSelectedRow)
{
    Exec("insert into Waiter values('2', 'Bob', '', 1, 0, '')");
    TFrm_UserManage window(nullptr, store, tree);
    ASSERT_TRUE(window.LoadData(nullptr));
    window.SGrd_User->setCurrentCell(1, 0);

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TFrm_UserEdit*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        dialog->Edt_Number->setText("3");
        dialog->Edt_Name->setText("Cid");
        dialog->Btn_Ok->click();
    });
    window.Btn_UserAdd->click();

    ASSERT_EQ(window.Data().Staff.DataRowCount(), 3);
    EXPECT_EQ(window.SGrd_User->item(1, StaffName)->text(), "Cid");
    EXPECT_EQ(window.SGrd_User->item(2, StaffName)->text(), "Bob");
    EXPECT_EQ(window.SGrd_User->currentRow(), 1);
}

}  // namespace
