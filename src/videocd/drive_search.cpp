// Video-CD mode (VideoCd), part: the drive list and the search for a Video-CD.
#include "videocd/video_cd.h"

#include "controls/file_list_box.h"
#include "platform/dialogs.h"
#include "platform/drive_table.h"
#include "playback/player_window.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <utility>

namespace {
constexpr int NoneFound = 99;
}

// Lists every drive in Combo1 and loads the first that holds a Video-CD.
void VideoCd::ShowDriveList()
{
    const bool wasBusy = std::exchange(busy_, true);
    int found = NoneFound;
    {
        const QSignalBlocker quiet(Combo1);  // filling the list selects nothing
        Combo1->clear();
        int index = 0;
        for (const OpticalDrive& drive : drives.drives()) {
            Combo1->addItem(drive.root());
            // A drive without a readable disc is listed but not tested.
            if (drive.ready && openTrackFolder(Combo1->itemText(index)) != FileListBox::PathNotFound &&
                found > index)
                found = index;
            ++index;
        }
        Combo1->setCurrentIndex(-1);
    }
    if (Combo1->count() >= 1 && found != NoneFound)
        selectDrive(found);
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
