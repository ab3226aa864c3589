#include "form_fixture.h"

#include <QFile>

FormFixture::FormFixture()
    : services{mci, windows, dialogs, screenSaver, mixer, tray, desktop, programDir.path()}
{
    form1 = std::make_unique<Form1>(services);
    dialogs.topMostProbe = [this] {
        return form1->hasForm2() && windows.isTopMost(&form1->form2());
    };
}

FormFixture::~FormFixture()
{
    dialogs.topMostProbe = nullptr;
    form1.reset();
}

void FormFixture::load(const QString& commandLine)
{
    form1->Form_Load(commandLine);
}

QStringList FormFixture::sent() const
{
    return device.commands();
}

void FormFixture::clearSent()
{
    device.clear();
}

void FormFixture::writeSettings(const QStringList& lines)
{
    QFile file(programFile(QStringLiteral("reelbox.ini")));
    if (!file.open(QIODevice::WriteOnly))
        ADD_FAILURE() << "cannot write the settings file";
    file.write(lines.join(QStringLiteral("\r\n")).toUtf8());
    if (!lines.isEmpty())
        file.write("\r\n");
}

QString FormFixture::programFile(const QString& name) const
{
    return programDir.path() + QLatin1Char('/') + name;
}
