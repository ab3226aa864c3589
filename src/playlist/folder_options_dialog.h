#pragma once

#include <QDialog>

class CheckBox;
class FileListBox;
class QGroupBox;
class QLabel;
class QPushButton;
class PlaylistWindow;

// folda_op: the options of a folder import, the movie types and whether subfolders are searched.
// Accepted by OK (the import follows); the close box imports nothing.
class folda_op : public QDialog {
    Q_OBJECT
public:
    // form1Check1: the control window's subfolder option, which this dialog's Check1 mirrors.
    folda_op(PlaylistWindow& form1, CheckBox& form1Check1, FileListBox& File1, QWidget* parent);

    QGroupBox* Frame1;
    CheckBox *Check2, *Check3, *Check4;  // MPEG, Video-CD, AVI
    QLabel* Label1;
    CheckBox* Check1;  // subfolders, captioned by Label2 beside it
    QLabel* Label2;
    QPushButton* OKButton;

    void Form_Load();
    void OKButton_Click();

    // The file pattern for the ticked types, always in the order MPEG, Video-CD, AVI; all four
    // types when none is ticked.
    static QString patternFor(bool mpeg, bool videoCd, bool avi);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PlaylistWindow& form1;
    CheckBox& form1Check1;
    FileListBox& File1;
};
