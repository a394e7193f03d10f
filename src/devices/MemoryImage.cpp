#include "devices/MemoryImage.h"

#include "core/ResStrings.h"
#include "devices/DevicesTexts.h"

#include <algorithm>

namespace {
constexpr int KeyChoiceBytes[] = {1, 4};  // "单键", "四键"
}

const std::array<TMemoryParam, MemoryParamCount> MemoryParams = {{
    {0, TxtDevicesParamAddress, TParamKind::Number, 0, 255},
    {1, TxtDevicesParamHostAddress, TParamKind::Number, 0, 255},
    {2, TxtDevicesParamRecentNumbers, TParamKind::Number, 0, 30},
    {3, TxtDevicesParamCycleTime, TParamKind::Number, 1, 99},
    {4, TxtDevicesParamVolume, TParamKind::Number, 0, 15},
    {5, TxtDevicesParamCancelTime, TParamKind::Number, 0, 99},
    {6, TxtDevicesParamCallsShown, TParamKind::Number, 1, 4},
    {7, TxtDevicesParamKeys, TParamKind::KeyChoice, 0, 1, TxtDevicesKeyKinds},
    {8, TxtDevicesParamTone, TParamKind::Number, 1, 12},
    {9, TxtDevicesParamLanguage, TParamKind::IndexChoice, 0, 1, TxtDevicesLanguages},
    {10, TxtDevicesParamRole, TParamKind::IndexChoice, 0, 1, TxtDevicesUnitRoles},
    {11, TxtDevicesParamAlarmTones, TParamKind::Number, 0, 5},
    {12, TxtDevicesParamAlarmTime, TParamKind::Number, 0, 99},
    {13, TxtDevicesParamReceiveDelay, TParamKind::Number, 0, 99},
}};

int ParamControlValue(const TMemoryParam& param, uint8_t byte)
{
    switch (param.Kind) {
    case TParamKind::Number:
        return std::clamp<int>(byte, param.Min, param.Max);
    case TParamKind::KeyChoice: {
        const auto* at = std::find(std::begin(KeyChoiceBytes), std::end(KeyChoiceBytes), byte);
        return at == std::end(KeyChoiceBytes) ? -1 : int(at - std::begin(KeyChoiceBytes));
    }
    case TParamKind::IndexChoice:
        return byte <= param.Max ? byte : -1;
    }
    return -1;
}

uint8_t ParamByte(const TMemoryParam& param, int controlValue)
{
    if (param.Kind == TParamKind::KeyChoice)
        return uint8_t(KeyChoiceBytes[std::clamp(controlValue, 0, 1)]);
    return uint8_t(std::clamp(controlValue, param.Min, param.Max));
}

int MemoryMapRows(int imageSize) { return imageSize / 16 + 1; }

QString MemoryMapHeader(int column) { return QStringLiteral("___%1").arg(column - 1, 1, 16).toUpper(); }

QString MemoryMapRowLabel(int row) { return QStringLiteral("%1_").arg(row, 3, 16, QLatin1Char('0')).toUpper(); }

QString MemoryMapCell(const QByteArray& image, int row, int column)
{
    const int offset = row * 16 + column - 1;
    if (offset >= image.size())
        return {};
    return QStringLiteral("%1").arg(uint8_t(image[offset]), 2, 16, QLatin1Char('0')).toUpper();
}

QString MemorySizeText(int n) { return QString::asprintf(LoadResStr(TxtDevicesMemorySize).toUtf8().constData(), n); }
