// The size dialog: what it shows when it opens, the screen's limits, and every check with its
// message, through its own controls.
// Checks: size_op.cpp (src/movie).
#include "fake_dialogs.h"
#include "movie/size_op.h"
#include "qt_printers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// The dialog over a movie window of 5145 x 3945 twips (a 320 x 240 picture); what reaches
// re_size is kept as "flag width height".
struct SizeDialog {
    explicit SizeDialog(QSize screen, QSize movieTwips = {5145, 3945})
        : dialog(movieTwips, screen, dialogs,
              [this](std::int16_t f, const QString& w, const QString& h) {
                  calls << QStringLiteral("%1 %2 %3").arg(f).arg(w, h);
              })
    {
    }
    FakeDialogs dialogs;
    QStringList calls;
    size_op dialog;
};

}  // namespace

TEST(SizeDialogTest, OpensOnTheCurrentPictureWithTheScreensLimits)
{
    // The screen, the movie window in twips, the three boxes' texts, the largest width and height.
    const std::tuple<QSize, QSize, QString, int, int> cases[] = {
        {{1024, 768}, {5145, 3945}, "320 320 240", 1001, 751},
        {{1920, 1080}, {5625, 3945}, "352 352 240", 1409, 1057}};  // the height limits
    for (const auto& [screen, movieTwips, texts, max_w, max_h] : cases) {
        SizeDialog d(screen, movieTwips);
        const size_op& s = d.dialog;
        EXPECT_TRUE(s.Option1->isChecked());
        EXPECT_EQ(
            QStringList({s.Text1->text(), s.Text2->text(), s.Text3->text()}).join(' '), texts);
        EXPECT_EQ((std::array{int(s.max_w), int(s.max_h)}), (std::array{max_w, max_h}));
    }
}

// OK with each option and what was typed: either re_size's arguments, or one message (its
// title, OK button and information icon) with the dialog left open and nothing changed.
TEST(SizeDialogTest, OkChecksWhatWasTyped)
{
    const QString number = "数値を入力してください。", whole = "整数で入力してください。",
                  width = "横は80～1001の間で入力してください。",
                  height = "縦は60～751の間で入力してください。";
    struct Case {
        int option;
        QString width, height;  // Text1 or Text2, and Text3
        QString outcome;  // what reached re_size, or the message
    } cases[] = {{1, "0080", "", "1 0080 "}, {1, "1001", "", "1 1001 "}, {1, "79", "", width},
        {1, "1002", "", width}, {1, "123456", "", width},  // the box keeps four characters: 1234
        {1, "", "", number}, {1, "abc", "", whole}, {1, "+80", "", whole}, {1, "１２０", "", whole},
        {2, "80 ", " 60", "2 80 60"}, {2, "abc", "", number},  // an empty height is reported first
        {2, "79", "x", width}, {2, "320", "x", whole}, {2, "320", "59", height},
        {3, "abc", "", "3  "}, {4, "abc", "", "4  "}};
    for (const Case& c : cases) {
        SizeDialog d({1024, 768});
        size_op& s = d.dialog;
        QRadioButton* options[] = {s.Option1, s.Option2, s.Option3, s.Option4};
        options[c.option - 1]->click();
        const char* enabled[] = {"100", "011", "000", "000"};  // Text1, Text2, Text3
        EXPECT_EQ(QString::number(s.Text1->isEnabled()) + QString::number(s.Text2->isEnabled()) +
                      QString::number(s.Text3->isEnabled()),
            enabled[c.option - 1]);
        (c.option == 2 ? s.Text2 : s.Text1)->setText(c.width);
        s.Text3->setText(c.height);
        s.show();
        s.Command1->click();
        QStringList outcome = d.calls;
        for (const FakeDialogs::Box& box : d.dialogs.boxes)
            outcome << box.text + (box.title == "入力値ｴﾗｰ" && box.buttons == msgbox::OkOnly &&
                                              box.icon == msgbox::Information
                                          ? ""
                                          : " (wrong box)");
        EXPECT_EQ(outcome, QStringList{c.outcome}) << c.option << " " << c.width.toStdString();
        EXPECT_EQ(s.isVisible(), d.calls.isEmpty());
    }
}
