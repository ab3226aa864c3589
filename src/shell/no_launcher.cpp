#include "shell/no_launcher.h"

QString noLauncherMessage(const QUrl& url)
{
    return QStringLiteral("ファイルやアドレスを開くプログラム（xdg-open）が見つかりません。"
                          "xdg-utils をインストールしてください。\n\n") +
           (url.isLocalFile() ? url.toLocalFile() : url.toString());
}
