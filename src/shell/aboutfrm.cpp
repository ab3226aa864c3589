#include "shell/aboutfrm.h"

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "shell/no_launcher.h"
#include "shell/program_icon.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace {

const QString AppTitle = QStringLiteral("ReelBox");

// A caption's line breaks (CR LF, LF CR or either alone) as plain line ends, so that a label
// shows its lines without a stray mark.
QString lineBreaks(QString text)
{
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QLabel* named(QLabel* label, const char* name)
{
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

Aboutfrm::Aboutfrm(Desktop& desktop, Dialogs& dialogs, Around around, QWidget* parent)
    : QDialog(parent), desktop_(desktop), dialogs_(dialogs), around_(std::move(around))
{
    setObjectName(QStringLiteral("Aboutfrm"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setModal(true);

    Image1 = named(new QLabel(this), "Image1");
    Image1->setPixmap(programIcon().pixmap(32, 32));
    Image1->setAlignment(Qt::AlignTop);
    lblTitle = named(new QLabel(QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ ﾀｲﾄﾙ"), this), "lblTitle");
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = named(new QLabel(QStringLiteral("ﾊﾞｰｼﾞｮﾝ"), this), "lblVersion");
    Label1 = named(new QLabel(this), "Label1");
    lblDescription = named(new QLabel(QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの説明"), this), "lblDescription");
    for (QLabel* l : {lblTitle, lblVersion, Label1, lblDescription})
        l->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(false);

    // Two lines, dark over light: an etched rule.
    for (std::size_t i = 0; i < Line1.size(); ++i) {
        Line1[i] = new QFrame(this);
        Line1[i]->setObjectName(QStringLiteral("Line1"));
        Line1[i]->setFixedHeight(1);
        Line1[i]->setAutoFillBackground(true);
        QPalette p = Line1[i]->palette();
        p.setColor(QPalette::Window, p.color(i == 0 ? QPalette::Dark : QPalette::Light));
        Line1[i]->setPalette(p);
    }

    Label2 = named(new QLabel(QStringLiteral(REELBOX_HOMEPAGE), this), "Label2");
    Label2->setTextFormat(Qt::PlainText);
    QPalette link = Label2->palette();
    link.setColor(QPalette::WindowText, link.color(QPalette::Link));
    Label2->setPalette(link);
    QFont underlined = Label2->font();
    underlined.setUnderline(true);
    Label2->setFont(underlined);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->installEventFilter(this);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &Aboutfrm::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &Aboutfrm::cmdSysInfo_Click);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->addWidget(Image1, 0, 0, 4, 1);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblVersion, 1, 1, 1, 2);
    grid->addWidget(Label1, 2, 1, 1, 2);
    grid->addWidget(lblDescription, 3, 1, 1, 2);
    auto* rule = new QVBoxLayout;
    rule->setSpacing(0);
    rule->addWidget(Line1[0]);
    rule->addWidget(Line1[1]);
    grid->addLayout(rule, 4, 0, 1, 3);
    grid->addWidget(Label2, 5, 0, 2, 2, Qt::AlignLeft | Qt::AlignBottom);
    grid->addWidget(cmdOK, 5, 2);
    grid->addWidget(cmdSysInfo, 6, 2);
    grid->setRowMinimumHeight(4, 12);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void Aboutfrm::showModal()
{
    Form_Load();
    exec();
}

void Aboutfrm::Form_Load()
{
    if (around_.load)
        around_.load();
    setWindowTitle(AppTitle + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    lblVersion->setText(QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
                            .arg(REELBOX_VERSION_MAJOR)
                            .arg(REELBOX_VERSION_MINOR)
                            .arg(REELBOX_VERSION_PATCH));
    lblTitle->setText(AppTitle);
    Label1->setText(
        lineBreaks(QStringLiteral("Video-CD等の動画を4:3の比率にして見る") +
                   QStringLiteral("\n\r") + QStringLiteral("動画再生ソフト　By ReelBox Project")));
    loaded_ = true;
}

// Closing by OK, by the window's close button or by Escape all end here.
void Aboutfrm::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void Aboutfrm::Form_Unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    if (around_.unload)
        around_.unload();
}

void Aboutfrm::cmdOK_Click() { accept(); }

void Aboutfrm::cmdSysInfo_Click() { StartSysInfo(); }

// Where nothing can open the address, the box over the About box says so and names it.
void Aboutfrm::Label2_Click()
{
    const QUrl url(QStringLiteral(REELBOX_HOMEPAGE));
    if (!desktop_.openUrl(url))
        dialogs_.MsgBox(noLauncherMessage(url), msgbox::OkOnly, msgbox::Exclamation, {});
}

// A system-information program of this system, or the message that there is none. The box is
// shown over the About box, which keeps the movie window let go.
void Aboutfrm::StartSysInfo()
{
    const QString program = desktop_.systemInfoProgram();
    if (!program.isEmpty() && desktop_.startProgram(program))
        return;
    dialogs_.MsgBox(
        QStringLiteral("ｼｽﾃﾑ情報ｱﾌﾟﾘｹｰｼｮﾝが見つかりません。現時点ではｼｽﾃﾑ情報を使用できません。"),
        msgbox::OkOnly, msgbox::Information, QStringLiteral("ｼｽﾃﾑ情報表示ｴﾗｰ"));
}

bool Aboutfrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label2 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        Label2_Click();
    return QDialog::eventFilter(watched, event);
}
