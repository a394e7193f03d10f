// The windows over the headless reports: conditions dialogs fill and store as
// the operator leaves them; results arrive from the worker without blocking.
#include "CallLogRows.h"
#include "XlsxContent.h"
#include "support/RecordedMessages.h"
#include "support/TestEnvironment.h"

#include "layout/LayoutModel.h"
#include "reports/HistoryModel.h"
#include "reports/HistoryQuery.h"
#include "reports/ui/ExportFile.h"
#include "reports/ui/HistoryTerm.h"
#include "reports/ui/HistoryWindow.h"
#include "reports/ui/StatisticsWindow.h"
#include "reports/ui/StatTerm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTableWidget>

namespace {

TLayOutTree Restaurant()
{
    TLayOutTree tree;
    for (const auto& [name, points] : {std::pair{"大厅", QStringList{"A1", "A2"}}, std::pair{"包间", QStringList{"VIP1"}}}) {
        auto node = std::make_unique<TLayOutNode>();
        node->Name = name;
        for (const QString& p : points)
            node->Points.push_back(TLayOutPoint{.Name = p});
        tree.Layouts.push_back(std::move(node));
    }
    return tree;
}

// Runs the event loop until done() or five seconds have passed.
bool WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

class ReportWindowsTest : public CallLogTest {
protected:
    void SetUp() override
    {
        CallLogTest::SetUp();
        env = TestEnvironment(tmp.path());
    }
    TEnvironment env;
    TLayOutTree tree = Restaurant();
};

TEST_F(ReportWindowsTest, HistoryConditionsKeepWhatTheOperatorChose)
{
    TFrm_HistoryTerm term(nullptr, tree, env);
    THistoryQuery q = DefaultHistoryQuery(QDate(2026, 3, 15));
    q.Area = "包间";        // stored as chosen; shown ignoring case
    q.Desktop = "vip1";
    q.SvrState = 2;
    term.ShowConditions(q, QDate(2026, 3, 15));
    EXPECT_EQ(term.Cbx_Area->currentText(), "包间");
    EXPECT_EQ(term.Cbx_Desktop->currentText(), "VIP1");
    EXPECT_EQ(term.Cbx_SvrState->currentIndex(), 2);

    // An area, then "所有" as position: the area alone.
    term.Cbx_Area->setCurrentIndex(1);
    EXPECT_EQ(term.Cbx_Desktop->count(), 3);
    EXPECT_EQ(term.Cbx_Desktop->currentIndex(), 0);
    term.Edt_SvrPersonnel->setText(" 张三");
    THistoryQuery stored;
    term.StoreConditions(stored, QDate(2026, 3, 15));
    EXPECT_EQ(stored.Area, "大厅");
    EXPECT_EQ(stored.Desktop, "");
    EXPECT_EQ(stored.SvrPersonnel, " 张三");
    EXPECT_EQ(stored.SDate, QDate(2026, 1, 1));
    EXPECT_EQ(stored.SvrState, 2);

    // An area that no layout has any more: nothing selected, which stores as "所有".
    q.Area = "露台";
    term.ShowConditions(q, QDate(2026, 3, 15));
    term.StoreConditions(stored, QDate(2026, 3, 15));
    EXPECT_EQ(stored.Area, "");
}

TEST_F(ReportWindowsTest, AnEndDateLeftAtTodayIsTheDayTheDialogOpens)
{
    TFrm_HistoryTerm term(nullptr, tree, env);
    THistoryQuery q = DefaultHistoryQuery(QDate(2026, 3, 15));   // the station started on the 15th
    term.ShowConditions(q, QDate(2026, 3, 17));
    EXPECT_EQ(term.Dtp_EDate->date(), QDate(2026, 3, 17));
    term.StoreConditions(q, QDate(2026, 3, 17));
    EXPECT_EQ(q.EDate, QDate(2026, 3, 17));
    term.ShowConditions(q, QDate(2026, 3, 18));
    EXPECT_EQ(term.Dtp_EDate->date(), QDate(2026, 3, 18));
    // A day the operator chose stays chosen.
    term.Dtp_EDate->setDate(QDate(2026, 3, 10));
    term.StoreConditions(q, QDate(2026, 3, 18));
    term.ShowConditions(q, QDate(2026, 3, 20));
    EXPECT_EQ(term.Dtp_EDate->date(), QDate(2026, 3, 10));
}

TEST_F(ReportWindowsTest, HistoryWindowShowsTheRowsAndExportsThem)
{
    Log({.date = "2026-03-02", .server = "李四"});
    Log({.date = "2026-03-03", .procTime = {}, .proc = {}, .state = 1});
    THistoryQuery query = DefaultHistoryQuery(QDate(2026, 3, 15));
    TFrm_HistoryTerm term(nullptr, tree, env);
    TFrm_History window(nullptr, term, query, env);
    window.QueryHistoryRecord();
    ASSERT_TRUE(WaitFor([&] { return !window.Model().Counting() && !window.Model().data(window.Model().index(1, 0)).isNull(); }));
    EXPECT_EQ(window.Model().rowCount(), 2);
    EXPECT_EQ(window.Model().data(window.Model().index(0, 5)).toString(), "李四");

    RecordedMessages messages;   // the file cannot be opened on the test platform: a notice says where it is
    const QString path = tmp.filePath("h.xlsx");
    std::optional<TExportResult> result;
    window.ExportTo(path, [&](TExportResult r) { result = r; });
    ASSERT_TRUE(WaitFor([&] { return result.has_value(); }));
    EXPECT_EQ(*result, TExportResult::Done);
    const XlsxContent x = ReadXlsx(path);
    EXPECT_EQ(x.sheetName, "历史呼叫记录");
    EXPECT_EQ(x.rows, 5);
    EXPECT_EQ(x.at("A2")->value, "2026-01-01 ~ 2026-03-15");   // the conditions' period, above the titles
    EXPECT_EQ(x.at("I5"), nullptr);   // no processing time in a row that timed out
}

TEST_F(ReportWindowsTest, StatisticsWindowFillsTheGridAndEnablesItsOutputs)
{
    Log({.date = "2026-03-10", .server = "张三"});
    Log({.date = "2026-03-11", .server = "李四", .state = 1});
    TFrm_Statistics window(nullptr, store, tree, QDate(2026, 3, 15), env);
    EXPECT_FALSE(window.Mnu_Export->isEnabled());
    EXPECT_FALSE(window.Mnu_CallChart->isEnabled());

    TReportRequest r;
    r.Kind = TReportKind::StaffMonth;
    r.Today = QDate(2026, 3, 15);
    std::optional<bool> ran;
    window.RunStatReport(r, [&](bool ok) { ran = ok; });
    ASSERT_TRUE(WaitFor([&] { return ran.has_value(); }));
    EXPECT_TRUE(*ran);
    EXPECT_EQ(window.windowTitle(), "本月各员工服务合格率统计表");
    EXPECT_EQ(window.SGrd_Result->rowCount(), 3);
    EXPECT_EQ(window.SGrd_Result->item(2, 1)->text(), "合计");
    EXPECT_EQ(window.SGrd_Result->item(2, 4)->text(), "50.00");
    EXPECT_TRUE(window.SGrd_Result->item(0, 2)->textAlignment() & Qt::AlignRight);   // figures
    EXPECT_TRUE(window.SGrd_Result->item(0, 4)->textAlignment() & Qt::AlignRight);
    EXPECT_FALSE(window.SGrd_Result->item(0, 1)->textAlignment() & Qt::AlignRight);  // names
    EXPECT_TRUE(window.Mnu_RateChart->isEnabled());
    EXPECT_TRUE(window.Mnu_Print->isEnabled());

    // A period without calls: export and print stay, the charts go.
    r.Kind = TReportKind::StaffToday;
    ran.reset();
    window.RunStatReport(r, [&](bool ok) { ran = ok; });
    ASSERT_TRUE(WaitFor([&] { return ran.has_value(); }));
    EXPECT_EQ(window.SGrd_Result->rowCount(), 1);
    EXPECT_FALSE(window.Mnu_CallChart->isEnabled());
    EXPECT_TRUE(window.Mnu_Export->isEnabled());

    std::optional<bool> exported;
    window.ExportTo(tmp.filePath("s.xlsx"), [&](bool ok) { exported = ok; });
    ASSERT_TRUE(WaitFor([&] { return exported.has_value(); }));
    EXPECT_TRUE(*exported);
    EXPECT_EQ(ReadXlsx(tmp.filePath("s.xlsx")).rows, 4);   // report, period, titles and the totals row
}

// A message box runs an event loop of its own until it is answered: this one
// runs it a moment, then notes whether a progress box stands on the screen too.
class ModalMessages final : public TMessageSink {
public:
    ModalMessages() : previous_(SetMessageSink(this)) {}
    ~ModalMessages() override { SetMessageSink(previous_); }

