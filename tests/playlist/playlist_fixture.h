#pragma once

#include "controls/check_box.h"
#include "controls/list_box.h"
#include "form_fixture.h"
#include "playlist/playlist.h"
#include "playlist/playlist_handlers.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>

// The control window over the fakes, loaded, with its playlist handlers at hand.
class PlaylistFixture : public FormFixture {
protected:
    PlaylistFixture() { load(); }

    PlaylistHandlers& handlers() { return *form1->playlistHandlers; }
    Playlist& playlist() { return *form1->playlist; }

    // Appends entries without opening any; then selects `selected` (opening it) unless -1.
    void fill(const QStringList& paths, int selected = -1)
    {
        for (const QString& path : paths)
            playlist().append(path);
        if (selected >= 0)
            playlist().select(selected);
        engine.clearCalls();
        dialogs.boxes.clear();
    }

    QStringList names() const
    {
        QStringList result;
        for (int i = 0; i < form1->playlist->count(); ++i)
            result << form1->playlist->name(i);
        return result;
    }
    QStringList paths() const
    {
        QStringList result;
        for (int i = 0; i < form1->playlist->count(); ++i)
            result << form1->playlist->path(i);
        return result;
    }
    int selected() const { return form1->List2->ListIndex(); }
    // The files the engine was asked to open, in order.
    QStringList opened() const
    {
        QStringList result;
        for (const QString& call : engine.calls())
            if (call.startsWith(QLatin1String("open ")))
                result << call.section(u' ', 1, -3);
        return result;
    }
    bool movieTopMost() { return windows.isTopMost(&form2()); }
    void setKeepInFront(bool on) { form1->Check4->setValue(on ? 1 : 0); }

    // Runs `answer` on the modal dialog that `open` shows, once it is up.
    template <typename DialogType>
    void withDialog(const std::function<void()>& open, const std::function<void(DialogType&)>& answer)
    {
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<DialogType*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answered = true;
            answer(*dialog);
            // An answer that left the dialog open would hang the test: close it.
            QTimer::singleShot(0, [left = QPointer<QWidget>(dialog)] {
                if (left && left->isVisible()) {
                    ADD_FAILURE() << "the dialog stayed open";
                    left->close();
                }
            });
        });
        open();
        EXPECT_TRUE(answered);
    }
};
