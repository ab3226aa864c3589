#include "shell/help_about.h"

#include "movie/control_window.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "shell/aboutfrm.h"
#include "shell/no_launcher.h"

#include <QFileInfo>
#include <QUrl>

HelpAndAbout::HelpAndAbout(
    Desktop& desktop, Dialogs& dialogs, ControlWindow& form1, QString programDir)
    : desktop_(desktop), dialogs_(dialogs), form1_(form1), programDir_(std::move(programDir))
{
}

// A missing page shows nothing: not even the browser's complaint. A missing launcher is said.
void HelpAndAbout::Command18_Click()
{
    const QString page = programDir_ + QStringLiteral("/reelbox.htm");
    if (!QFileInfo(page).isFile())
        return;
    const QUrl url = QUrl::fromLocalFile(page);
    if (!desktop_.openUrl(url))
        form1_.MsgBox(noLauncherMessage(url), msgbox::OkOnly, msgbox::Exclamation);
}

void HelpAndAbout::Command17_Click() { showAbout(); }

void HelpAndAbout::me_about_Click() { showAbout(); }

void HelpAndAbout::showAbout()
{
    Aboutfrm box(
        desktop_, dialogs_, {[this] { form1_.beforeModal(); }, [this] { form1_.afterModal(); }});
    box.showModal();
}
