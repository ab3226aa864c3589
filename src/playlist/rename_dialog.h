#pragma once

#include <QDialog>
#include <cstdint>

class ListBox;
class Playlist;
class PlaylistWindow;
class QLabel;
class QLineEdit;
class QPushButton;

// Dialog: renames the selected playlist entry. Made for one rename and gone when closed, so it
// starts afresh each time. An unusable name is reported in its red line and it stays open.
class Dialog : public QDialog {
    Q_OBJECT
public:
    Dialog(PlaylistWindow& form1, Playlist& playlist, ListBox& List2, QWidget* parent);

    QLabel* Label4;  // "original file name"
    QLabel* Label3;  // the entry's path
    QLabel* Label5;  // "current display name"
    QLabel* Label1;  // the entry's display name
    QLineEdit* Text1;
    QLabel* Label2;  // the red message line
    QPushButton *OKButton, *CancelButton;

    std::int16_t rename_idx = -1;

    void Form_Load();
    void OKButton_Click();
    void CancelButton_Click();

protected:
    // Escape and the close box leave like Cancel, giving the movie window its place in front back.
    void reject() override;

private:
    void closeDialog();

    PlaylistWindow& form1;
    Playlist& playlist;
    ListBox& List2;
};
