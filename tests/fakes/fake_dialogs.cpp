#include "fake_dialogs.h"

int FakeDialogs::MsgBox(const QString& text, int buttons, int icon, const QString& title)
{
    Box box{text, title, buttons, icon, std::nullopt};
    if (topMostProbe)
        box.movieTopMost = topMostProbe();
    boxes.push_back(box);
    if (whileShown)
        whileShown();
    if (answers.empty())
        return msgbox::Ok;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

QString FakeDialogs::fileDialog(bool save, const FileDialogSetup& setup)
{
    fileDialogs.push_back({save, setup, topMostProbe ? std::optional(topMostProbe()) : std::nullopt});
    const QString path = paths.empty() ? QString() : paths.front();
    if (!paths.empty())
        paths.pop_front();
    return path;
}

QString FakeDialogs::GetOpenFileName(const FileDialogSetup& setup) { return fileDialog(false, setup); }
QString FakeDialogs::GetSaveFileName(const FileDialogSetup& setup) { return fileDialog(true, setup); }
QString FakeDialogs::BrowseForFolder(const QString& title)
{
    FileDialogSetup setup;
    setup.title = title;
    return fileDialog(false, setup);
}

std::optional<QColor> FakeDialogs::ChooseColor(const QColor& color,
                                               std::array<QColor, 16>& customColors)
{
    colorDialogs.push_back({color, customColors, topMostProbe ? std::optional(topMostProbe()) : std::nullopt});
    if (colorAnswers.empty())
        return std::nullopt;
    const ColorAnswer answer = colorAnswers.front();
    colorAnswers.pop_front();
    if (answer.custom)
        customColors = *answer.custom;
    return answer.color;
}
