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
