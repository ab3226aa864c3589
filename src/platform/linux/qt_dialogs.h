#pragma once

#include "platform/dialogs.h"

// Message boxes (and, as their issues add them, the file, folder and colour dialogs) over Qt.
class QtDialogs : public Dialogs {
public:
    int MsgBox(const QString& text, int buttons, int icon, const QString& title) override;
    std::optional<QColor> ChooseColor(const QColor& color,
                                      std::array<QColor, 16>& customColors) override;
};
