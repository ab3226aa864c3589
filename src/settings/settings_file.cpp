#include "settings/settings_file.h"

#include "settings/file_save.h"
#include "settings/text_file.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>

#include <cfloat>
#include <functional>
#include <cmath>
#include <limits>

namespace settings_file {

namespace {

constexpr int Wanted = 6;
// Six short lines; blanks around the numbers leave room to spare.
constexpr text_file::Limits Limits{Wanted, 64 * 1024};

// Collects the first six fields: a field ends at a comma or at the end of a line, an empty line
// is one empty field.
std::function<bool(const QString&)> collect(QStringList& fields)
{
    return [&fields](const QString& line) {
        fields << line.split(u',');
        return fields.size() < Wanted;
    };
}

// A number with blanks around it allowed; nothing for anything else, an empty field included.
std::optional<double> number(const QString& field)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(field.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> single(const QString& field)
{
    const std::optional<double> value = number(field);
    if (!value || std::fabs(*value) > FLT_MAX)
        return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<std::int32_t> int32(const QString& field)
{
    const std::optional<double> value = number(field);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);  // halves to the even neighbour
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

// A non-negative number has a blank where the minus sign would stand.
QString signedText(const QString& digits)
{
    return digits.startsWith(u'-') ? digits : u' ' + digits;
}

QString text(float value)
{
    return signedText(QString::number(double(value) + 0.0, 'g', 7));  // + 0.0: no "-0"
}

QString text(std::int32_t value) { return signedText(QString::number(value)); }

// Field 0 is discarded. A missing field reads as empty, which is not a number: the reading
// stops at the first value that is missing, not a number or out of range.
SettingsRead values(const QStringList& f)
{
    SettingsRead result;
    auto field = [&](int i) { return i < f.size() ? f[i] : QString(); };
    if (!(result.top = single(field(1))) || !(result.left = single(field(2))) ||
        !(result.backColor = int32(field(3))) || !(result.width = single(field(4))))
        return result;
    result.height = single(field(5));
    return result;
}

const QString FileName = QStringLiteral("/reelbox.ini");

QString configFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

// An installed program's folder belongs to the system: then the user's own config folder.
bool inConfigFolder(const QString& programDir)
{
    const QString real = QDir(programDir).canonicalPath();
    if (real == u"/usr" || real.startsWith(QStringLiteral("/usr/")))
        return true;
    QTemporaryFile probe(programDir + QStringLiteral("/.reelbox-XXXXXX"));
    return !probe.open();
}

}  // namespace

QString writePath(const QString& programDir)
{
    if (!inConfigFolder(programDir))
        return programDir + FileName;
    QDir().mkpath(configFolder());
    return configFolder() + FileName;
}

QString readPath(const QString& programDir)
{
    if (inConfigFolder(programDir) && QFileInfo::exists(configFolder() + FileName))
        return configFolder() + FileName;
    return programDir + FileName;
}

SettingsRead read(const QString& filePath)
{
    QStringList f;
    if (!text_file::readLines(filePath, Limits, collect(f)))
        return {};
    return values(f);
}

SettingsRead parse(const QByteArray& bytes)
{
    QStringList f;
    text_file::splitLines(bytes, Limits, collect(f));
    return values(f);
}

bool write(const QString& filePath, const WindowSettings& values)
{
    for (float v : {values.top, values.left, values.width, values.height})
        if (!std::isfinite(v))
            return false;  // would not read back; keep the previous file

    const QString crlf = QStringLiteral("\r\n");
    const QString content = crlf + text(values.top) + crlf + text(values.left) + crlf +
                            text(values.backColor) + crlf + text(values.width) + crlf +
                            text(values.height) + crlf;

    return saveFile(filePath, content.toUtf8()) == 0;
}

}  // namespace settings_file
