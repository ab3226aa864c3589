#include "mci/mci_errors.h"

namespace mcierr {

QString text(int code)
{
    switch (code) {
    case Success:
        return QString();
    case InvalidDeviceId:
        return QStringLiteral("デバイスIDが正しくありません。");
    case UnrecognizedKeyword:
        return QStringLiteral("コマンドに認識できないキーワードがあります。");
    case UnrecognizedCommand:
        return QStringLiteral("認識できないコマンドです。");
    case Hardware:
        return QStringLiteral("メディアデバイスでハードウェアのエラーが発生しました。");
    case InvalidDeviceName:
        return QStringLiteral("デバイス名が正しくないか、デバイスが開かれていません。");
    case OutOfMemory:
        return QStringLiteral("メモリが足りません。");
    case CannotLoadDriver:
        return QStringLiteral("再生エンジンを起動できません。");
    case MissingCommandString:
        return QStringLiteral("コマンドが空です。");
    case MissingStringArgument:
        return QStringLiteral("コマンドに必要な文字列の指定がありません。");
    case BadInteger:
        return QStringLiteral("数値の指定が正しくありません。");
    case MissingParameter:
        return QStringLiteral("コマンドに必要なパラメータがありません。");
    case UnsupportedFunction:
        return QStringLiteral("このデバイスではその操作はできません。");
    case FileNotFound:
        return QStringLiteral("ファイルが見つかりません。パスとファイル名を確認してください。");
    case DeviceNotReady:
        return QStringLiteral("デバイスの準備ができていません。時間をおいてやり直してください。");
    case Internal:
        return QStringLiteral("内部エラーが発生しました。");
    case Driver:
        return QStringLiteral("再生エンジンでエラーが発生しました。");
    case OutOfRange:
        return QStringLiteral("指定された値が範囲外です。");
    case DuplicateAlias:
        return QStringLiteral("この別名は既に使われています。");
    case BadConstant:
        return QStringLiteral("パラメータの値が正しくありません。");
    case MissingDeviceName:
        return QStringLiteral("デバイス名の指定がありません。");
    case BadTimeFormat:
        return QStringLiteral("時間形式の指定が正しくありません。");
    case NoClosingQuote:
        return QStringLiteral("引用符が閉じていません。");
    case InvalidFile:
        return QStringLiteral("このファイルは再生できません。壊れているか、動画ではありません。");
    case FilenameRequired:
        return QStringLiteral("ファイル名の指定がありません。");
    case NoWindow:
        return QStringLiteral("表示用のウィンドウがありません。");
    case CreateWindow:
        return QStringLiteral("表示用のウィンドウを作れません。");
    case FileRead:
        return QStringLiteral(
            "ファイルを読み込めません。ファイルではないか、読み取りが許可されていません。");
    default:
        return QStringLiteral("不明なエラーが発生しました。(%1)").arg(code);
    }
}

}  // namespace mcierr
