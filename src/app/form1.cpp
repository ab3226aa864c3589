#include "app/form1.h"

#include "app/services.h"
#include "controls/accessible_name.h"
#include "audio/master_volume.h"
#include "controls/check_box.h"
#include "controls/dir_list_box.h"
#include "controls/enter_clicks.h"
#include "controls/file_list_box.h"
#include "controls/list_box.h"
#include "controls/named.h"
#include "controls/path_combo_box.h"
#include "controls/scroll_bar.h"
#include "movie/form2.h"
#include "movie/full_screen.h"
#include "movie/geometry.h"
#include "playback/play_state.h"
#include "playback/playback.h"
#include "playlist/file_kind.h"
#include "playlist/playlist.h"
#include "playlist/playlist_handlers.h"
#include "shell/help_about.h"
#include "shell/program_icon.h"
#include "shell/tray.h"
#include "vbnum/vb_number.h"
#include "videocd/video_cd.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

Form1::Form1(Services& services_, QWidget* parent) : QWidget(parent), services(services_)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ReelBox"));
    createControls();
    layoutControls();
    playlist = std::make_unique<Playlist>(*List1, *List2);
    geometry = std::make_unique<Geometry>(
        *this, *Command4, services.mci, services.windows, services.dialogs);
    fullScreen = std::make_unique<FullScreen>(
        *this, *this, *Command22, *Check4, *geometry, services.mci, services.windows);
    playback = std::make_unique<Playback>(*this,
        PlaybackControls{List1, List2, Command2, HScroll1, Label1, Label2, Label3, Label4, Check3,
            Check6, Check7, Timer1},
        *playlist, *geometry, video, services.mci, services.windows);
    playlistHandlers = std::make_unique<PlaylistHandlers>(
        *this, PlaylistControls{List1, List2, Check1, Dir1, File1}, *playlist, services.dialogs);
    videoCd = std::make_unique<VideoCd>(*this,
        VideoCdControls{Check5, Combo1, Timer2, Label5, Line1, Line2, File1, List2, Command1,
            Command12, Command19, Command20, Command21, Check3, Check7},
        VideoCdSwitches{mode_flg, cmd_item, cmd_vcd}, *playlist, *playback, services.drives,
        services.programDir);
    volume = std::make_unique<MasterVolume>(services.mixer, *HScroll2,
        [this](const QString& text, int buttons, int icon) { return MsgBox(text, buttons, icon); });
    tray = std::make_unique<Tray>(
        services.tray, services.windows, *this, *this, *Picture1, *Check4);
    helpAbout = std::make_unique<HelpAndAbout>(
        services.desktop, services.dialogs, *this, services.programDir);
    connectHandlers();
}

Form1::~Form1() { delete form2_; }

Form2& Form1::form2()
{
    if (!form2_) {
        // Known as the movie window before its load runs: loading ticks Check4, whose handler
        // uses it.
        form2_ = new Form2(*this, MirroredControls{Check3, Check4, Check7, Command22}, video,
            services.windows, services.programDir);
        form2_->Form_Load();
        connectMovieMenu(*form2_);
        bindKeys(*form2_);
    }
    return *form2_;
}

std::int16_t& Form1::move_flg() { return playback->move_flg; }

void Form1::showMovieName(const QString& name) { form2().showEntryName(name); }

void Form1::appendDiscImage(const QString& path) { videoCd->appendDiscImage(path); }

int Form1::Top() const { return vbnum::toTwips(frameGeometry().top()); }
int Form1::Left() const { return vbnum::toTwips(frameGeometry().left()); }
// Until the window manager has framed the window, its width counts the frame it said it will draw.
int Form1::Width() const
{
    const bool framed = frameGeometry() != QWidget::geometry();
    return vbnum::toTwips(framed ? frameGeometry().width()
                                 : width() + frame_to_come_.left() + frame_to_come_.right());
}
bool Form1::fullScreenOn() const { return fullScreen->isOn(); }
int Form1::Height() const { return vbnum::toTwips(frameGeometry().height()); }
void Form1::setTop(int twips) { move(x(), vbnum::toPixels(twips)); }
void Form1::setLeft(int twips) { move(vbnum::toPixels(twips), y()); }

