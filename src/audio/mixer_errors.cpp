#include "audio/mixer_errors.h"

#include "platform/mixer.h"

namespace {

struct CodeText {
    int code;
    const char16_t* text;
};

constexpr CodeText Texts[] = {
    {mmsyserr::BadDeviceId, u"指定されたデバイスIDは無効です。"},
    {mmsyserr::Allocated, u"指定リソースはすでに割り当て済みです。"},
    {mmsyserr::InvalHandle, u"指定されたハンドルは無効です。"},
    {mmsyserr::NoDriver, u"利用可能なミキサーデバイスがありません。"},
    {mmsyserr::NoMem, u"リソースを割り当てることはできません｡"},
    {mmsyserr::InvalFlag, u"1つ以上の無効なフラグがあります。"},
    {mmsyserr::InvalParam, u"1つ以上の無効なパラメータがあります。"},
};

}  // namespace

QString mixerErrorMessage(int code)
{
    QString text;
    for (const CodeText& entry : Texts)
        if (entry.code == code)
            text = QString::fromUtf16(entry.text);
    return QStringLiteral("サウンド機能でエラー[%1] %2").arg(code).arg(text);
}
