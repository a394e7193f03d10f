// The windows over the headless reports: conditions dialogs fill and store as
// the operator leaves them; results arrive from the worker without blocking.
#include "CallLogRows.h"
#include "XlsxContent.h"
#include "support/RecordedMessages.h"

#include "core/Paths.h"
#include "layout/LayoutModel.h"
#include "reports/HistoryModel.h"
#include "reports/HistoryQuery.h"
#include "reports/ui/HistoryTerm.h"
#include "reports/ui/HistoryWindow.h"
#include "reports/ui/StatisticsWindow.h"
#include "reports/ui/StatTerm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLineEdit>
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
        DataDir = tmp.path();
    }
    TLayOutTree tree = Restaurant();
};

TEST_F(ReportWindowsTest, HistoryConditionsKeepWhatTheOperatorChose)
{
    TFrm_HistoryTerm term(nullptr, tree);
    THistoryQuery q = DefaultHistoryQuery(QDate(2026, 3, 15));
    q.Area = "包间";        // stored as chosen; shown ignoring case
    q.Desktop = "vip1";
    q.SvrState = 2;
    term.ShowConditions(q);
    EXPECT_EQ(term.Cbx_Area->currentText(), "包间");
    EXPECT_EQ(term.Cbx_Desktop->currentText(), "VIP1");
    EXPECT_EQ(term.Cbx_SvrState->currentIndex(), 2);

    // An area, then "所有" as position: the area alone.
    term.Cbx_Area->setCurrentIndex(1);
    EXPECT_EQ(term.Cbx_Desktop->count(), 3);
    EXPECT_EQ(term.Cbx_Desktop->currentIndex(), 0);
    term.Edt_SvrPersonnel->setText(" 张三");
    THistoryQuery stored;
    term.StoreConditions(stored);
    EXPECT_EQ(stored.Area, "大厅");
    EXPECT_EQ(stored.Desktop, "");
    EXPECT_EQ(stored.SvrPersonnel, " 张三");
    EXPECT_EQ(stored.SDate, QDate(2026, 1, 1));
    EXPECT_EQ(stored.SvrState, 2);

    // An area that no layout has any more: nothing selected, which stores as "所有".
    q.Area = "露台";
    term.ShowConditions(q);
    term.StoreConditions(stored);
    EXPECT_EQ(stored.Area, "");
}

TEST_F(ReportWindowsTest, HistoryWindowShowsTheRowsAndExportsThem)
{
    Log({.date = "2026-03-02", .server = "李四"});
    Log({.date = "2026-03-03", .procTime = {}, .proc = {}, .state = 1});
    HistoryQuery = DefaultHistoryQuery(QDate(2026, 3, 15));
    TFrm_HistoryTerm term(nullptr, tree);
    TFrm_History window(nullptr, term);
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
    EXPECT_EQ(x.rows, 3);
    EXPECT_EQ(x.at("I3"), nullptr);   // no processing time in a row that timed out
}

TEST_F(ReportWindowsTest, StatisticsWindowFillsTheGridAndEnablesItsOutputs)
{
    Log({.date = "2026-03-10", .server = "张三"});
    Log({.date = "2026-03-11", .server = "李四", .state = 1});
    TFrm_Statistics window(nullptr, store, tree, QDate(2026, 3, 15));
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
    EXPECT_EQ(ReadXlsx(tmp.filePath("s.xlsx")).rows, 2);   // titles and the totals row
}

TEST_F(ReportWindowsTest, StatConditionsShowTheRowsOfTheirTag)
{
    TFrm_StatTerm term(nullptr, tree, {"张三", "李四"}, QDate(2026, 3, 15));
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
