// The size dialog: what it shows when it opens, the limits of the screen, and every check with
// its message, through its own controls.
#include "fake_dialogs.h"
#include "movie/size_op.h"
#include "qt_printers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

struct ReSizeCall {
    int re_flg;
    QString re_w, re_h;
    bool operator==(const ReSizeCall&) const = default;
};

void PrintTo(const ReSizeCall& c, std::ostream* os)
{
    *os << c.re_flg << " \"" << c.re_w.toStdString() << "\" \"" << c.re_h.toStdString() << '"';
}

class SizeDialog {
public:
    SizeDialog(QSize movieTwips, QSize screen)
        : dialog(movieTwips, screen, Command4, dialogs, [this](std::int16_t f, const QString& w, const QString& h) {
              calls.push_back({f, w, h});
          })
    {
        Command4.setText(QStringLiteral("Org"));
    }
    FakeDialogs dialogs;
    QPushButton Command4;
    std::vector<ReSizeCall> calls;
    size_op dialog;
};

const QString Number = QStringLiteral("数値を入力してください。");
const QString Whole = QStringLiteral("整数で入力してください。");
const QString Width = QStringLiteral("横は80～1001の間で入力してください。");
const QString Height = QStringLiteral("縦は60～751の間で入力してください。");

}  // namespace

TEST(SizeDialogTest, OpensOnTheCurrentPictureWithTheScreensLimits)
{
    struct Case {
        QSize movieTwips, screen;
        QString width, height;
        int max_w, max_h;
    } cases[] = {
        {{5145, 3945}, {1024, 768}, "320", "240", 1001, 751},
        {{5625, 3945}, {1920, 1080}, "352", "240", 1409, 1057},  // the height limits
        {{5145, 3945}, {1280, 1024}, "320", "240", 1257, 943},
        {{5145, 3945}, {1280, 800}, "320", "240", 1036, 777},
        {{360, 360}, {1024, 768}, "1", "1", 1001, 751},
    };
    for (const Case& c : cases) {
        SizeDialog d(c.movieTwips, c.screen);
        SCOPED_TRACE(c.screen.width());
        EXPECT_TRUE(d.dialog.Option1->isChecked());
        EXPECT_EQ(d.dialog.Text1->text(), c.width);
        EXPECT_EQ(d.dialog.Text2->text(), c.width);
        EXPECT_EQ(d.dialog.Text3->text(), c.height);
        EXPECT_EQ(d.dialog.max_w, c.max_w);
        EXPECT_EQ(d.dialog.max_h, c.max_h);
        EXPECT_EQ((std::vector<bool>{d.dialog.Text1->isEnabled(), d.dialog.Text2->isEnabled(),
                                     d.dialog.Text3->isEnabled()}),
                  (std::vector<bool>{true, false, false}));
    }
}

TEST(SizeDialogTest, OptionsEnableTheirBoxes)
{
    SizeDialog d({5145, 3945}, {1024, 768});
    size_op& s = d.dialog;
    struct Case {
        QRadioButton* option;
        bool t1, t2, t3;
    } cases[] = {{s.Option2, false, true, true}, {s.Option3, false, false, false},
                 {s.Option1, true, false, false}, {s.Option4, false, false, false}};
    for (const Case& c : cases) {
        c.option->click();
        EXPECT_EQ((std::vector<bool>{s.Text1->isEnabled(), s.Text2->isEnabled(), s.Text3->isEnabled()}),
                  (std::vector<bool>{c.t1, c.t2, c.t3}))
            << c.option->objectName().toStdString();
    }
}

// OK with each option and what was typed: either the one message (title, OK button,
// information icon; the dialog stays open and nothing changes) or re_size's arguments.
TEST(SizeDialogTest, OkChecksWhatWasTyped)
{
    struct Case {
        int option;
        QString text1, text2, text3;
        QString message;                // empty: accepted
        std::vector<ReSizeCall> calls;  // what reached re_size
        QString command4 = QStringLiteral("unchanged");
    } cases[] = {
        {1, "320", "", "", "", {{1, "320", ""}}},
        {1, " 320", "", "", "", {{1, "320", ""}}},
        {1, "320 ", "", "", "", {{1, "320", ""}}},
        {1, "0080", "", "", "", {{1, "0080", ""}}},
        {1, "80", "", "", "", {{1, "80", ""}}},
        {1, "1001", "", "", "", {{1, "1001", ""}}},
        {1, "79", "", "", Width, {}},
        {1, "1002", "", "", Width, {}},
        {1, "0", "", "", Width, {}},
        {1, "9999", "", "", Width, {}},
        {1, "123456", "", "", Width, {}},  // the box keeps 4 characters: 1234
        {1, "", "", "", Number, {}},
        {1, "    ", "", "", Number, {}},
        {1, "abc", "", "", Whole, {}},
        {1, "-80", "", "", Whole, {}},
        {1, "+80", "", "", Whole, {}},
        {1, "80.5", "", "", Whole, {}},
        {1, "8 0", "", "", Whole, {}},
        {1, "\t80", "", "", Whole, {}},
        {1, "１２０", "", "", Whole, {}},  // full-width digits
        {2, "", "640", "480", "", {{2, "640", "480"}}},
        {2, "", " 80", "60 ", "", {{2, "80", "60"}}},
        {2, "", "1001", "751", "", {{2, "1001", "751"}}},
        {2, "", "abc", "", Number, {}},  // an empty height is reported before a wrong width
        {2, "", "", "240", Number, {}},
        {2, "", "abc", "240", Whole, {}},
        {2, "", "79", "x", Width, {}},  // the width's range before the height's form
        {2, "", "320", "x", Whole, {}},
        {2, "", "320", "59", Height, {}},
        {2, "", "320", "752", Height, {}},
        {2, "", "320", "-1", Whole, {}},
        {3, "abc", "", "", "", {{3, "", ""}}, "Org"},
        {4, "abc", "", "", "", {{4, "", ""}}, "4:3"},
    };
    for (const Case& c : cases) {
        SizeDialog d({5145, 3945}, {1024, 768});
        size_op& s = d.dialog;
        d.Command4.setText(QStringLiteral("unchanged"));
        QRadioButton* options[] = {s.Option1, s.Option2, s.Option3, s.Option4};
        options[c.option - 1]->click();
        s.Text1->setText(c.text1);
        s.Text2->setText(c.text2);
        s.Text3->setText(c.text3);
        s.show();
        s.Command1->click();
        SCOPED_TRACE(QStringLiteral("option %1: \"%2\" \"%3\" \"%4\"").arg(c.option).arg(c.text1, c.text2, c.text3).toStdString());
        QStringList shown;
        for (const FakeDialogs::Box& box : d.dialogs.boxes) {
            shown << box.text;
            EXPECT_EQ(box.title, "入力値ｴﾗｰ");
            EXPECT_EQ(box.buttons, msgbox::OkOnly);
            EXPECT_EQ(box.icon, msgbox::Information);
        }
        EXPECT_EQ(shown, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(d.calls, c.calls);
        EXPECT_EQ(s.isVisible(), !c.message.isEmpty());  // a message leaves the dialog open
        EXPECT_EQ(d.Command4.text(), c.command4);
    }
}

TEST(SizeDialogTest, CancelChangesNothing)
{
    SizeDialog d({5145, 3945}, {1024, 768});
    d.dialog.show();
    d.dialog.Option3->click();
    d.dialog.Command2->click();
    EXPECT_TRUE(d.calls.empty());
    EXPECT_EQ(d.dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(d.dialog.isVisible());
    EXPECT_EQ(d.Command4.text(), "Org");
}