void Form1::createControls()
{
    const auto button = [this](const char* name, const QString& tip) {
        auto* b = named(new QPushButton(this), name);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        clickOnEnter(*b);
        return b;
    };
    const auto check = [this](const char* name, const QString& caption, const QString& tip) {
        auto* c = named(new CheckBox(caption, this), name);
        c->setToolTip(tip);
        return c;
    };

    // Captions come with Form_Load (setCaptions), except those it leaves as designed.
    Command1 = button("Command1", QStringLiteral("ﾌｧｲﾙ選択"));
    Command2 = button("Command2", QStringLiteral("再生/1時停止"));
    Command3 = button("Command3", QStringLiteral("早送り再生"));
    Command4 = button("Command4", QStringLiteral("ｵﾘｼﾞﾅﾙｻｲｽﾞ⇔4:3ｻｲｽﾞ"));
    Command5 = button("Command5", QStringLiteral("1ﾌﾚｰﾑ進む"));
    Command6 = button("Command6", QStringLiteral("1ﾌﾚｰﾑ戻る"));
    Command7 = button("Command7", QStringLiteral("縮小"));
    Command8 = button("Command8", QStringLiteral("拡大"));
    Command9 = button("Command9", QStringLiteral("停止"));
    Command10 = button("Command10", QStringLiteral("前のﾘｽﾄへ"));
    Command11 = button("Command11", QStringLiteral("次のﾘｽﾄへ"));
    Command12 = button("Command12", QStringLiteral("ﾌｫﾙﾀﾞ内ﾌｧｲﾙ自動読み込み"));
    Command13 = button("Command13", QStringLiteral("全ﾘｽﾄｸﾘｱ"));
    Command14 = button("Command14", QStringLiteral("スロー再生"));
    Command15 = button("Command15", QStringLiteral("選択ﾘｽﾄｸﾘｱ"));
    Command16 = button("Command16", QStringLiteral("このｺﾝﾄﾛｰﾙを非表示にする"));
    Command17 = button("Command17", QStringLiteral("About"));
    Command17->setText(QStringLiteral("A"));
    Command18 = button("Command18", QStringLiteral("Help"));
    Command18->setText(QStringLiteral("H"));
    Command19 = button("Command19", QStringLiteral("ﾘｽﾄをﾌｧｲﾙに保存"));
    Command20 = button("Command20", QStringLiteral("ﾘｽﾄﾌｧｲﾙを開く"));
    Command21 = button("Command21", QStringLiteral("ﾘｽﾄ表示名変更"));
    Command22 = button("Command22", QStringLiteral("Full Screen再生"));
    Command23 = button("Command23", QStringLiteral("動画Windowを任意のｻｲｽﾞにｾｯﾄ"));

    // Picture buttons: 16 x 16 arrows, no caption.
    cmdUp = button("cmdUp", QStringLiteral("上へ移動"));
    cmdUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmdDown = button("cmdDown", QStringLiteral("下へ移動"));
    cmdDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    for (QPushButton* b : {cmdUp, cmdDown})
        b->setIconSize(QSize(16, 16));

    Check1 = check("Check1", QStringLiteral("ｻﾌﾞﾌｫﾙﾀﾞ含む"),
        QStringLiteral("ｻﾌﾞﾌｫﾙﾀﾞのﾌｧｲﾙも自動で登録する場合ﾁｪｯｸ"));
    Check2 = check("Check2", QStringLiteral("Full Screen"), QStringLiteral("ﾌﾙｽｸﾘｰﾝで再生"));
    Check3 = check("Check3", QStringLiteral("Loop"), QStringLiteral("自動で次のﾌｧｲﾙを再生"));
    Check4 = check(
        "Check4", QStringLiteral("手前に表示"), QStringLiteral("一番手前に再生Windowを表示"));
    Check5 = check("Check5", QStringLiteral("Video-CD"), QStringLiteral("Video-CD専用"));
    // 255 x 255 twips, caption not shown: a bare tick box beside the position label.
    Check6 = check("Check6", QString(), QStringLiteral("ﾌﾚｰﾑ/時間表示切替"));
    Check6->setFixedSize(vbnum::toPixels(255), vbnum::toPixels(255));
    Check7 = check("Check7", QStringLiteral("-->　選択のみ"), QStringLiteral("選択ﾘｽﾄのみLoop"));

    List1 = named(new ListBox(this), "List1");
    List1->hide();
    List2 = named(new ListBox(this), "List2");
    List2->setToolTip(QStringLiteral("再生ﾌｧｲﾙﾘｽﾄ"));

    Combo1 = named(new PathComboBox(this), "Combo1");
    Combo1->setToolTip(QStringLiteral("CD-ROMﾄﾞﾗｲﾌﾞ一覧"));
    Combo1->setEnabled(false);  // only Video-CD mode offers the drives

    HScroll1 = named(new ScrollBar(this), "HScroll1");
    HScroll2 = named(new ScrollBar(this), "HScroll2");

    Label1 = named(new QLabel(this), "Label1");
    Label2 = named(new QLabel(this), "Label2");
    Label3 = named(new QLabel(this), "Label3");
    Label4 = named(new QLabel(QStringLiteral("ﾘｽﾄ数"), this), "Label4");
    Label5 = named(new QLabel(QStringLiteral("ﾎﾞﾘｭｰﾑﾗﾍﾞﾙ"), this), "Label5");
    Label5->setToolTip(QStringLiteral("ﾎﾞﾘｭｰﾑﾗﾍﾞﾙ表示"));
    Label5->hide();  // shown in Video-CD mode
    Label1->setTextFormat(Qt::PlainText);
    Label1->setMinimumWidth(1);  // long file names must not widen the window

    const auto line = [this](const char* name) {
        auto* l = named(new QFrame(this), name);
        l->setFrameShape(QFrame::HLine);
        l->setFrameShadow(QFrame::Sunken);
        l->hide();  // marks of Video-CD mode
        return l;
    };
    Line1 = line("Line1");
    Line2 = line("Line2");

    Dir1 = named(new DirListBox(this), "Dir1");
    File1 = named(new FileListBox(this), "File1");
    File1->setPattern(allMoviesPattern());
    Dir1->setPath(QDir::currentPath());
    File1->setPath(Dir1->Path());

    Picture1 = named(new QLabel(this), "Picture1");
    Picture1->setPixmap(programIcon().pixmap(64, 64));  // drawn smaller by the tray
    Picture1->hide();  // only the tray uses its picture
    Image1 = named(new QLabel(this), "Image1");
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(16, 16));

    // Screen readers read a caption; what has none, or only a glyph for one (|<, ■, A), is named
    // by its tool tip, or here.
    for (QWidget* w :
        std::initializer_list<QWidget*>{List2, Check6, cmdUp, cmdDown, Combo1, Command2, Command5,
            Command6, Command7, Command8, Command9, Command10, Command11, Command17, Command18})
        nameByToolTip(*w);
    HScroll1->setAccessibleName(QStringLiteral("再生位置"));
    HScroll2->setAccessibleName(QStringLiteral("ﾎﾞﾘｭｰﾑ"));
    Dir1->setAccessibleName(QStringLiteral("ﾌｫﾙﾀﾞ一覧"));
    File1->setAccessibleName(QStringLiteral("ﾌｧｲﾙ一覧"));
    Image1->setAccessibleName(QStringLiteral("ﾎﾞﾘｭｰﾑ"));

    Timer1 = named(new QTimer(this), "Timer1");
    Timer2 = named(new QTimer(this), "Timer2");
    Timer3 = named(new QTimer(this), "Timer3");
}