    QMessageBox::StandardButton Show(QWidget*, const TMessage& message) override
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 700)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        bool covered = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            covered = covered || (qobject_cast<QProgressDialog*>(w) && w->isVisible());
        shown.push_back({message.Kind, message.Text, covered});
        return QMessageBox::Ok;
    }

    struct Entry {
        TMessageKind kind;
        QString text;
        bool covered;
    };
    std::vector<Entry> shown;

private:
    TMessageSink* previous_;
};

// The window and its worker run with the environment the window was opened with: a settings
// change made on the window thread meanwhile reaches the next window, never a report under way.
TEST_F(ReportWindowsTest, AReportShowsDatesAsTheWindowWasOpenedWith)
{
    Log({.date = "2026-03-10", .server = "张三"});
    const struct {
        const char* what;
        QString openedWith;
        QString changedTo;   // after the window opened, before its report
        QString period;
    } cases[] = {
        {"day first", QStringLiteral("dd/MM/yyyy"), {}, QStringLiteral("01/03/2026  ~  31/03/2026")},
        {"changed after opening", QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd/MM/yyyy"),
         QStringLiteral("2026-03-01  ~  2026-03-31")},
    };
    for (const auto& c : cases) {
        env.Formats.Display = c.openedWith;
        TFrm_Statistics window(nullptr, store, tree, QDate(2026, 3, 15), env);
        if (!c.changedTo.isEmpty())
            env.Formats.Display = c.changedTo;
        TReportRequest r;
        r.Kind = TReportKind::StaffConditions;
        r.From = QDate(2026, 3, 1);
        r.To = QDate(2026, 3, 31);
        std::optional<bool> ran;
        window.RunStatReport(r, [&](bool ok) { ran = ok; });
        ASSERT_TRUE(WaitFor([&] { return ran.has_value(); })) << c.what;
        EXPECT_TRUE(*ran) << c.what;
        EXPECT_EQ(window.Report().Period, c.period) << c.what;
    }
}

