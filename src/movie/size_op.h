#pragma once

#include <QDialog>
#include <QSize>
#include <cstdint>
#include <functional>

class Dialogs;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The size dialog: a 4:3 picture of a typed width, a typed width and height, 320 x 240, or the
// movie's stored size. It checks what was typed and hands the choice to `reSize` (re_size's
// three arguments); wrong input is answered with a message and changes nothing. Made anew each
// time it is shown, so it always opens on Option1 with the current picture size.
class size_op : public QDialog {
    Q_OBJECT
public:
    using ReSize =
        std::function<void(std::int16_t re_flg, const QString& re_w, const QString& re_h)>;

    // `movieTwips` is the movie window's outer size in twips, `screenPixels` the size of the
    // screen it is on.
    size_op(QSize movieTwips, QSize screenPixels, Dialogs& dialogs, ReSize reSize,
        QWidget* parent = nullptr);

    QRadioButton *Option1, *Option2, *Option3, *Option4;
    QLineEdit *Text1, *Text2, *Text3;
    QPushButton *Command1, *Command2;

    // The largest width and height (pixels) the dialog accepts.
    std::int16_t max_w = 0;
    std::int16_t max_h = 0;

    void Form_Load();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Command1_Click();
    void Command2_Click();

private:
    void createControls();
    void layoutControls();
    // The message of a failed check; false so that a check reads `ok || fail(...)`.
    bool fail(const QString& text);
    bool checkWidth(QLineEdit* box);
    bool checkHeight(QLineEdit* box);
    bool checkNumber(QLineEdit* box, int lowest, int highest, const QString& name);

    const QSize movieTwips_;
    const QSize screenPixels_;
    Dialogs& dialogs_;
    const ReSize reSize_;
};
