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

    // A colour dialog shown, and how it is answered: a colour for OK (nothing: Cancel) and the
    // custom colours the user left in it.
    struct ColorDialog {
        QColor start;
        std::array<QColor, 16> custom;
        std::optional<bool> movieTopMost;
    };
    struct ColorAnswer {
        std::optional<QColor> color;
        std::optional<std::array<QColor, 16>> custom;
    };
    std::optional<QColor> ChooseColor(const QColor& color,
                                      std::array<QColor, 16>& customColors) override;

    std::vector<Box> boxes;
    std::vector<ColorDialog> colorDialogs;
    std::deque<ColorAnswer> colorAnswers;
    std::deque<int> answers;
    std::function<bool()> topMostProbe;
};
