// The layout editor window over a real store, with its questions answered by
// the test: point images and their numbering, dragging, renaming in the tree,
// closing with and without saving, and the call-point dialog's refusals.
#include "core/DataStore.h"
#include "core/ResStrings.h"
#include "layout/ui/CallPointEdt.h"
#include "layout/ui/EditorPlacement.h"
#include "layout/ui/LayOutEdit.h"
#include "support/RecordedMessages.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QValidator>
#include <gtest/gtest.h>

namespace {

class LayOutEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        ASSERT_TRUE(store.Open(tmp.path()));
        Exec(QStringLiteral("insert into LayOutName values(1, '大厅', '')"));
        Exec(QStringLiteral("insert into LayOutName values(2, 'Bar', '')"));
        for (int i = 0; i < 3; ++i)
            Exec(QStringLiteral("insert into LayOutPoint values(?, 1, ?, ?, 0, ?, 20, 0, 60, 40, '')"),
                 {0x100 + i, QStringLiteral("T%1").arg(i), i % 2, 10 + 100 * i});

    }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        TQuery q(store);
        q.SetSQL(sql);
        for (const QVariant& v : values)
            q.Bind(v);
        ASSERT_TRUE(q.ExecSQL()) << q.LastError().toStdString();
    }

    QStringList StoredLayouts()
    {
        TQuery q(store);
        q.SetSQL(QStringLiteral("select Name from LayOutName order by SN"));
        EXPECT_TRUE(q.Open());
        QStringList names;
        for (q.First(); !q.Eof(); q.Next())
            names << q.FieldAsString(QStringLiteral("Name"));
        return names;
    }

    std::unique_ptr<TFrm_LayOutEdit> OpenEditor()
    {
        auto editor = std::make_unique<TFrm_LayOutEdit>(store, TConfig());
        QString error;
        EXPECT_TRUE(editor->Load(&error)) << error.toStdString();
        editor->show();
        return editor;
    }

    static QTreeWidget* Tree(TFrm_LayOutEdit& editor)
    {
        return editor.findChild<QTreeWidget*>(QStringLiteral("Tvw_LayOut"));
    }

    static void SelectLayout(TFrm_LayOutEdit& editor, int index)
    {
        QTreeWidget* tree = Tree(editor);
        tree->setCurrentItem(tree->topLevelItem(0)->child(index));
    }

    static void Mouse(QWidget* target, QEvent::Type type, QPoint pos)
    {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, pos, target->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    QTemporaryDir tmp;
    TDM_Sys store;
    // The editor's questions (all under its own caption 111) and its notices with their captions.
    QStringList Asked() const
    {
        QStringList texts;
        for (const TMessage& m : messages.shown)
            if (m.Kind == TMessageKind::Confirm && m.CaptionId == 111)
                texts << m.Text;
        return texts;
    }
    QList<QPair<int, QString>> Told() const
    {
        QList<QPair<int, QString>> notices;
        for (const TMessage& m : messages.shown)
            if (m.Kind != TMessageKind::Confirm)
                notices << qMakePair(m.CaptionId, m.Text);
        return notices;
    }

    RecordedMessages messages;
};

