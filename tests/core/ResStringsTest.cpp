#include "core/ResStringTable.h"
#include "core/ResStrings.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

QStringList Items(int id, QChar separator = u'\n')
{
    return LoadResStr(id).split(separator);
}

} // namespace

TEST(ResStrings, KeepsInnerQuotesOfTheCallEventText)
{
    EXPECT_EQ(LoadResStr(233), QString("%s %s %s %s 请求\"%s\"服务"));
    const QString event = QString::asprintf(LoadResStr(233).toUtf8().constData(), "2026-12-08", "12:30:05",
                                            "大厅", "A01", "加水");
    EXPECT_EQ(event, QString("2026-12-08 12:30:05 大厅 A01 请求\"加水\"服务"));
}

TEST(ResStrings, ChoiceListsHoldOneItemPerLine)
{
    EXPECT_EQ(Items(1256), QStringList({"偶校验", "奇校验", "无", "标记", "空格"}));
    EXPECT_EQ(Items(1257), QStringList({"Xon / Xoff", "硬件", "无"}));
    EXPECT_EQ(Items(1279), QStringList({"静音", "播放一次", "循环播放"}));
    EXPECT_EQ(Items(1019), QStringList({"圆形", "方形"}));
    EXPECT_EQ(Items(1921), QStringList({"文本模式", "时间模式"}));
    EXPECT_EQ(Items(1923), QStringList({"红色", "绿色", "黄色"}));
    EXPECT_EQ(Items(2031), QStringList({"单键", "四键"}));
    EXPECT_EQ(Items(2032), QStringList({"中文", "英文"}));
    EXPECT_EQ(Items(2033), QStringList({"副机", "主机"}));
    EXPECT_EQ(Items(1606), QStringList({"操作员资料", "基础设置", "场所布局", "员工资料", "历史记录"}));

    const QStringList modes = Items(1922);
    ASSERT_EQ(modes.size(), 8);
    EXPECT_EQ(modes[0], "连续左移");
    EXPECT_EQ(modes[3], "立即打出");
    EXPECT_EQ(modes[7], "右拉幕");
}

TEST(ResStrings, TextPositionsAreSeparatedByCarriageReturns)
{
    EXPECT_EQ(Items(1020, u'\r'), QStringList({"正中间", "正上方", "正下方"}));
    EXPECT_FALSE(LoadResStr(1020).contains(u'\n'));
}

TEST(ResStrings, FormatTextsFillAsTheCallersUseThem)
{
    EXPECT_EQ(QString::asprintf(LoadResStr(222).toUtf8().constData(), 3), QString("COM3 打开失败"));
    EXPECT_EQ(QString::asprintf(LoadResStr(223).toUtf8().constData(), 1, 9600, 8, 1), "COM1 9600bps 8 1");
    // %x gives lower-case digits; the position text shows the address in upper case.
    EXPECT_EQ(QString::asprintf(LoadResStr(224).toUtf8().constData(), 0x01A3).toUpper(),
              QString("未设置(1A3)"));
    EXPECT_EQ(QString::asprintf(LoadResStr(1919).toUtf8().constData(), "12", "欢迎光临"),
              QString("正在更新第 12 条信息：欢迎光临"));
    EXPECT_EQ(QString::asprintf(LoadResStr(2001).toUtf8().constData(), 256), QString("配置区大小：256字节"));
    EXPECT_EQ(QString::asprintf(LoadResStr(2024).toUtf8().constData(), 0x20u),
              QString("正在读取设备存储数据,地址: 00000020"));
}

TEST(ResStrings, UnknownNumbersGiveTheEmptyText)
{
    for (int id : {9999, 0, -1, 100, 234, 1016, 1203, 1601, 2114}) {
        EXPECT_TRUE(LoadResStr(id).isEmpty()) << id;
    }
}

TEST(ResStrings, TextsOfEverySubsystemArePresent)
{
    EXPECT_EQ(LoadResStr(112), "警告");
    EXPECT_EQ(LoadResStr(113), "错误");
    EXPECT_EQ(LoadResStr(114), "确认");
    EXPECT_EQ(LoadResStr(115), "提示");
    EXPECT_EQ(LoadResStr(200), "Velkaro无线呼叫系统");
    EXPECT_EQ(LoadResStr(1005), "场所布局图");
    EXPECT_EQ(LoadResStr(1102), "口  令");
    EXPECT_EQ(LoadResStr(1280), "声音 (*.wav)|*.wav");
    EXPECT_EQ(LoadResStr(1405), "查询条件");
    EXPECT_EQ(LoadResStr(1526), "合格率%");
    EXPECT_EQ(LoadResStr(1607), "数据备份完成!");
    EXPECT_EQ(LoadResStr(1800), "呼叫信息");
    EXPECT_EQ(LoadResStr(1918), "通讯超时！");
    EXPECT_EQ(LoadResStr(2026), "无效数据文件！");
    EXPECT_EQ(LoadResStr(2110), "设置成功!");
}

TEST(ResStringTable, IsSortedWithoutDuplicates)
{
    ASSERT_GT(ResStringCount(), 0);
    for (int i = 1; i < ResStringCount(); ++i) {
        EXPECT_LT(ResStringIdAt(i - 1), ResStringIdAt(i)) << "at index " << i;
    }
}

TEST(ResStringTable, EveryEntryIsFoundAndWellFormed)
{
    for (int i = 0; i < ResStringCount(); ++i) {
        const int id = ResStringIdAt(i);
        const QString text = LoadResStr(id);
        EXPECT_FALSE(text.isEmpty()) << id;
        EXPECT_FALSE(text.contains(QChar::ReplacementCharacter)) << id;  // valid UTF-8
        EXPECT_FALSE(text.contains(u'\\')) << id;                        // escapes became real characters
        EXPECT_LE(text.size(), 255) << id;                               // the original loader's limit
    }
}
