#include "fake_dialogs.h"

int FakeDialogs::MsgBox(const QString& text, int buttons, int icon, const QString& title)
{
    Box box{text, title, buttons, icon, std::nullopt};
    if (topMostProbe)
        box.movieTopMost = topMostProbe();
    boxes.push_back(box);
    if (whileOpen)
        whileOpen();
    if (answers.empty())
        return msgbox::Ok;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}
