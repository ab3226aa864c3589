#include "app/form1.h"

#include "app/controls/check_box.h"
#include "app/controls/dir_list_box.h"
#include "app/controls/file_list_box.h"
#include "app/controls/list_box.h"
#include "app/controls/scroll_bar.h"
#include "app/services.h"
#include "app/vb_number.h"
#include "movie/form2.h"
#include "playlist/playlist.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

namespace {

template <typename T>
T* named(T* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

}  // namespace

Form1::Form1(Services& services_, QWidget* parent) : QWidget(parent), services(services_)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ReelBox"));
    createControls();
    layoutControls();
    playlist = std::make_unique<Playlist>(*List1, *List2);
    connectHandlers();
}

Form1::~Form1()
{
    delete form2_;
}

Form2& Form1::form2()
{
    if (!form2_) {
        // Known as the movie window before its load runs: loading ticks Check4, whose handler
        // uses it.
        form2_ = new Form2(*this, services);
        form2_->Form_Load();
        connectPlaybackMenu(*form2_);
    }
    return *form2_;
}

int Form1::Top() const { return frameGeometry().top() * vbnum::TwipsPerPixel; }
int Form1::Left() const { return frameGeometry().left() * vbnum::TwipsPerPixel; }
int Form1::Width() const { return frameGeometry().width() * vbnum::TwipsPerPixel; }
int Form1::Height() const { return frameGeometry().height() * vbnum::TwipsPerPixel; }
void Form1::setTop(int twips) { move(x(), twips / vbnum::TwipsPerPixel); }
void Form1::setLeft(int twips) { move(twips / vbnum::TwipsPerPixel, y()); }

