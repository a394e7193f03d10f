#include "core/GbkCodec.h"

#include "core/LogCategories.h"

#ifdef _WIN32
#include <windows.h>

namespace {
constexpr UINT GbkCodePage = 936;
}

QByteArray ToGbk(const QString& text)
{
    if (text.isEmpty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int wideLen = int(text.size());
    const int len = WideCharToMultiByte(GbkCodePage, 0, wide, wideLen, nullptr, 0, "?", nullptr);
    QByteArray out(len, Qt::Uninitialized);
    WideCharToMultiByte(GbkCodePage, 0, wide, wideLen, out.data(), len, "?", nullptr);
    return out;
}

QString FromGbk(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    const int len = MultiByteToWideChar(GbkCodePage, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString out(len, Qt::Uninitialized);
    MultiByteToWideChar(GbkCodePage, 0, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t*>(out.data()), len);
    return out;
}

#else
#include <QList>
#include <QSysInfo>
#include <QtGlobal>
#include <cerrno>
#include <iconv.h>
#include <vector>

namespace {

const char* const GbkName = "CP936";  // GBK with the Windows additions (0x80 is the euro sign)

const char* Utf32Name()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-32LE" : "UTF-32BE";
}

// One iconv descriptor per direction and thread, opened at the first conversion: opening one
// costs far more than converting a short text, and a descriptor is never shared between threads.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (!IsOpen())
            qCWarning(LogCore, "GBK conversion is not available: iconv cannot convert %s to %s", from, to);
    }
    ~IconvHandle()
    {
        if (IsOpen())
            iconv_close(cd_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool IsOpen() const { return cd_ != iconv_t(-1); }
    // Back to the initial state, for a new text.
    void Reset() const { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }
    // Converts as much as possible; false with errno set when it stopped early.
    bool Convert(char*& in, size_t& inLeft, char*& out, size_t& outLeft) const
    {
        return iconv(cd_, &in, &inLeft, &out, &outLeft) != size_t(-1);
    }

private:
    iconv_t cd_;
};

}  // namespace

QByteArray ToGbk(const QString& text)
{
    if (text.isEmpty())
        return {};
    thread_local const IconvHandle conv(GbkName, Utf32Name());
    if (!conv.IsOpen())
        return text.toLatin1();
    conv.Reset();

    QList<uint> codePoints = text.toUcs4();
    char* in = reinterpret_cast<char*>(codePoints.data());
    size_t inLeft = size_t(codePoints.size()) * sizeof(uint);
    QByteArray out(codePoints.size() * 2, Qt::Uninitialized);  // a GBK character takes at most 2 bytes
    char* outPtr = out.data();
    size_t outLeft = size_t(out.size());

    while (!conv.Convert(in, inLeft, outPtr, outLeft)) {
        if (errno == E2BIG || outLeft == 0) {
            const qsizetype used = outPtr - out.data();
            out.resize(out.size() + 16);
            outPtr = out.data() + used;
            outLeft = size_t(out.size() - used);
            continue;
        }
        // No GBK form for this character.
        *outPtr++ = '?';
        --outLeft;
        in += sizeof(uint);
        inLeft -= sizeof(uint);
    }
    out.truncate(outPtr - out.data());
    return out;
}

QString FromGbk(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    thread_local const IconvHandle conv(Utf32Name(), GbkName);
    if (!conv.IsOpen())
        return QString::fromLatin1(bytes);
    conv.Reset();

    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    std::vector<char32_t> out(size_t(bytes.size()));  // every character takes at least one byte
    char* outPtr = reinterpret_cast<char*>(out.data());
    size_t outLeft = out.size() * sizeof(char32_t);

    while (!conv.Convert(in, inLeft, outPtr, outLeft)) {
        // An invalid or truncated sequence: its first byte reads as "?", the character ToGbk writes
        // for it, so a text read, written and read again stays the same; go on after that byte.
        *reinterpret_cast<char32_t*>(outPtr) = U'?';
        outPtr += sizeof(char32_t);
        outLeft -= sizeof(char32_t);
        ++in;
        --inLeft;
    }
    const qsizetype count = (outPtr - reinterpret_cast<char*>(out.data())) / qsizetype(sizeof(char32_t));
    return QString::fromUcs4(out.data(), count);
}

#endif

int GbkLength(const QString& text)
{
    return int(ToGbk(text).size());
}

QString CutToGbkBytes(const QString& text, int maxBytes)
{
    if (GbkLength(text) <= maxBytes)
        return text;
    int used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate();
        const qsizetype charLen = pair ? 2 : 1;
        used += GbkLength(text.mid(end, charLen));
        if (used > maxBytes)
            break;
        end += charLen;
    }
    return text.left(end);
}