TEST_F(ReportWindowsTest, AnExportsResultIsTheOnlyBoxLeftOnTheScreen)
{
    Log({.date = "2026-03-02"});
    THistoryQuery query = DefaultHistoryQuery(QDate(2026, 3, 15));
    TFrm_HistoryTerm term(nullptr, tree, env);
    TFrm_History history(nullptr, term, query, env);
    history.QueryHistoryRecord();
    ASSERT_TRUE(WaitFor([&] { return !history.Model().Counting(); }));
    TFrm_Statistics statistics(nullptr, store, tree, QDate(2026, 3, 15), env);

    ModalMessages messages;
    std::optional<TExportResult> written;
    history.ExportTo(tmp.filePath("h.xlsx"), [&](TExportResult r) { written = r; });
    ASSERT_TRUE(WaitFor([&] { return written.has_value(); }));
    std::optional<bool> failed;   // a folder that is not there
    statistics.ExportTo(tmp.filePath("missing/s.xlsx"), [&](bool ok) { failed = ok; });
    ASSERT_TRUE(WaitFor([&] { return failed.has_value(); }));

    ASSERT_EQ(messages.shown.size(), 2u);
    // Done, whether or not a program could open the file.
    EXPECT_EQ(messages.shown[0].kind, TMessageKind::Notice);
    EXPECT_TRUE(messages.shown[0].text.contains(QDir::toNativeSeparators(tmp.filePath("h.xlsx"))));
    EXPECT_EQ(messages.shown[1].kind, TMessageKind::Error);
    for (const auto& m : messages.shown)
        EXPECT_FALSE(m.covered) << m.text.toStdString();
}

TEST_F(ReportWindowsTest, TheReplaceQuestionNamesTheFileThatIsWritten)
{
    QFile old(tmp.filePath("报表.xlsx"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    RecordedMessages messages;
    messages.answer = QMessageBox::No;
    // Typed without the suffix, or as .xls: the file written is the .xlsx, which is there.
    EXPECT_EQ(ExportPathFor(nullptr, tmp.filePath("报表")), "");
    EXPECT_EQ(ExportPathFor(nullptr, tmp.filePath("报表.xls")), "");
    messages.answer = QMessageBox::Yes;
    EXPECT_EQ(ExportPathFor(nullptr, tmp.filePath("报表")), tmp.filePath("报表.xlsx"));
    ASSERT_EQ(messages.shown.size(), 3u);
    for (const TMessage& m : messages.shown) {
        EXPECT_EQ(m.Kind, TMessageKind::Confirm);
        EXPECT_TRUE(m.Text.contains(QDir::toNativeSeparators(tmp.filePath("报表.xlsx")))) << m.Text.toStdString();
    }
    EXPECT_EQ(ExportPathFor(nullptr, tmp.filePath("新.xls")), tmp.filePath("新.xlsx"));   // nothing to replace: no question
    EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(ReportWindowsTest, StatConditionsShowTheRowsOfTheirTag)
{
    TFrm_StatTerm term(nullptr, tree, {"张三", "李四"}, QDate(2026, 3, 15), env.Formats.Picker);
    term.show();
    term.SetTag(StaffTerm);
    EXPECT_TRUE(term.Cbx_Staff->isVisible());
    EXPECT_FALSE(term.Cbx_Area->isVisible());
    EXPECT_EQ(term.Cbx_Staff->count(), 3);
    term.SetTag(YearTerm);
    EXPECT_TRUE(term.Dtp_Year->isVisible());
    EXPECT_FALSE(term.Dtp_SDate->isVisible());
    term.SetTag(PositionTerm);
    term.Cbx_Area->setCurrentIndex(2);
    term.Cbx_Desktop->setCurrentIndex(1);
    TReportRequest r;
    term.StoreConditions(r);
    EXPECT_EQ(r.Area, "包间");
    EXPECT_EQ(r.Position, "VIP1");
    EXPECT_EQ(r.Staff, "");
    EXPECT_EQ(r.From, QDate(2026, 3, 15));
}

}  // namespace
