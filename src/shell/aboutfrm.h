#pragma once

#include <QDialog>
#include <array>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class Desktop;
class Dialogs;

// The About box: the program's title, version and description, the system-information button
// and a web address that opens when clicked. Modal; `around` is the topmost rule that every
// modal window follows (the movie window let go at load, taken up again at unload as it says).
class Aboutfrm : public QDialog {
    Q_OBJECT
public:
    struct Around {
        std::function<void()> load;
        std::function<void()> unload;
    };
    Aboutfrm(Desktop& desktop, Dialogs& dialogs, Around around, QWidget* parent = nullptr);

    // Loads and shows the box; returns when it is closed.
    void showModal();

    QLabel* Image1;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* Label1;
    QLabel* lblDescription;
    std::array<QFrame*, 2> Line1;
    QLabel* Label2;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

    void Form_Load();
    void Form_Unload();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label2_Click();
    void StartSysInfo();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Desktop& desktop_;
    Dialogs& dialogs_;
    Around around_;
    bool loaded_ = false;
};
