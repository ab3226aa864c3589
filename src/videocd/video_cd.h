#pragma once

#include "platform/drive_table.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class CheckBox;
class FileListBox;
class ListBox;
class Playback;
class PlayerWindow;
class Playlist;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QThread;

// The folder of a Video-CD's movie tracks, under the disc's root.
inline const QString VideoCdTrackFolder = QStringLiteral("MPEGAV/");

// The control window's controls that the Video-CD mode reads and drives.
struct VideoCdControls {
    CheckBox* Check5;  // the mode itself
    QComboBox* Combo1;  // the drives
    QTimer* Timer2;  // the drive search, every 5 s while the playlist is empty
    QLabel* Label5;  // the loaded disc's volume label
    QFrame* Line1;  // marks a disc loaded by the command line
    QFrame* Line2;
    FileListBox* File1;  // finds and lists the disc's "MPEGAV/"
    ListBox* List2;  // a drop target, off in the mode
    QPushButton* Command1;  // file selection, hidden in the mode
    QPushButton* Command12;  // folder import, hidden in the mode
    QPushButton* Command19;  // save list
    QPushButton* Command20;  // open list file
    QPushButton* Command21;  // rename
    CheckBox* Check3;  // Loop
    CheckBox* Check7;  // Loop only the selected entry
};

// What the command line left for the mode; the control window owns it.
struct VideoCdSwitches {
    std::int16_t& mode_flg;  // 1 while the program itself ticks Check5: no question
    QString& cmd_item;  // a list file (in the program folder) naming the next disc's tracks
    QString& cmd_vcd;  // "1" when the command line was just "1"
};

// Video-CD mode: the playlist is filled from a disc instead of files. Combo1 lists the drives
// (their roots, "/dev/sr0/": the device, whether or not the system mounted the disc, since the
// tracks are read from the device itself), the search picks the first disc with "MPEGAV/", and
// its tracks become the playlist. Disc images are drives too.
class VideoCd : public QObject, private VideoCdControls {
public:
    VideoCd(PlayerWindow& form1, const VideoCdControls& controls, VideoCdSwitches switches,
        Playlist& playlist, Playback& playback, DriveTable& drives, QString programDir);
    ~VideoCd() override;

    std::int16_t mode_revert = 0;  // 1 while Check5 is being put back after a "No"

    // ---- handlers ------------------------------------------------------------------------------
    void Check5_Click();
    // Probes the drives in a worker, so a slow drive or a disc spinning up holds up no window;
    // the result is shown on the window's thread, as ShowDriveList shows it.
    void Timer2_Timer();
    void ShowDriveList();
    bool probing() const { return worker_ != nullptr; }
    void Combo1_Click();

    // A disc image (.cue) named on the command line or dropped: makes it one of the drives and
    // appends its tracks as Combo1_Click does (path = image "/MPEGAV/" file, display name = the
    // file name). An image that cannot be read, or holds no tracks, is reported and is no drive
    // any more (nor is one that fails when picked in Combo1). Selects nothing; returns the number
    // of entries added.
    int appendDiscImage(const QString& imagePath);

private:
    // What a search reads from the drives: every drive, and the "MPEGAV/" folder of each ready one.
    struct Probe {
        QList<OpticalDrive> drives;
        QMap<QString, DiscFolder> trackFolders;  // by root
    };
    static Probe probe(DriveTable& drives);
    // ShowDriveList over drives already probed: the drives and folders are answered from the
    // probe until the disc it chose is loaded.
    void showDriveList(const Probe& probe);
    void probeDone();
    // A folder on a disc, from the probe being shown when it holds it.
    std::optional<DiscFolder> listFolder(const QString& path);

    // Combo1's selection from code, as a list box's: a change runs Combo1_Click.
    void selectDrive(int index);
    void enterMode();
    void leaveMode();
    void setDropsAccepted(bool on);
    // File1 on root "MPEGAV/"; 0, or the error it failed with (68, 76).
    int openTrackFolder(const QString& root);
    int appendTracks(const QString& root);
    void forgetFailedImage(const QString& device);
    void applyListFileNames();
    // The boxes of a disc that cannot be read; `image`: the disc image's path, when it is one.
    void discError(int error, const QString& image = {});
    void driveError(const QString& text, const QString& image = {});
    std::optional<OpticalDrive> driveOf(const QString& root);

    PlayerWindow& form1;
    VideoCdSwitches switches;
    Playlist& playlist;
    Playback& playback;
    DriveTable& drives;
    QString programDir;
    bool busy_ = false;  // a search or a load is under way (and may be showing a message)
    QThread* worker_ = nullptr;  // the drive probe of Timer2, while it runs
    std::shared_ptr<Probe> workerResult_;
    const Probe* probed_ = nullptr;  // the probe being shown
};
