// The control window (Form1), part: start-up (Form_Load) and the command line it opens.
#include "app/command_line.h"
#include "app/form1.h"
#include "app/services.h"
#include "audio/master_volume.h"
#include "controls/check_box.h"
#include "controls/scroll_bar.h"
#include "movie/form2.h"
#include "platform/screen_saver.h"
#include "platform/startup_trace.h"
#include "playlist/file_kind.h"
#include "playlist/list_reader.h"
#include "playlist/playlist.h"
#include "playlist/playlist_handlers.h"
#include "videocd/video_cd.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

// Start-up. The order matters: the movie window takes its default place from the control
// window's, and must exist (having read the settings file) before the command line opens a movie.
void Form1::Form_Load(const QString& commandLine)
{
    // 1. A failure disables the volume slider; start-up goes on.
    volume->open();
    startup_trace::mark("mixer opened (waited for)");

    // 2. The window manager frames the window only when it is shown, after the movie window took
    // its default place beside it: the frame it will draw is asked for now.
    setTop(480);
    setLeft(480);
    frame_to_come_ = services.windows.frameToCome(this);
    startup_trace::mark("control window placed, its frame to come asked");

    // 3. and 4.
    setCaptions();

    // 5.
    Timer1->setInterval(100);
    Timer1->stop();
    Timer3->setInterval(40000);
    Timer3->start();

    // 6. Ticking Loop is the movie window's first use: it is created and loaded here.
    HScroll1->setEnabled(false);
    Command2->setEnabled(false);
    setMovieControlsEnabled(false);
    Check3->setValue(1);
    startup_trace::mark("movie window loaded and shown");

    // 7.
    playlistHandlers->list_dir = services.programDir + QLatin1Char('/');
    playlistHandlers->file_dir = playlistHandlers->list_dir;
    playlistHandlers->save_dir = playlistHandlers->list_dir;

    // 8. and 9.: the Video-CD branch of a longer command line shows the movie window itself.
    const bool movieWindowShown = runCommandLine(commandLine);
    startup_trace::mark("command line (its movie opened)");
    // A message box of the command line's movies lets other events in, which may have ended
    // the program: nothing is shown or switched off again after Form_Unload.
    if (isUnloaded())
        return;
    if (!movieWindowShown) {
        cmd_item.clear();
        showMovieWindow();
    }
    startup_trace::mark("movie window shown again");

    // 10.
    services.screenSaver.setActive(false);
    startup_trace::mark("screen saver off");
}

void Form1::showMovieWindow()
{
    Form2& movie = form2();
    movie.hide();
    movie.show();
}

void Form1::addStartupToken(const QString& token)
{
    const FileKind kind = fileKindOf(token);
    if (isMovie(kind))
        playlist->append(token);
    else if (kind == FileKind::ListFile)
        readStartupList(token);
    else if (kind == FileKind::DiscImage)
        videoCd->appendDiscImage(token);
}

// A list file that cannot be read adds nothing; the other tokens are still examined.
void Form1::readStartupList(const QString& path)
{
    list_reader::readFields(path, [this](const QString& field) {
        const list_reader::Entry entry = list_reader::startupEntry(field);
        return playlist->append(entry.path, entry.name);  // false: the list is full
    });
}

void Form1::enterVideoCdAtStart()
{
    mode_flg = 1;
    Check5->setValue(1);  // Check5_Click switches into Video-CD mode without asking
}

bool Form1::runCommandLine(const QString& text)
{
    const command_line::Parsed parsed = command_line::parse(text);
    switch (parsed.kind) {
    case command_line::Parsed::Empty:
        return false;

    case command_line::Parsed::VideoCdOnly:
        cmd_vcd = QStringLiteral("1");
        enterVideoCdAtStart();
        mode_flg = 0;
        return false;

    case command_line::Parsed::SingleToken: {
        const QString& token = parsed.tokens.value(0);
        cmd_item = token;
        const int before = playlist->count();
        addStartupToken(token);
        if (playlist->count() > before) {
            // A movie opens the entry just added; a list file or disc image its first new entry.
            const bool movie = isMovie(fileKindOf(token));
            playlist->select(movie ? playlist->count() - 1 : before);
        }
        return false;
    }

    case command_line::Parsed::Tokens:
        for (const QString& token : parsed.tokens) {
            cmd_item = token;
            addStartupToken(token);
        }
        if (parsed.videoCdSwitch) {
            enterVideoCdAtStart();
            cmd_item = parsed.rest;
            mode_flg = 0;
            showMovieWindow();
            return true;
        }
        if (playlist->count() >= 1)
            playlist->select(0);
        return false;
    }
    return false;
}
