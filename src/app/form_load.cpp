#include "app/command_line.h"
#include "app/controls/check_box.h"
#include "app/controls/list_box.h"
#include "app/controls/scroll_bar.h"
#include "app/form1.h"
#include "app/services.h"
#include "movie/form2.h"
#include "platform/screen_saver.h"
#include "playlist/list_reader.h"
#include "playlist/playlist.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

// Start-up. The order matters: the movie window takes its default place from the control
// window's, and must exist (having read the settings file) before the command line opens a movie.
void Form1::Form_Load(const QString& commandLine)
{
    // 1. The mixer is opened here and HScroll2 prepared (master volume, its own issue).

    // 2.
    setTop(480);
    setLeft(480);

    // 3.
    Command1->setText(QStringLiteral("ﾌｧｲﾙ指定"));
    Command2->setText(QStringLiteral("|>"));
    Command3->setText(QStringLiteral("早送り"));
    Command4->setText(QStringLiteral("Org"));
    Command5->setText(QStringLiteral(">>"));
    Command6->setText(QStringLiteral("<<"));
    Command7->setText(QStringLiteral("/2"));
    Command8->setText(QStringLiteral("*2"));
    Command9->setText(QStringLiteral("■"));
    Command10->setText(QStringLiteral("|<"));
    Command11->setText(QStringLiteral(">|"));
    Command12->setText(QStringLiteral("ﾌｫﾙﾀﾞ指定"));
    Command13->setText(QStringLiteral("全ﾘｽﾄｸﾘｱ"));
    Command14->setText(QStringLiteral("スロー"));
    Command15->setText(QStringLiteral("ﾘｽﾄｸﾘｱ"));
    Command16->setText(QStringLiteral("非表示"));
    Command19->setText(QStringLiteral("ﾘｽﾄ保存"));
    Command20->setText(QStringLiteral("ﾘｽﾄを開く"));
    Command21->setText(QStringLiteral("表示名変更"));
    Command22->setText(QStringLiteral("Full"));
    Command23->setText(QStringLiteral("Set"));

    // 4.
    Label1->setText(QStringLiteral("ファイル名"));
    Label2->setText(QStringLiteral("ﾌﾚｰﾑor時間"));
    Label3->setText(QStringLiteral("SPEED"));

    // 5.
    Timer1->setInterval(100);
    Timer1->stop();
    Timer3->setInterval(40000);
    Timer3->start();

    // 6. Ticking Loop is the movie window's first use: it is created and loaded here.
    for (QWidget* w : std::initializer_list<QWidget*>{
             HScroll1, Command2, Command7, Command8, Command4, Command5, Command6, Command9,
             Command10, Command11, Command3, Command13, Command14, Command15, Command19,
             Command21, Command22, Command23, Check6, cmdDown, cmdUp})
        w->setEnabled(false);
    Check3->setValue(1);

    // 7.
    list_dir = services.programDir + QLatin1Char('/');
    file_dir = list_dir;
    save_dir = list_dir;

    // 8. and 9.: the Video-CD branch of a longer command line shows the movie window itself.
    if (!runCommandLine(commandLine)) {
        cmd_item.clear();
        showMovieWindow();
    }

    // 10.
    services.screenSaver.setActive(false);
}

void Form1::showMovieWindow()
{
    Form2& movie = form2();
    movie.hide();
    movie.show();
}

void Form1::addStartupToken(const QString& token)
{
    switch (command_line::kindOf(token)) {
    case command_line::TokenKind::Movie:
        playlist->append(token);
        break;
    case command_line::TokenKind::ListFile:
        readStartupList(token);
        break;
    case command_line::TokenKind::Other:
        break;
    }
}

// A list file that cannot be read adds nothing; the other tokens are still examined.
void Form1::readStartupList(const QString& path)
{
    const std::optional<QStringList> fields = list_reader::readFields(path);
    if (!fields)
        return;
    for (const QString& field : *fields) {
        const list_reader::Entry entry = list_reader::startupEntry(field);
        if (!playlist->append(entry.path, entry.name))
            return;  // the list is full
    }
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
            // A movie opens the entry just added; a list file its first new entry.
            const bool movie = command_line::kindOf(token) == command_line::TokenKind::Movie;
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
