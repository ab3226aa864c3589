#include "fake_dialogs.h"

int FakeDialogs::MsgBox(const QString& text, int buttons, int icon, const QString& title)
{
    Box box{text, title, buttons, icon, std::nullopt};
    if (topMostProbe)
        box.movieTopMost = topMostProbe();
    boxes.push_back(box);
    if (answers.empty())
        return msgbox::Ok;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

namespace {

QString next(std::deque<QString>& paths)
{
    if (paths.empty())
        return {};
    QString path = paths.front();
    paths.pop_front();
    return path;
}

}  // namespace

QString FakeDialogs::GetOpenFileName(const FileDialogSetup& setup)
{
    fileDialogs.push_back({false, setup, topMostProbe ? std::optional(topMostProbe()) : std::nullopt});
    return next(paths);
}

QString FakeDialogs::GetSaveFileName(const FileDialogSetup& setup)
{
    fileDialogs.push_back({true, setup, topMostProbe ? std::optional(topMostProbe()) : std::nullopt});
    return next(paths);
}

QString FakeDialogs::BrowseForFolder(const QString& title)
{
    FileDialogSetup setup;
    setup.title = title;
    fileDialogs.push_back({false, setup, topMostProbe ? std::optional(topMostProbe()) : std::nullopt});
    return next(paths);
}
