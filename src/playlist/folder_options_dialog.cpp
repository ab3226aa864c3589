#include "playlist/folder_options_dialog.h"

#include "controls/check_box.h"
#include "controls/file_list_box.h"
#include "controls/named.h"
#include "playlist/playlist_window.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

folda_op::folda_op(
    PlaylistWindow& form1_, CheckBox& form1Check1_, FileListBox& File1_, QWidget* parent)
    : QDialog(parent), form1(form1_), form1Check1(form1Check1_), File1(File1_)
{
    setObjectName(QStringLiteral("folda_op"));
    setWindowTitle(QStringLiteral("ﾌｫﾙﾀﾞ 指定ｵﾌﾟｼｮﾝ"));

    Frame1 = named(new QGroupBox(QStringLiteral("ﾘｽﾄに加える動画ﾀｲﾌﾟを選択"), this), "Frame1");
    Check2 = named(new CheckBox(QStringLiteral("Mpeg (*.mpg,*.mpeg)"), Frame1), "Check2");
    Check3 = named(new CheckBox(QStringLiteral("Video-CD (*.dat)"), Frame1), "Check3");
    Check4 = named(new CheckBox(QStringLiteral("Avi (*.avi)"), Frame1), "Check4");
    auto* types = new QVBoxLayout(Frame1);
    for (CheckBox* box : {Check2, Check3, Check4})
        types->addWidget(box);

    Label1 = named(
        new QLabel(QStringLiteral("どれも選択しない場合は全てが対象となります。"), this), "Label1");
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label1->setPalette(red);

    Check1 = named(new CheckBox(QString(), this), "Check1");
    Label2 = named(
        new QLabel(QStringLiteral("指定するﾌｫﾙﾀﾞのさらに下のｻﾌﾞﾌｫﾙﾀﾞも検索する場合にﾁｪｯｸ。"), this),
        "Label2");
    // Label2 is Check1's caption: a click on it ticks the box, as on a caption of its own.
    Label2->installEventFilter(this);
    Check1->setAccessibleName(Label2->text());

    OKButton = named(new QPushButton(QStringLiteral("OK"), this), "OKButton");
    OKButton->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Frame1, 0, 0, 1, 2);
    layout->addWidget(Label1, 1, 0, 1, 2);
    layout->addWidget(Check1, 2, 0, Qt::AlignTop);
    layout->addWidget(Label2, 2, 1);
    layout->addWidget(OKButton, 3, 0, 1, 2, Qt::AlignHCenter);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKButton, &QPushButton::clicked, this, &folda_op::OKButton_Click);
    Form_Load();
}

bool folda_op::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label2 && event->type() == QEvent::MouseButtonRelease)
        Check1->click();
    return QDialog::eventFilter(watched, event);
}

void folda_op::Form_Load()
{
    form1.beforeModal();
    Check1->setValue(form1Check1.Value());
}

void folda_op::OKButton_Click()
{
    form1Check1.setValue(Check1->Value());
    File1.setPattern(patternFor(Check2->Value() == 1, Check3->Value() == 1, Check4->Value() == 1));
    accept();
}

QString folda_op::patternFor(bool mpeg, bool videoCd, bool avi)
{
    QString pattern;
    if (mpeg)
        pattern = QStringLiteral("*.mpg;*.mpeg");
    if (videoCd)
        pattern = pattern.isEmpty() ? QStringLiteral("*.dat") : pattern + QStringLiteral(";*.dat");
    if (avi)
        pattern = pattern.isEmpty() ? QStringLiteral("*.avi") : pattern + QStringLiteral(";*.avi");
    if (pattern.isEmpty())
        pattern = QStringLiteral("*.dat;*.mpg;*.mpeg;*.avi");
    return pattern;
}