TEST(EditorPlacement, CentredOnTheMainWindowAndInsideTheScreen)
{
    const QRect screen(0, 0, 1440, 900);
    const QSize editor(944, 668);  // 942 x 640 with its frame
    const struct {
        const char* what;
        QRect owner;
        QRect available;
        QRect placed;
    } cases[] = {
        {"room around", {242, 146, 956, 608}, screen, {248, 116, 944, 668}},
        {"main window low on the screen", {484, 292, 956, 608}, screen, {490, 232, 944, 668}},
        {"main window off the right edge", {900, 100, 956, 608}, screen, {496, 70, 944, 668}},
        {"a panel at the top", {0, 0, 956, 608}, {0, 28, 1440, 872}, {6, 28, 944, 668}},
        {"a screen smaller than the editor", {0, 0, 800, 560}, {0, 24, 800, 576}, {0, 24, 800, 576}},
        {"the second screen", {1600, 100, 956, 608}, {1440, 0, 1280, 800}, {1606, 70, 944, 668}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentredWithin(c.owner, editor, c.available), c.placed) << c.what;
}

TEST_F(LayOutEditTest, TheEditorOpensWhollyOnTheScreen)
{
    QWidget main;
    main.resize(956, 608);
    const QRect available = main.screen()->availableGeometry();
    main.move(available.right() - 600, available.bottom() - 400);  // moved far to the bottom right
    main.show();
    TFrm_LayOutEdit editor(store, TConfig(), &main);
    PlaceCentredOn(&editor, &main);
    editor.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(available.contains(editor.frameGeometry()))
        << editor.frameGeometry().x() << "," << editor.frameGeometry().y() << " "
        << editor.frameGeometry().width() << "x" << editor.frameGeometry().height();
}

TEST_F(LayOutEditTest, TheRootShowsNoPointsAndALayoutShowsOneImagePerPoint)
{
    auto editor = OpenEditor();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("场所布局图编辑"));
    EXPECT_EQ(Tree(*editor)->topLevelItem(0)->text(0), LoadResStr(1005));
    EXPECT_EQ(Tree(*editor)->topLevelItem(0)->childCount(), 2);
    EXPECT_TRUE(editor->Images().empty());

    SelectLayout(*editor, 0);
    ASSERT_EQ(editor->Images().size(), 3u);
    EXPECT_EQ(editor->Images()[2]->objectName(), QStringLiteral("Img2"));
    EXPECT_EQ(editor->Images()[2]->geometry(), QRect(210, 20, 60, 40));
    EXPECT_EQ(editor->Images()[2]->parentWidget(), editor->Panel());

    SelectLayout(*editor, 1);
    EXPECT_TRUE(editor->Images().empty());
}

TEST_F(LayOutEditTest, DeletingPointZeroOfThreeRenumbersTheOthersOnlyWhenConfirmed)
{
    auto editor = OpenEditor();
    SelectLayout(*editor, 0);

    messages.answer = QMessageBox::No;
    editor->Mnu_DelPointClick(0);
    EXPECT_EQ(Asked(), QStringList{QStringLiteral("真的要删除该呼叫点吗？")});
    EXPECT_EQ(editor->Images().size(), 3u);
    EXPECT_FALSE(editor->Model().Changed());

    messages.answer = QMessageBox::Yes;
    editor->Mnu_DelPointClick(0);
    ASSERT_EQ(editor->Images().size(), 2u);
    EXPECT_EQ(editor->Images()[0]->objectName(), QStringLiteral("Img0"));
    EXPECT_EQ(editor->Images()[1]->objectName(), QStringLiteral("Img1"));
    EXPECT_EQ(editor->Images()[0]->pos(), QPoint(110, 20));   // formerly point 1
    EXPECT_EQ(editor->Model().SelectedPoints()->at(0).Name, QStringLiteral("T1"));
    EXPECT_TRUE(editor->Model().Changed());
}

TEST_F(LayOutEditTest, DraggingAPointStopsAtTheLeftMarginAndThePanelsRightEdge)
{
    auto editor = OpenEditor();
    SelectLayout(*editor, 0);
    QLabel* image = editor->Images()[1];   // at (110, 20), 60 x 40
    Mouse(image, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(image, QEvent::MouseMove, QPoint(-500, 5));
    EXPECT_EQ(image->pos(), QPoint(3, 20));
    Mouse(image, QEvent::MouseMove, QPoint(5000, 5));
    EXPECT_EQ(image->pos().x(), editor->Panel()->width() - 60);
    Mouse(image, QEvent::MouseButtonRelease, QPoint(5000, 5));
    Mouse(image, QEvent::MouseMove, QPoint(-500, 5));   // no longer dragging
    EXPECT_EQ(image->pos().x(), editor->Panel()->width() - 60);

    const TLayOutPoint& point = editor->Model().SelectedPoints()->at(1);
    EXPECT_EQ(QPoint(point.XPos, point.YPos), image->pos());
    EXPECT_TRUE(editor->Model().Changed());
}

TEST_F(LayOutEditTest, RenamingInTheTreeRefusesBlanksAndCutsLongNames)
{
    auto editor = OpenEditor();
    QTreeWidgetItem* item = Tree(*editor)->topLevelItem(0)->child(1);
    item->setText(0, QStringLiteral("   "));
    EXPECT_EQ(item->text(0), QStringLiteral("Bar"));
    EXPECT_FALSE(editor->Model().Changed());

    item->setText(0, QString(25, QChar(0x5385)));
    EXPECT_EQ(item->text(0), QString(21, QChar(0x5385)));
    EXPECT_EQ(editor->Model().Layout(1).Name, item->text(0));
    EXPECT_TRUE(editor->Model().Changed());
}

TEST_F(LayOutEditTest, ClosingWithoutChangesAsksNothingAndClosingWithThemOffersToSave)
{
    {
        auto editor = OpenEditor();
        editor->reject();
        EXPECT_TRUE(Asked().isEmpty());
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(editor->result(), QDialog::Rejected);
    }

    auto editor = OpenEditor();
    SelectLayout(*editor, 1);
    messages.answer = QMessageBox::Yes;
    editor->Mnu_DelLayOutClick();
    EXPECT_EQ(Asked().last(), QStringLiteral("确认要删除该场所布局图吗？"));

    messages.answer = QMessageBox::Cancel;
    editor->reject();
    EXPECT_EQ(Asked().last(), QStringLiteral("场所布局数据已修改，是否保存？"));
    EXPECT_TRUE(editor->isVisible());

    messages.answer = QMessageBox::No;
    editor->reject();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->result(), QDialog::Rejected);
    EXPECT_EQ(StoredLayouts(), (QStringList{QStringLiteral("大厅"), "Bar"}));

    editor = OpenEditor();
    SelectLayout(*editor, 1);
    messages.answer = QMessageBox::Yes;
    editor->Mnu_DelLayOutClick();
    editor->reject();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(StoredLayouts(), QStringList{QStringLiteral("大厅")});
}

