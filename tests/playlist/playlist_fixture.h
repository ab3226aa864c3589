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

    // Empties the playlist, then appends `paths` and selects `selected` (-1: none) as a user
    // would have, the player stopped; the engine's log and the boxes start empty.
    void start(const QStringList& paths, int selected = -1)
    {
        form1->reset_all();
        for (const QString& path : paths)
            playlist().append(path);
        playlist().select(selected);
        engine.clearCalls();
        dialogs.boxes.clear();
    }
    QStringList column(bool names) const
    {
        QStringList result;
        for (int i = 0; i < form1->playlist->count(); ++i)
            result << (names ? form1->playlist->name(i) : form1->playlist->path(i));
        return result;
    }
    QStringList names() const { return column(true); }
    QStringList paths() const { return column(false); }
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
    // The message boxes shown, as "text|title" lines.
    QString boxes() const
    {
        QStringList shown;
        for (const auto& box : dialogs.boxes)
            shown << box.text + u'|' + box.title;
        return shown.join(u'\n');
    }
    bool movieTopMost() { return windows.isTopMost(&form2()); }
    void setKeepInFront(bool on) { form1->Check4->setValue(on ? 1 : 0); }

    // Runs `open`, which shows a modal dialog, and `answer` on that dialog once it is up.
    template <typename DialogType>
    void withDialog(
        const std::function<void()>& open, const std::function<void(DialogType&)>& answer)
    {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<DialogType*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
            // An answer that left the dialog open would hang the test.
            QTimer::singleShot(0, [left = QPointer<QWidget>(dialog)] {
                if (left && left->isVisible()) {
                    ADD_FAILURE() << "the dialog stayed open";
                    left->close();
                }
            });
        });
        open();
    }
};
