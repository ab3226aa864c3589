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
        QString informative;  // the line under the text
    };
    int MsgBox(const QString& text, int buttons, int icon, const QString& title,
        const QString& informative) override
    {
        boxes.push_back({text, title, buttons, icon, probe(), informative});
        if (whileShown)
            whileShown();
        return next(answers, int(msgbox::Ok));
    }

    // File and folder dialogs: each one shown is recorded (the folder browser by its title, with
    // save = false and no filters) and answered from `paths`, in order (empty: cancelled).
    struct FileDialog {
        bool save;
        FileDialogSetup setup;
        std::optional<bool> movieTopMost;
    };
    QString GetOpenFileName(const FileDialogSetup& setup) override
    {
        return fileDialog(false, setup);
    }
    QString GetSaveFileName(const FileDialogSetup& setup) override
    {
        return fileDialog(true, setup);
    }
    QString BrowseForFolder(const QString& title) override
    {
        FileDialogSetup setup;
        setup.title = title;
        return fileDialog(false, setup);
    }
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
    std::optional<QColor> ChooseColor(
        const QColor& color, std::array<QColor, 16>& customColors) override
    {
        colorDialogs.push_back({color, customColors, probe()});
        const ColorAnswer answer = next(colorAnswers, ColorAnswer{});
        customColors = answer.custom.value_or(customColors);
        return answer.color;
    }

    std::vector<Box> boxes;
    std::vector<ColorDialog> colorDialogs;
    std::deque<ColorAnswer> colorAnswers;
    std::deque<int> answers;
    std::function<bool()> topMostProbe;
    std::function<void()> whileShown;  // runs while a box is up, as other events would

private:
    std::optional<bool> probe() const
    {
        return topMostProbe ? std::optional(topMostProbe()) : std::nullopt;
    }
    // The first scripted answer, taken off the script; `none` when the script is empty.
    template <typename T> static T next(std::deque<T>& script, T none)
    {
        if (script.empty())
            return none;
        T answer = script.front();
        script.pop_front();
        return answer;
    }
    QString fileDialog(bool save, const FileDialogSetup& setup)
    {
        fileDialogs.push_back({save, setup, probe()});
        return next(paths, QString());
    }
};
