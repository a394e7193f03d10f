// Cleanup deletes every call up to and including the chosen day, after one question
// that names the day and how many calls go.
#include "JobWait.h"
#include "core/DateFormats.h"
#include "core/ResStrings.h"
#include "maintenance/ui/CleanupDialog.h"
#include "support/RecordedMessages.h"
#include "support/StoreTest.h"

#include <QDateEdit>
#include <QProgressDialog>
#include <QPushButton>

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
    TFrm_Cleanup dialog(store, QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(dialog.windowTitle(), LoadResStr(229));
    EXPECT_EQ(dialog.Dtp_Date->date(), QDate::currentDate());
    dialog.Dtp_Date->setDate(QDate(2024, 1, 1));
    const RecordedMessages::Entry question{TMessageKind::Confirm, LoadResStr(3205).arg(QStringLiteral("01/01/2024")).arg(3)};

    sink.answer = QMessageBox::No;
    dialog.Btn_ClearClick();
    ASSERT_TRUE(JobEnded(dialog.Btn_Clear));
    EXPECT_EQ(sink.Entries(), std::vector{question});
    EXPECT_EQ(Left(), 4);

    sink.answer = QMessageBox::Yes;
    dialog.Btn_ClearClick();
    ASSERT_TRUE(RunEventsUntil([&] { return sink.Entries().size() == 3; }));
    EXPECT_EQ(sink.Entries(), (std::vector{question, question, {TMessageKind::Notice, LoadResStr(1618)}}));
    EXPECT_EQ(Left(), 1);
}

// The deletion waits for a program writing the call log while the window thread goes on:
// the progress shows, and its cancel button deletes nothing.
TEST_F(Cleanup, TheDeletionShowsItsProgressAndItsCancelDeletesNothing)
{
    RecordedMessages sink;
    TFrm_Cleanup dialog(store, QString(IsoDateFormat));
    dialog.Dtp_Date->setDate(QDate(2024, 1, 1));
    TTableFileLock lock(tmp.filePath("CallInfo.db"), "immediate");
    ASSERT_TRUE(lock.Locked());

    dialog.Btn_ClearClick();
    ASSERT_TRUE(RunEventsUntil([&] { return sink.Entries().size() == 1; }));  // counted, asked, deleting
    QProgressDialog* progress = nullptr;
    ASSERT_TRUE(RunEventsUntil([&] {
        for (auto* p : dialog.findChildren<QProgressDialog*>())
            if (p->isVisible())
                progress = p;
        return progress != nullptr;
    }));
    EXPECT_EQ(progress->labelText(), LoadResStr(3218));
    progress->findChild<QPushButton*>()->click();
    lock.Release();
    ASSERT_TRUE(JobEnded(dialog.Btn_Clear));

    EXPECT_EQ(Left(), 4);
    EXPECT_EQ(sink.Entries().size(), 1u);
}

}  // namespace
