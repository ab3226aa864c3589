// The size dialog: the four kinds of size, the checks on typed numbers and their messages.
#include "movie/size_op.h"

#include "platform/dialogs.h"
#include "vbnum/vb_number.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <charconv>

namespace {

const QString Option1Caption = QStringLiteral("　横：　　　　　　　　　　の任意の4:3サイズ");
const QString Option2Caption = QStringLiteral(
    "　横：　　　　　　　　　　×　　　　　　　　　　　　の任意のサイズ");
const QString ErrorTitle = QStringLiteral("入力値ｴﾗｰ");

// Where a text box lies over its option's caption: the caption's characters [first, first + count).
struct Gap {
    int first, count;
};
constexpr Gap Text1Gap{3, 10};
constexpr Gap Text2Gap{3, 10};
constexpr Gap Text3Gap{14, 12};

// A single-precision number in its shortest decimal form (320, 240.5).
QString shortest(float value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

// Spaces (and only spaces) taken off both ends.
QString trimmed(const QString& text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

bool digitsOnly(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

size_op::size_op(
    QSize movieTwips, QSize screenPixels, Dialogs& dialogs, ReSize reSize, QWidget* parent)
    : QDialog(parent),
      movieTwips_(movieTwips),
      screenPixels_(screenPixels),
      dialogs_(dialogs),
      reSize_(std::move(reSize))
{
    setObjectName(QStringLiteral("size_op"));
    setWindowTitle(QStringLiteral("ｻｲｽﾞ指定"));
    setModal(true);
    createControls();
    layoutControls();
    Form_Load();
}

void size_op::createControls()
{
    const auto option = [this](const char* name, const QString& caption) {
        auto* o = new QRadioButton(caption, this);
        o->setObjectName(QLatin1String(name));
        return o;
    };
    const auto box = [this](const char* name) {
        auto* t = new QLineEdit(this);
        t->setObjectName(QLatin1String(name));
        t->setMaxLength(4);
        return t;
    };
    Option1 = option("Option1", Option1Caption);
    Text1 = box("Text1");
    Option2 = option("Option2", Option2Caption);
    Text2 = box("Text2");
    Text3 = box("Text3");
    Option3 = option("Option3", QStringLiteral("　4:3 (320×240)サイズ"));
    Option4 = option("Option4", QStringLiteral("　オリジナルサイズ"));
    // The boxes lie over their option's caption; a screen reader needs names of their own.
    Text1->setAccessibleName(QStringLiteral("任意の4:3サイズの横"));
    Text2->setAccessibleName(QStringLiteral("任意のサイズの横"));
    Text3->setAccessibleName(QStringLiteral("任意のサイズの縦"));
    Command1 = new QPushButton(QStringLiteral("O　K"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    QWidget* order[] = {
        Option1, Text1, Option2, Text2, Text3, Option3, Option4, Command1, Command2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    Option1->setChecked(true);

    const auto onSelect = [this](QRadioButton* o, void (size_op::*handler)()) {
        connect(o, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
    };
    onSelect(Option1, &size_op::Option1_Click);
    onSelect(Option2, &size_op::Option2_Click);
    onSelect(Option3, &size_op::Option3_Click);
    onSelect(Option4, &size_op::Option4_Click);
    connect(Command1, &QPushButton::clicked, this, &size_op::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &size_op::Command2_Click);
}

// The options stand one under the other; each text box covers its run of full-width spaces in
// the caption, measured in the dialog's own font so it fits at any size and scale.
void size_op::layoutControls()
{
    const QFontMetrics fm(font());
    const int margin = fm.height();
    const int rowHeight = std::max(Text1->sizeHint().height(), Option1->sizeHint().height()) + 4;
    int y = margin;
    int right = 0;
    for (QRadioButton* o : {Option1, Option2, Option3, Option4}) {
        o->setGeometry(margin, y, o->sizeHint().width(), rowHeight);
        right = std::max(right, o->geometry().right());
        y += rowHeight + fm.height() / 2;
    }
    const auto cover = [&](QLineEdit* box, QRadioButton* option, Gap gap) {
        QStyleOptionButton opt;
        opt.initFrom(option);
        opt.text = option->text();
        const int textLeft =
            style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, option).left();
        const QString caption = option->text();
        const int left = textLeft + fm.horizontalAdvance(caption.left(gap.first));
        const int width = fm.horizontalAdvance(caption.mid(gap.first, gap.count));
        const int height = Text1->sizeHint().height();
        box->setGeometry(option->x() + left, option->y() + (rowHeight - height) / 2, width, height);
        box->raise();
    };
    cover(Text1, Option1, Text1Gap);
    cover(Text2, Option2, Text2Gap);
    cover(Text3, Option2, Text3Gap);

    const QSize button = Command1->sizeHint().expandedTo(Command2->sizeHint());
    y += margin / 2;
    Command2->setGeometry(right - button.width(), y, button.width(), button.height());
    Command1->setGeometry(
        Command2->x() - margin / 2 - button.width(), y, button.width(), button.height());
    setFixedSize(right + margin, y + button.height() + margin);
}

void size_op::Form_Load()
{
    Text1->setEnabled(true);
    Text2->setEnabled(false);
    Text3->setEnabled(false);

    const float pictureW = (float(movieTwips_.width()) - 345) / vbnum::TwipsPerPixel;
    const float pictureH = (float(movieTwips_.height()) - 345) / vbnum::TwipsPerPixel;
    Text1->setText(shortest(pictureW));
    Text2->setText(shortest(pictureW));
    Text3->setText(shortest(pictureH));

    const double screenW = double(screenPixels_.width()) * vbnum::TwipsPerPixel;
    const double screenH = double(screenPixels_.height()) * vbnum::TwipsPerPixel;
    max_w = vbnum::roundToInt16((screenW - 345) / vbnum::TwipsPerPixel);
    max_h = vbnum::roundToInt16(vbnum::roundToInt16(max_w * 3.0) / 4.0);
    if (screenH < max_h * double(vbnum::TwipsPerPixel)) {
        max_h = vbnum::roundToInt16((screenH - 345) / vbnum::TwipsPerPixel);
        max_w = vbnum::roundToInt16(max_h * 4.0 / 3.0);
    }
}

void size_op::Option1_Click()
{
    Text1->setEnabled(true);
    Text2->setEnabled(false);
    Text3->setEnabled(false);
}

void size_op::Option2_Click()
{
    Text1->setEnabled(false);
    Text2->setEnabled(true);
    Text3->setEnabled(true);
}

void size_op::Option3_Click()
{
    for (QLineEdit* t : {Text1, Text2, Text3})
        t->setEnabled(false);
}

void size_op::Option4_Click() { Option3_Click(); }

bool size_op::fail(const QString& text)
{
    dialogs_.MsgBox(text, msgbox::OkOnly, msgbox::Information, ErrorTitle);
    return false;
}

namespace {

bool isEmpty(QLineEdit* box) { return trimmed(box->text()).isEmpty(); }

}  // namespace

// A whole number within lowest..highest, or the message that says what is wrong with it.
bool size_op::checkNumber(QLineEdit* box, int lowest, int highest, const QString& name)
{
    const QString t = trimmed(box->text());
    if (!digitsOnly(t))
        return fail(QStringLiteral("整数で入力してください。"));
    bool ok = false;
    const qlonglong value = t.toLongLong(&ok);
    if (!ok || value > highest || value < lowest)
        return fail(name + QString::number(lowest) + QStringLiteral("～") +
                    QString::number(highest) + QStringLiteral("の間で入力してください。"));
    return true;
}

bool size_op::checkWidth(QLineEdit* box)
{
    return checkNumber(box, 80, max_w, QStringLiteral("横は"));
}

bool size_op::checkHeight(QLineEdit* box)
{
    return checkNumber(box, 60, max_h, QStringLiteral("縦は"));
}

void size_op::Command1_Click()
{
    const QString empty = QStringLiteral("数値を入力してください。");
    std::int16_t re_flg = 0;
    QString re_w, re_h;
    if (Option1->isChecked()) {
        if (isEmpty(Text1)) {
            fail(empty);
            return;
        }
        if (!checkWidth(Text1))
            return;
        re_flg = 1;
        re_w = trimmed(Text1->text());
    } else if (Option2->isChecked()) {
        if (isEmpty(Text2) || isEmpty(Text3)) {
            fail(empty);
            return;
        }
        if (!checkWidth(Text2) || !checkHeight(Text3))
            return;
        re_flg = 2;
        re_w = trimmed(Text2->text());
        re_h = trimmed(Text3->text());
    } else {
        re_flg = Option3->isChecked() ? 3 : 4;
    }
    reSize_(re_flg, re_w, re_h);
    accept();
}

void size_op::Command2_Click() { reject(); }
