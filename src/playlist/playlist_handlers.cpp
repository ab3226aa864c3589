#include "playlist/playlist_handlers.h"

PlaylistHandlers::PlaylistHandlers(PlaylistWindow& form1_, const PlaylistControls& controls,
    Playlist& playlist_, Dialogs& dialogs_)
    : PlaylistControls(controls), form1(form1_), playlist(playlist_), dialogs(dialogs_)
{
}
