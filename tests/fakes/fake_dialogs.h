#pragma once

#include "platform/dialogs.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Dialogs for tests: records every message box and answers from a script (OK when the script
// is empty). `topMostProbe`, when set, is asked at the moment a box is shown, so a test can see
// whether the movie window was topmost while the box was up.
class FakeDialogs : public Dialogs {
public:
    struct Box {
        QString text;
        QString title;
        int buttons;
        int icon;
        std::optional<bool> movieTopMost;
    };

    int MsgBox(const QString& text, int buttons, int icon, const QString& title) override;

    std::vector<Box> boxes;
    std::deque<int> answers;
    std::function<bool()> topMostProbe;
    // Runs while a box is up, before it is answered: what else happens in the meantime.
    std::function<void()> whileOpen;
};