void Form1::setCaptions()
{
    const std::pair<QPushButton*, QString> captions[] = {
        {Command1, QStringLiteral("ﾌｧｲﾙ指定")},
        {Command2, play_state::caption(PlayState::Stopped)},
        {Command3, QStringLiteral("早送り")},
        {Command4, QStringLiteral("Org")},
        {Command5, QStringLiteral(">>")},
        {Command6, QStringLiteral("<<")},
        {Command7, QStringLiteral("/2")},
        {Command8, QStringLiteral("*2")},
        {Command9, QStringLiteral("■")},
        {Command10, QStringLiteral("|<")},
        {Command11, QStringLiteral(">|")},
        {Command12, QStringLiteral("ﾌｫﾙﾀﾞ指定")},
        {Command13, QStringLiteral("全ﾘｽﾄｸﾘｱ")},
        {Command14, QStringLiteral("スロー")},
        {Command15, QStringLiteral("ﾘｽﾄｸﾘｱ")},
        {Command16, QStringLiteral("非表示")},
        {Command19, QStringLiteral("ﾘｽﾄ保存")},
        {Command20, QStringLiteral("ﾘｽﾄを開く")},
        {Command21, QStringLiteral("表示名変更")},
        {Command22, full_screen::Off},
        {Command23, QStringLiteral("Set")},
    };
    for (const auto& [button, caption] : captions)
        button->setText(caption);
    setLabelCaptions();
}

void Form1::setLabelCaptions()
{
    Label1->setText(QStringLiteral("ファイル名"));
    Label2->setText(QStringLiteral("ﾌﾚｰﾑor時間"));
    Label3->setText(QStringLiteral("SPEED"));
    Label4->setText(QStringLiteral("ﾘｽﾄ数"));
}

QList<QWidget*> Form1::movieControls() const
{
    return {Command7, Command8, Command4, Command5, Command6, Command9, Command10, Command11,
        Command3, Command13, Command14, Command15, Command19, Command21, Command22, Command23,
        Check6, cmdDown, cmdUp};
}

void Form1::setMovieControlsEnabled(bool on)
{
    for (QWidget* control : movieControls())
        control->setEnabled(on);
    if (form2_)
        form2_->setMovieMenuEnabled(on);
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (!unloading_)
        Form_Unload();
    event->accept();
}
