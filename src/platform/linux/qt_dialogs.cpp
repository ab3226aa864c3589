#include "platform/linux/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon iconOf(int icon)
{
    switch (icon) {
    case msgbox::Critical:
        return QMessageBox::Critical;
    case msgbox::Question:
        return QMessageBox::Question;
    case msgbox::Exclamation:
        return QMessageBox::Warning;
    case msgbox::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Qt takes a filter's patterns from the parentheses at its end; the description alone is shown.
QString qtFilter(const std::pair<QString, QString>& filter)
{
    return filter.first + QStringLiteral(" (") + QString(filter.second).replace(u';', u' ') + u')';
}

QString chosenFile(QFileDialog& dialog, const FileDialogSetup& setup)
{
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters;
    for (const auto& filter : setup.filters)
        filters << qtFilter(filter);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(setup.filterIndex - 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString QtDialogs::GetOpenFileName(const FileDialogSetup& setup)
{
    QFileDialog dialog(QApplication::activeWindow(), setup.title, setup.folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog, setup);
}

QString QtDialogs::GetSaveFileName(const FileDialogSetup& setup)
{
    QFileDialog dialog(QApplication::activeWindow(), setup.title, setup.folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!setup.fileName.isEmpty())
        dialog.selectFile(setup.fileName);
    return chosenFile(dialog, setup);
}

// Starts in the home folder, the top of the user's own folders.
QString QtDialogs::BrowseForFolder(const QString& title)
{
    return QFileDialog::getExistingDirectory(
        QApplication::activeWindow(), title, QDir::homePath(), QFileDialog::ShowDirsOnly);
}

int QtDialogs::MsgBox(
    const QString& text, int buttons, int icon, const QString& title, const QString& informative)
{
    QMessageBox box(iconOf(icon), title.isEmpty() ? QStringLiteral("ReelBox") : title, text,
        QMessageBox::NoButton, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (!informative.isEmpty()) {
        box.setInformativeText(informative);
        // Qt guesses the second line's format: a file named like a tag must not become one.
        if (auto* line = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
            line->setTextFormat(Qt::PlainText);
    }
    int escape = msgbox::Ok;
    switch (buttons) {
    case msgbox::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        escape = msgbox::Cancel;
        break;
    case msgbox::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        escape = msgbox::Cancel;
        break;
    case msgbox::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        escape = msgbox::No;
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return msgbox::Ok;
    case QMessageBox::Cancel:
        return msgbox::Cancel;
    case QMessageBox::Yes:
        return msgbox::Yes;
    case QMessageBox::No:
        return msgbox::No;
    default:
        return escape;  // closed without a button
    }
}

// Qt's own dialog: the desktop's native one would not take the custom colours.
std::optional<QColor> QtDialogs::ChooseColor(
    const QColor& color, std::array<QColor, 16>& customColors)
{
    for (int i = 0; i < int(customColors.size()); ++i)
        QColorDialog::setCustomColor(i, customColors[std::size_t(i)]);
    QColorDialog dialog(color, QApplication::activeWindow());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    for (int i = 0; i < int(customColors.size()); ++i)
        customColors[std::size_t(i)] = QColorDialog::customColor(i);
    return dialog.selectedColor();
}
