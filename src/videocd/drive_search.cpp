// Video-CD mode (VideoCd), part: the drive list and the search for a Video-CD.
#include "videocd/video_cd.h"

#include "controls/check_box.h"
#include "controls/file_list_box.h"
#include "platform/dialogs.h"
#include "platform/drive_table.h"
#include "playback/player_window.h"
#include "playlist/playlist.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QThread>
#include <QTimer>
#include <utility>

namespace {
constexpr int NoneFound = 99;
}  // namespace

// Lists every drive in Combo1 and loads the first that holds a Video-CD.
void VideoCd::ShowDriveList() { showDriveList(probe(drives)); }

VideoCd::Probe VideoCd::probe(DriveTable& drives)
{
    Probe probe;
    probe.drives = drives.drives();
    for (const OpticalDrive& drive : probe.drives)
        if (drive.ready)
            if (const std::optional<DiscFolder> folder = drives.listFolder(
                    drive.root() + VideoCdTrackFolder))
                probe.trackFolders.insert(drive.root(), *folder);
    return probe;
}

void VideoCd::Timer2_Timer()
{
    // A tick while a search's message is open waits for the next one: the search never stacks
    // messages. Nor do probes: a slow drive is asked once at a time.
    if (busy_ || worker_ || playlist.count() != 0)
        return;
    auto result = std::make_shared<Probe>();
    workerResult_ = result;
    worker_ = QThread::create([result, &table = drives] { *result = probe(table); });
    connect(worker_, &QThread::finished, this, &VideoCd::probeDone);
    worker_->start();
}

// Back on the window's thread. What happened meanwhile decides whether the probe still counts:
// the mode left, a disc loaded or chosen by hand, or files added.
void VideoCd::probeDone()
{
    worker_->deleteLater();
    worker_ = nullptr;
    const std::shared_ptr<Probe> result = std::move(workerResult_);
    if (Check5->Value() != 1 || !Timer2->isActive() || busy_ || playlist.count() != 0)
        return;
    showDriveList(*result);
}

VideoCd::~VideoCd()
{
    if (worker_) {
        worker_->wait();
        delete worker_;
    }
}

void VideoCd::showDriveList(const Probe& probe)
{
    const bool wasBusy = std::exchange(busy_, true);
    probed_ = &probe;
    int found = NoneFound;
    {
        const QSignalBlocker quiet(Combo1);  // filling the list selects nothing
        Combo1->clear();
        int index = 0;
        for (const OpticalDrive& drive : probe.drives) {
            Combo1->addItem(drive.root());
            // A drive without a readable disc is listed but not tested.
            if (drive.ready &&
                openTrackFolder(Combo1->itemText(index)) != FileListBox::PathNotFound &&
                found > index)
                found = index;
            ++index;
        }
        Combo1->setCurrentIndex(-1);
    }
    if (Combo1->count() >= 1 && found != NoneFound)
        selectDrive(found);
    probed_ = nullptr;  // the message below lets events run: from here on drives are asked afresh
    if (found == NoneFound)
        form1.MsgBox(QStringLiteral("Video-CDが見つかりません。"), msgbox::OkOnly,
            msgbox::Information, QStringLiteral("NO Video-CD"));
    busy_ = wasBusy;
}

void VideoCd::selectDrive(int index)
{
    if (Combo1->currentIndex() == index)
        return;
    {
        const QSignalBlocker quiet(Combo1);
        Combo1->setCurrentIndex(index);
    }
    if (index >= 0)
        Combo1_Click();
}
