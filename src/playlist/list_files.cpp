// List files: saving the playlist and appending the entries of a saved one.
#include "platform/dialogs.h"
#include "playlist/file_error_number.h"
#include "playlist/file_kind.h"
#include "playlist/list_reader.h"
#include "playlist/list_writer.h"
#include "playlist/playlist.h"
#include "playlist/playlist_handlers.h"
#include "playlist/playlist_log.h"
#include "playlist/playlist_window.h"


namespace {

FileDialogSetup listFileDialog(const QString& title, const QString& folder)
{
    FileDialogSetup setup;
    setup.title = title;
    setup.filters = {{QStringLiteral("LISTファイル (*.vep)"), QStringLiteral("*.vep")}};
    setup.filterIndex = 1;
    setup.folder = folder;
    return setup;
}

}  // namespace

// A failed save leaves the previous file as it was (see saveFile).
void PlaylistHandlers::Command19_Click()
{
    form1.beforeModal();
    FileDialogSetup setup = listFileDialog(QStringLiteral("ﾘｽﾄに名前を付けてﾌｧｲﾙに保存"), save_dir);
    setup.fileName = list_file;
    const QString chosen = dialogs.GetSaveFileName(setup);
    if (!chosen.isEmpty()) {
        list_file = chosen;
        save_dir = Playlist::folderOf(list_file);
        if (fileKindOf(list_file) != FileKind::ListFile)
            list_file += QStringLiteral(".vep");
        const list_writer::Content content = list_writer::content(playlist);
        if (!content.leftOut.isEmpty())
            reportLeftOut(content.leftOut);
        if (const int error = list_writer::save(list_file, content.bytes); error != 0)
            reportSaveFailure(fileErrorNumber(error), list_file);
    }
    form1.afterModal();
}

// Names the entries a list file cannot hold, under the reason why, ten at most for each reason,
// one a line.
void PlaylistHandlers::reportLeftOut(const QList<list_writer::LeftOut>& entries)
{
    using list_writer::Refusal;
    static const std::pair<Refusal, const char*> reasons[] = {
        {Refusal::Separators, "「,」と「\"」の両方や「=」、改行を含むため"},
        {Refusal::Unwritable, "ファイルに書けない文字を含むため"},
        {Refusal::TooLong, "長すぎるため"},
    };
    constexpr int Shown = 10;
    QStringList parts;
    for (const auto& [reason, why] : reasons) {
        QString text;
        int count = 0;
        for (const list_writer::LeftOut& e : entries) {
            if (e.why == reason && ++count <= Shown)
                text += u'\n' + playlist.path(e.entry);
        }
        if (count > Shown)
            text += QStringLiteral("\n…ほか%1件").arg(count - Shown);
        if (count > 0)
            parts << QStringLiteral("次のリストは%1、リストファイルに保存できません。")
                             .arg(QString::fromUtf8(why)) +
                    text;
    }
    form1.MsgBox(parts.join(u"\n\n"), msgbox::OkOnly, msgbox::Information, QStringLiteral("ﾘｽﾄ保存"));
}

void PlaylistHandlers::reportSaveFailure(int errorNumber, const QString& path)
{
    if (errorNumber == 53 || errorNumber == 75)
        form1.MsgBox(
            QStringLiteral(
                "リストファイルが保存できません。ライトプロテクトされている可能性があります。"),
            msgbox::OkOnly, msgbox::Information, QStringLiteral("書込みｴﾗｰ"), path);
    else
        form1.MsgBox(QStringLiteral("なにかしらのエラーがあります。エラーNo=") +
                         QString::number(errorNumber),
            msgbox::OkOnly, msgbox::Information, QStringLiteral("ｴﾗｰ"), path);
}

void PlaylistHandlers::Command20_Click()
{
    const int n = playlist.count();
    form1.beforeModal();
    const QString chosen = dialogs.GetOpenFileName(
        listFileDialog(QStringLiteral("ﾘｽﾄﾌｧｲﾙを開く"), list_dir));
    if (!chosen.isEmpty()) {
        list_file = chosen;
        list_dir = Playlist::folderOf(list_file);
        const bool whole = loadListFile(list_file);
        qCDebug(lcPlaylist) << "list file: added" << playlist.count() - n << "entries"
                            << (whole ? "" : "(stopped)");
        if (whole && playlist.count() > n)
            playlist.select(n);
    }
    form1.afterModal();
}

// Entries go in one batch: nothing can run between the appends of one load.
bool PlaylistHandlers::loadListFile(const QString& path)
{
    QStringList paths, names;
    bool whole = true;
    const bool read = list_reader::readFields(path, [&](const QString& field) {
        const std::optional<list_reader::Entry> entry = list_reader::listEntry(field);
        if (entry) {
            paths << entry->path;
            names << entry->name;
        }
        whole = entry.has_value();
        return whole;
    });
    return playlist.append(paths, names) == paths.size() && read && whole;
}
