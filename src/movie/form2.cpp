#include "movie/form2.h"

#include "controls/menu_item.h"
#include "movie/system_colors.h"
#include "movie/video_window.h"
#include "vbnum/vb_number.h"

#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace {

using vbnum::toPixels;

void placeTwips(QWidget* w, int top, int left, int width, int height)
{
    w->setGeometry(
        toPixels(left), toPixels(top), std::max(0, toPixels(width)), std::max(0, toPixels(height)));
}

}  // namespace

Form2::Form2(ControlWindow& form1_, const MirroredControls& form1Controls_, VideoWindow& video_,
    WindowLayer& windows_, const QString& programDir_)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      form1(form1_),
      form1Controls(form1Controls_),
      video(video_),
      windows(windows_),
      programDir(programDir_)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_QuitOnClose, false);  // the program ends with the control window
    resize(343, 263);

    // The placeholder over the picture area. It keeps the press count as its caption, which
    // is not meant to be read: the text is drawn transparent.
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QPalette hidden = Label2->palette();
    hidden.setColor(QPalette::WindowText, Qt::transparent);
    Label2->setPalette(hidden);

    // The strip along the bottom edge: "Movie", or the open entry's name.
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setMouseTracking(true);
    Label1->setAlignment(
        Qt::AlignLeft | Qt::AlignTop);  // full screen leaves it taller than the strip
    Label1->resize(Label1->width(), 13);
    setStripTextColor(StripBlue);

    for (QLabel* l : {Label1, Label2})
        l->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    connect(Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form2::Timer2_Timer);
    connect(Timer3, &QTimer::timeout, this, &Form2::Timer3_Timer);

    createMenu();
    setBackColor(0);
    showNoEntry();
}

Form2::~Form2() = default;

int Form2::Top() const { return vbnum::toTwips(frameGeometry().top()); }
int Form2::Left() const { return vbnum::toTwips(frameGeometry().left()); }
int Form2::Width() const { return vbnum::toTwips(frameGeometry().width()); }
int Form2::Height() const { return vbnum::toTwips(frameGeometry().height()); }
void Form2::setTop(int twips) { move(x(), toPixels(twips)); }
void Form2::setLeft(int twips) { move(toPixels(twips), y()); }
void Form2::setWidth(int twips) { resize(std::max(1, toPixels(twips)), height()); }
void Form2::setHeight(int twips) { resize(width(), std::max(1, toPixels(twips))); }

void Form2::setBackColor(std::int32_t value)
{
    back_color_ = value;
    const QColor color = colorFromStored(value);
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    setAutoFillBackground(true);
}

void Form2::setStripTextColor(const QColor& color)
{
    QPalette strip = Label1->palette();
    strip.setColor(QPalette::WindowText, color);
    Label1->setPalette(strip);
}

void Form2::showEntryName(const QString& name)
{
    Label1->setText(name + QStringLiteral("　"));
    setWindowTitle(name + QStringLiteral(" - ReelBox"));
}

void Form2::showNoEntry()
{
    Label1->setText(QStringLiteral("Movie"));
    setWindowTitle(QStringLiteral("Movie - ReelBox"));
}

void Form2::placeStrip()
{
    placeTwips(Label1, Height() - 200, 130, Width(), Label1->height() * vbnum::TwipsPerPixel);
}

void Form2::placePlaceholder() { placeTwips(Label2, 150, 150, Width() - 345, Height() - 345); }

void Form2::setMovieMenuEnabled(bool on)
{
    for (MenuItem* item : {me_kake, me_s_t, me_wari, m_mae, m_yugi, me_full, me_teisi})
        item->setEnabled(on);
}

void Form2::setFullScreenMenu(bool on)
{
    for (MenuItem* item :
        {topw1, c_hyouji, ba2, me_wari, me_kake, ch_col, ch_ho, ba4, me_about, ba3})
        item->setVisible(!on);
    me_full->setText(on ? QStringLiteral("FullScreen解除") : QStringLiteral("Full Screen"));
}

void Form2::stopTimers()
{
    for (QTimer* t : {Timer1, Timer2, Timer3})
        t->stop();
}

void Form2::showMenu() { menu0->popup(windows.cursorPos()); }
