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

    // File and folder dialogs: each one shown is recorded (the folder browser by its title, with
    // save = false and no filters) and answered from `paths`, in order (empty: cancelled).
    struct FileDialog {
        bool save;
        FileDialogSetup setup;
        std::optional<bool> movieTopMost;
    };
    QString GetOpenFileName(const FileDialogSetup& setup) override;
    QString GetSaveFileName(const FileDialogSetup& setup) override;
    QString BrowseForFolder(const QString& title) override;
    std::vector<FileDialog> fileDialogs;
    std::deque<QString> paths;
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
    std::function<void()> whileShown;  // runs while a box is up, as other events would

private:
    QString fileDialog(bool save, const FileDialogSetup& setup);
};