TEST_F(LayOutEditTest, AFailedSaveShowsTheErrorAndKeepsTheEditorWithItsEdits)
{
    Exec(QStringLiteral("create trigger LayOutName.RefuseNew before insert on LayOutName "
                        "when new.Name = 'New' begin select raise(abort, 'layout refused'); end"));
    auto editor = OpenEditor();
    editor->Mnu_AddLayOutClick();
    Tree(*editor)->topLevelItem(0)->child(2)->setText(0, QStringLiteral("New"));

    messages.answer = QMessageBox::Yes;
    editor->reject();
    ASSERT_EQ(Told().size(), 1);
    EXPECT_EQ(Told()[0].first, 113);
    EXPECT_TRUE(Told()[0].second.contains(QStringLiteral("layout refused")));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->Model().LayoutCount(), 3);
    EXPECT_EQ(StoredLayouts(), (QStringList{QStringLiteral("大厅"), "Bar"}));
}

TEST_F(LayOutEditTest, TheCallPointDialogFiltersTypingAndStaysOpenOnARefusal)
{
    auto editor = OpenEditor();
    SelectLayout(*editor, 1);
    TFrm_CallPointEdt dialog(editor->Model(), editor.get());
    TLayOutPoint record;
    record.Address = 0x55;
    dialog.Start(true, record);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("新增呼叫点"));
    EXPECT_EQ(record.Address, 0);   // add mode starts from a new point
    EXPECT_EQ(dialog.Form().Width, QStringLiteral("80"));

    int pos = 0;
    QString text = QStringLiteral("1.aF");
    const QValidator* address = dialog.findChild<QLineEdit*>(QStringLiteral("Edt_Address"))->validator();
    EXPECT_NE(address->validate(text, pos), QValidator::Invalid);
    text = QStringLiteral("1g");
    EXPECT_EQ(address->validate(text, pos), QValidator::Invalid);
    text = QStringLiteral("1a");
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("Edt_Width"))->validator()->validate(text, pos),
              QValidator::Invalid);

    dialog.show();
    TCallPointForm form = dialog.Form();
    form.Address = QStringLiteral("101");   // used in the other layout
    dialog.SetForm(form);
    dialog.findChild<QPushButton*>(QStringLiteral("Btn_Ok"))->click();
    ASSERT_EQ(Told().size(), 1);
    EXPECT_EQ(Told()[0], qMakePair(112, QStringLiteral("呼叫器地址不能重复")));
    EXPECT_TRUE(dialog.isVisible());

    form.Address = QStringLiteral("1a2");
    form.Width = QStringLiteral("500");
    dialog.SetForm(form);
    dialog.findChild<QPushButton*>(QStringLiteral("Btn_Ok"))->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(record.Address, 0x1A2);
    EXPECT_EQ(record.Width, 400);
}

}  // namespace
