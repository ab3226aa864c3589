#include "platform/cdio/cue_image.h"

#include "platform/native_file_name.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A cue sheet is a few lines per track; anything larger is no cue sheet.
constexpr qsizetype MaxCueBytes = 256 * 1024;

// Opens `path` for reading without waiting (a FIFO would wait for a writer); -1 with errno set,
// or EINVAL for anything but a regular file.
int openRegular(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

std::optional<QByteArray> readCue(const QByteArray& path)
{
    const int fd = openRegular(path);
    if (fd < 0)
        return std::nullopt;
    QByteArray text(MaxCueBytes + 1, '\0');
    qsizetype got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd, text.data() + got, std::size_t(text.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    if (got > MaxCueBytes)
        return std::nullopt;
    text.truncate(got);
    return text;
}

struct FileLine {
    qsizetype nameBegin = -1, nameEnd = -1;  // the name's bytes, quotes excluded
    qsizetype restBegin = -1;  // after the name (its closing quote)
};

// The FILE statement of one line: FILE "name" TYPE, or FILE name TYPE.
std::optional<FileLine> fileLine(const QByteArray& line)
{
    qsizetype i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    if (line.mid(i, 4).toUpper() != "FILE" || i + 4 >= line.size() ||
        (line[i + 4] != ' ' && line[i + 4] != '\t'))
        return std::nullopt;
    i += 4;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    FileLine f;
    if (i < line.size() && line[i] == '"') {
        const qsizetype close = line.indexOf('"', i + 1);
        if (close < 0)
            return std::nullopt;
        f = {i + 1, close, close + 1};
    } else {
        qsizetype end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t')
            ++end;
        f = {i, end, end};
    }
    if (f.nameEnd <= f.nameBegin)
        return std::nullopt;
    return f;
}

QList<QByteArray> linesOf(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

// The name in `folder` that equals `name` ignoring ASCII case; empty when there is none.
QByteArray sameNameAnyCase(const QByteArray& folder, const QByteArray& name)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return {};
    QByteArray found;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray candidate(entry->d_name);
        if (candidate.compare(name, Qt::CaseInsensitive) == 0) {
            found = candidate;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace

QList<QByteArray> CueImage::fileNames(const QByteArray& cueText)
{
    QList<QByteArray> names;
    for (const QByteArray& line : linesOf(cueText))
        if (const std::optional<FileLine> f = fileLine(line))
            names << line.mid(f->nameBegin, f->nameEnd - f->nameBegin);
    return names;
}

std::unique_ptr<CueImage> CueImage::prepare(const QString& cuePath)
{
    std::unique_ptr<CueImage> image(new CueImage);
    const QByteArray cue = toNativeFileName(cuePath);
    const std::optional<QByteArray> text = readCue(cue);
    const QList<QByteArray> names = text ? fileNames(*text) : QList<QByteArray>();
    if (names.isEmpty())
        return image;
    for (const QByteArray& name : names)
        if (name != names.first())
            return image;  // libcdio reads one data file

    const qsizetype slash = cue.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : cue.left(slash + 1);
    const QByteArray& named = names.first();
    QByteArray data = named.startsWith('/') ? named : folder + named;
    struct stat st { };
    if (::stat(data.constData(), &st) != 0 && errno == ENOENT) {
        // Image sets made elsewhere: the name in another case, or a Windows path.
        const qsizetype cut = std::max(named.lastIndexOf('/'), named.lastIndexOf('\\'));
        const QByteArray other = sameNameAnyCase(folder, named.mid(cut + 1));
        if (!other.isEmpty())
            data = folder + other;
    }
    image->dataFile_ = fromNativeFileName(data);
    image->fd_ = openRegular(data);
    if (image->fd_ < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            image->problem_ = Problem::DataMissing;
            image->missing_ = image->dataFile_;
        } else if (errno == EACCES || errno == EPERM) {
            image->problem_ = Problem::NoPermission;
        }
        return image;
    }

    // libcdio opens the link, which leads to the file checked above, whatever the name now holds.
    image->dir_ = std::make_unique<QTemporaryDir>();
    if (!image->dir_->isValid())
        return image;
    const QByteArray privateBin = QFile::encodeName(
        image->dir_->filePath(QStringLiteral("image.bin")));
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(image->fd_);
    if (::symlink(link.constData(), privateBin.constData()) != 0)
        return image;
    QByteArray privateCue;
    for (const QByteArray& line : linesOf(*text)) {
        if (const std::optional<FileLine> f = fileLine(line))
            privateCue += "FILE \"" + privateBin + '"' + line.mid(f->restBegin) + "\r\n";
        else
            privateCue += line + "\r\n";
    }
    QFile out(image->dir_->filePath(QStringLiteral("image.cue")));
    if (!out.open(QIODevice::WriteOnly) || out.write(privateCue) != privateCue.size())
        return image;
    image->problem_ = Problem::None;
    return image;
}

CueImage::~CueImage()
{
    if (fd_ >= 0)
        ::close(fd_);
}

QByteArray CueImage::cueForLibcdio() const
{
    return dir_ ? QFile::encodeName(dir_->filePath(QStringLiteral("image.cue"))) : QByteArray();
}
