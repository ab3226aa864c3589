#include "playlist/rename_dialog.h"

#include "controls/list_box.h"
#include "controls/named.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLabel* colored(QLabel* label, Qt::GlobalColor color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

// Blanks at both ends removed (spaces only, as the name was always trimmed).
QString trimSpaces(const QString& text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

}  // namespace

Dialog::Dialog(PlaylistWindow& form1_, Playlist& playlist_, ListBox& List2_, QWidget* parent)
    : QDialog(parent), form1(form1_), playlist(playlist_), List2(List2_)
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("選択ﾘｽﾄ表示名変更"));

    Label4 = colored(named(new QLabel(QStringLiteral("ｵﾘｼﾞﾅﾙﾌｧｲﾙ名："), this), "Label4"), Qt::blue);
    Label3 = named(new QLabel(this), "Label3");
    Label5 = colored(named(new QLabel(QStringLiteral("現在の表示名："), this), "Label5"), Qt::blue);
    Label1 = named(new QLabel(this), "Label1");
    Text1 = named(new QLineEdit(this), "Text1");
    Text1->setAccessibleName(QStringLiteral("新しい表示名"));  // no caption beside it
    Label2 = colored(named(new QLabel(this), "Label2"), Qt::red);
    OKButton = named(new QPushButton(QStringLiteral("変更"), this), "OKButton");
    CancelButton = named(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this), "CancelButton");
    OKButton->setDefault(true);
    for (QLabel* label : {Label3, Label1, Label2})
        label->setTextFormat(Qt::PlainText);  // names may hold "<" and "&"
    Label3->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w :
        std::initializer_list<QWidget*>{Label4, Label3, Label5, Label1, Text1, Label2})
        layout->addWidget(w);
    layout->addLayout(buttons);
    setMinimumWidth(440);

    connect(OKButton, &QPushButton::clicked, this, &Dialog::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &Dialog::CancelButton_Click);
    Form_Load();
}

void Dialog::Form_Load()
{
    rename_idx = std::int16_t(List2.ListIndex());
    Label3->setText(playlist.path(rename_idx));
    Label1->setText(playlist.name(rename_idx));
    // At most 100 characters, but a longer name taken from a file is shown whole, not cut.
    Text1->setMaxLength(std::max<int>(100, playlist.name(rename_idx).size()));
    Text1->setText(playlist.name(rename_idx));
    // The red line holds its two lines while empty, so the dialog does not jump when it speaks.
    Label2->setWordWrap(true);
    Label2->setMinimumHeight(2 * Label2->fontMetrics().lineSpacing());
}

void Dialog::OKButton_Click()
{
    const QString t = Text1->text();
    if (t.contains(u'&') || t.contains(u'=') || t.contains(u',')) {
        Label2->setText(QStringLiteral(
            "変更後の名前に半角で「,」か「=」か「＆」があります。「,」か「=」か「＆」は無くして下さい。"));
        return;
    }
    if (trimSpaces(t).isEmpty()) {
        Label2->setText(QStringLiteral("変更後の名前がありません。空白のみは無視されます。"));
        return;
    }
    playlist.rename(rename_idx, t);
    if (rename_idx == List2.ListIndex()) {
        form1.showMovieName(t);
        // No blank before 選択中 here, unlike the tip an opened entry gets.
        List2.setToolTip(QStringLiteral("再生ﾘｽﾄ一覧 ") + t + QStringLiteral("選択中"));
    }
    closeDialog();
}

void Dialog::CancelButton_Click() { closeDialog(); }

void Dialog::reject() { closeDialog(); }

void Dialog::closeDialog()
{
    done(QDialog::Rejected);
    form1.afterModal();
}