void Form1::createControls()
{
    const auto button = [this](const char* name, const QString& caption, const QString& tip) {
        auto* b = named(new QPushButton(caption, this), name);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    const auto check = [this](const char* name, const QString& caption, const QString& tip) {
        auto* c = named(new CheckBox(caption, this), name);
        c->setToolTip(tip);
        return c;
    };

    Command1 = button("Command1", QStringLiteral("ﾌｧｲﾙ指定"), QStringLiteral("ﾌｧｲﾙ選択"));
    Command2 = button("Command2", QStringLiteral("|>"), QStringLiteral("再生/1時停止"));
    Command3 = button("Command3", QStringLiteral("早送り"), QStringLiteral("早送り再生"));
    Command4 = button("Command4", QStringLiteral("Org"), QStringLiteral("ｵﾘｼﾞﾅﾙｻｲｽﾞ⇔4:3ｻｲｽﾞ"));
    Command5 = button("Command5", QStringLiteral(">>"), QStringLiteral("1ﾌﾚｰﾑ進む"));
    Command6 = button("Command6", QStringLiteral("<<"), QStringLiteral("1ﾌﾚｰﾑ戻る"));
    Command7 = button("Command7", QStringLiteral("/2"), QStringLiteral("縮小"));
    Command8 = button("Command8", QStringLiteral("*2"), QStringLiteral("拡大"));
    Command9 = button("Command9", QStringLiteral("■"), QStringLiteral("停止"));
    Command10 = button("Command10", QStringLiteral("|<"), QStringLiteral("前のﾘｽﾄへ"));
    Command11 = button("Command11", QStringLiteral(">|"), QStringLiteral("次のﾘｽﾄへ"));
    Command12 = button("Command12", QStringLiteral("ﾌｫﾙﾀﾞ指定"), QStringLiteral("ﾌｫﾙﾀﾞ内ﾌｧｲﾙ自動読み込み"));
    Command13 = button("Command13", QStringLiteral("全ﾘｽﾄｸﾘｱ"), QStringLiteral("全ﾘｽﾄｸﾘｱ"));
    Command14 = button("Command14", QStringLiteral("スロー"), QStringLiteral("スロー再生"));
    Command15 = button("Command15", QStringLiteral("ﾘｽﾄｸﾘｱ"), QStringLiteral("選択ﾘｽﾄｸﾘｱ"));
    Command16 = button("Command16", QStringLiteral("非表示"), QStringLiteral("このｺﾝﾄﾛｰﾙを非表示にする"));
    Command17 = button("Command17", QStringLiteral("A"), QStringLiteral("About"));
    Command18 = button("Command18", QStringLiteral("H"), QStringLiteral("Help"));
    Command19 = button("Command19", QStringLiteral("ﾘｽﾄ保存"), QStringLiteral("ﾘｽﾄをﾌｧｲﾙに保存"));
    Command20 = button("Command20", QStringLiteral("ﾘｽﾄを開く"), QStringLiteral("ﾘｽﾄﾌｧｲﾙを開く"));
    Command21 = button("Command21", QStringLiteral("表示名変更"), QStringLiteral("ﾘｽﾄ表示名変更"));
    Command22 = button("Command22", QStringLiteral("Full"), QStringLiteral("Full Screen再生"));
    Command23 = button("Command23", QStringLiteral("Set"), QStringLiteral("動画Windowを任意のｻｲｽﾞにｾｯﾄ"));

    // Picture buttons: 16 x 16 arrows, no caption.
    cmdUp = button("cmdUp", QString(), QStringLiteral("上へ移動"));
    cmdUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmdDown = button("cmdDown", QString(), QStringLiteral("下へ移動"));
    cmdDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    for (QPushButton* b : {cmdUp, cmdDown})
        b->setIconSize(QSize(16, 16));

    Check1 = check("Check1", QStringLiteral("ｻﾌﾞﾌｫﾙﾀﾞ含む"), QStringLiteral("ｻﾌﾞﾌｫﾙﾀﾞのﾌｧｲﾙも自動で登録する場合ﾁｪｯｸ"));
    Check2 = check("Check2", QStringLiteral("Full Screen"), QStringLiteral("ﾌﾙｽｸﾘｰﾝで再生"));
    Check3 = check("Check3", QStringLiteral("Loop"), QStringLiteral("自動で次のﾌｧｲﾙを再生"));
    Check4 = check("Check4", QStringLiteral("手前に表示"), QStringLiteral("一番手前に再生Windowを表示"));
    Check5 = check("Check5", QStringLiteral("Video-CD"), QStringLiteral("Video-CD専用"));
    // 255 x 255 twips, caption not shown: a bare tick box beside the position label.
    Check6 = check("Check6", QString(), QStringLiteral("ﾌﾚｰﾑ/時間表示切替"));
    Check6->setFixedSize(255 / vbnum::TwipsPerPixel, 255 / vbnum::TwipsPerPixel);
    Check7 = check("Check7", QStringLiteral("-->　選択のみ"), QStringLiteral("選択ﾘｽﾄのみLoop"));

    List1 = named(new ListBox(this), "List1");
    List1->hide();
    List2 = named(new ListBox(this), "List2");
    List2->setToolTip(QStringLiteral("再生ﾌｧｲﾙﾘｽﾄ"));

    Combo1 = named(new QComboBox(this), "Combo1");
    Combo1->setToolTip(QStringLiteral("CD-ROMﾄﾞﾗｲﾌﾞ一覧"));
    Combo1->setEnabled(false);  // only Video-CD mode offers the drives

    HScroll1 = named(new ScrollBar(this), "HScroll1");
    HScroll2 = named(new ScrollBar(this), "HScroll2");

    Label1 = named(new QLabel(QStringLiteral("ファイル名"), this), "Label1");
    Label2 = named(new QLabel(QStringLiteral("ﾌﾚｰﾑor時間"), this), "Label2");
    Label3 = named(new QLabel(QStringLiteral("SPEED"), this), "Label3");
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
    File1->setPattern(QStringLiteral("*.dat;*.mpg;*.mpeg;*.avi"));
    Dir1->setPath(QDir::currentPath());
    File1->setPath(Dir1->Path());

    Picture1 = named(new QLabel(this), "Picture1");
    Picture1->setPixmap(style()->standardIcon(QStyle::SP_MediaPlay).pixmap(16, 16));
    Picture1->hide();  // only the tray uses its picture
    Image1 = named(new QLabel(this), "Image1");
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(16, 16));

    Timer1 = named(new QTimer(this), "Timer1");
    Timer2 = named(new QTimer(this), "Timer2");
    Timer3 = named(new QTimer(this), "Timer3");
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (!unloading_)
        Form_Unload();
    event->accept();
}
