#pragma once

#include <QColor>
#include <QString>
#include <utility>
#include <vector>
#include <array>
#include <optional>

// Buttons, icons and answers of message boxes, numbered as the program's message boxes always were.
namespace msgbox {
enum Buttons { OkOnly = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4 };
enum Icon { NoIcon = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };
}  // namespace msgbox

// How the program sets up an open or save file dialog.
struct FileDialogSetup {
    QString title;
    // (description, patterns) pairs in the order shown, patterns joined by ";" ("*.mpg;*.mpeg").
    std::vector<std::pair<QString, QString>> filters;
    int filterIndex = 1;  // the filter preselected, counted from 1
    QString folder;  // where the dialog starts
    QString fileName;  // the name filled in (save dialogs)
};

// Modal dialogs the program shows. Every message box and file/folder/colour dialog goes through
// here, so that tests can answer them and read back what was shown.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a modal message box; returns the answer (msgbox::Answer). An empty title means the
    // application title "ReelBox". `informative`, when given, is the box's second line under the
    // text: the file a box is about, so that a user who dropped ten files knows which one it is.
    virtual int MsgBox(const QString& text, int buttons, int icon, const QString& title,
        const QString& informative = {}) = 0;

    // The open dialog for one existing file; its full path, or empty when cancelled.
    virtual QString GetOpenFileName(const FileDialogSetup& setup) = 0;
    // The save dialog, which asks before the chosen file is replaced; the full path, or empty
    // when cancelled.
    virtual QString GetSaveFileName(const FileDialogSetup& setup) = 0;
    // The folder browser (file-system folders only); the chosen folder, or empty when cancelled.
    virtual QString BrowseForFolder(const QString& title) = 0;
    // The colour dialog, starting at `color` and offering the 16 `customColors`, which it
    // updates when the user presses OK. The chosen colour; nothing when cancelled.
    virtual std::optional<QColor> ChooseColor(
        const QColor& color, std::array<QColor, 16>& customColors) = 0;
};
