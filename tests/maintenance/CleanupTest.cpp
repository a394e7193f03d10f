// Cleanup deletes every call up to and including the chosen day, after one question
// that names the day and how many calls go.
#include "core/Paths.h"
#include "core/ResStrings.h"
#include "maintenance/ui/CleanupDialog.h"
#include "support/RecordedMessages.h"
#include "support/StoreTest.h"

#include <QDateEdit>

namespace {

class Cleanup : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        for (const QDate& day : {QDate(2023, 12, 31), QDate(2024, 1, 1), QDate(2024, 1, 1), QDate(2024, 1, 2)})
            Exec("insert into CallInfo (CallDate, CallTime) values(?, '12:00:00')", {day});
    }
    int Left()
    {
        TQuery q(store);
        q.SetSQL("select count(*) as n from CallInfo");
        EXPECT_TRUE(q.Open());
        return q.FieldAsInteger("n");
    }
};

TEST_F(Cleanup, TheDialogAsksWithTheDayAndTheCountBeforeDeleting)
{
    RecordedMessages sink;
    TFrm_Cleanup dialog(store);
    EXPECT_EQ(dialog.windowTitle(), LoadResStr(229));
    EXPECT_EQ(dialog.Dtp_Date->date(), QDate::currentDate());
    dialog.Dtp_Date->setDate(QDate(2024, 1, 1));
    const RecordedMessages::Entry question{TMessageKind::Confirm, LoadResStr(3205).arg(QDate(2024, 1, 1).toString(PickerDateFormat)).arg(3)};

    sink.answer = QMessageBox::No;
    dialog.Btn_ClearClick();
    EXPECT_EQ(sink.Entries(), std::vector{question});
    EXPECT_EQ(Left(), 4);

    sink.answer = QMessageBox::Yes;
    dialog.Btn_ClearClick();
    EXPECT_EQ(sink.Entries(), (std::vector{question, question, {TMessageKind::Notice, LoadResStr(1618)}}));
    EXPECT_EQ(Left(), 1);
}

}  // namespace
