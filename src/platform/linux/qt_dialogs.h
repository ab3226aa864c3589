#pragma once

#include "platform/dialogs.h"

// Message boxes, file and folder dialogs over Qt.
class QtDialogs : public Dialogs {
public:
    int MsgBox(const QString& text, int buttons, int icon, const QString& title,
        const QString& informative) override;
    QString GetOpenFileName(const FileDialogSetup& setup) override;
    QString GetSaveFileName(const FileDialogSetup& setup) override;
    QString BrowseForFolder(const QString& title) override;
    std::optional<QColor> ChooseColor(
        const QColor& color, std::array<QColor, 16>& customColors) override;
};
