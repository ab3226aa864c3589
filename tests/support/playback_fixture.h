#pragma once

#include "controls/check_box.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"
#include "form_fixture.h"
#include "playlist/playlist.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

// A started program (empty command line) with helpers to fill the playlist and open entries.
class PlaybackFixture : public FormFixture {
protected:
    void SetUp() override { load(); }

    // Appends the paths without opening anything.
    void addEntries(const QStringList& paths)
    {
        for (const QString& path : paths)
            form1->playlist->append(path);
    }
    // Appends the paths and opens the first one, as the adders do; then forgets what was sent.
    void openEntries(const QStringList& paths)
    {
        addEntries(paths);
        form1->playlist->select(form1->List2->ListCount() - paths.size());
        clearSent();
        engine.clearCalls();
    }
    // Makes the player "playing" the way the play button does.
    void startPlaying()
    {
        form1->playback->Command2_Click();
        clearSent();
    }
    QString caption2() const { return form1->Command2->text(); }
    const FakeWindowLayer::Move& lastMove() const { return windows.moves.back(); }
};
