#pragma once

#include "platform/modal_host.h"

#include <QString>
#include <cstdint>

class QWidget;

// The control window as the playlist's handlers use it. Form1 implements it.
class PlaylistWindow : public ModalHost {
public:
    // Back to the nothing-open state; empties the playlist.
    virtual void reset_all() = 0;
    // 1: the next List2_Click is the reselection a move makes, and opens nothing.
    virtual std::int16_t& move_flg() = 0;
    // The open entry's name shown by the movie window (its strip and its title).
    virtual void showMovieName(const QString& name) = 0;
    // The window the playlist's own dialogs belong to.
    virtual QWidget* dialogOwner() = 0;
    // A disc image (.cue) among dropped files: its Video-CD tracks appended to the playlist.
    virtual void appendDiscImage(const QString& path) = 0;
    // True once the program is closing: a running folder import stops.
    virtual bool isUnloaded() const = 0;

protected:
    ~PlaylistWindow() = default;
};
