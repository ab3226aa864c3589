#include "settings/text_file.h"

#include "platform/native_file_name.h"

#include <QFile>
#include <QStringDecoder>
#include <QUtf8StringView>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace text_file {

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

// Where lines come from: a file read in blocks, or bytes in memory.
class LineSource {
public:
    virtual ~LineSource() = default;
    virtual bool rewind() = 0;
    // The next line without its end; false at the end, at a read error (failed() is then true),
    // before a line longer than MaxLineBytes, or before the line that would pass `maxBytes`.
    bool next(QByteArray& line, qint64 maxBytes)
    {
        for (;;) {
            const qsizetype lf = buffer_.indexOf('\n', at_);
            if (lf >= 0 || eof_) {
                const qsizetype end = lf >= 0 ? lf : buffer_.size();
                const qsizetype used = (lf >= 0 ? lf + 1 : end) - at_;
                if (end - at_ > MaxLineBytes || (lf < 0 && end == at_) || used > maxBytes - given_)
                    return false;
                line = buffer_.mid(at_, end - at_);
                if (line.endsWith('\r'))
                    line.chop(1);
                if (line.startsWith(Bom)) {
                    line.remove(0, Bom.size());
                    bom_ = bom_ || given_ == 0;
                }
                at_ += used;
                given_ += used;
                return true;
            }
            if (buffer_.size() - at_ > MaxLineBytes)
                return false;
            buffer_.remove(0, at_);
            at_ = 0;
            if (!fill(buffer_))
                return false;
        }
    }
    bool failed() const { return failed_; }
    // The file began with a UTF-8 byte-order mark.
    bool bom() const { return bom_; }

protected:
    void restart()
    {
        buffer_.clear();
        at_ = 0;
        given_ = 0;
        eof_ = false;
    }
    // Appends the next block to `buffer`; sets eof_ at the end; false on an error.
    virtual bool more(QByteArray& buffer) = 0;
    bool eof_ = false;
    bool failed_ = false;

private:
    bool fill(QByteArray& buffer)
    {
        if (!more(buffer)) {
            failed_ = true;
            return false;
        }
        return true;
    }
    QByteArray buffer_;
    qsizetype at_ = 0;
    qint64 given_ = 0;  // bytes of the lines handed over, their ends included
    bool bom_ = false;
};

class FileLines final : public LineSource {
public:
    explicit FileLines(int fd) : fd_(fd) { }
    ~FileLines() override { ::close(fd_); }
    bool rewind() override
    {
        restart();
        return ::lseek(fd_, 0, SEEK_SET) == 0;
    }

private:
    bool more(QByteArray& buffer) override
    {
        constexpr qsizetype Block = 65536;
        const qsizetype had = buffer.size();
        buffer.resize(had + Block);
        ssize_t n;
        do
            n = ::read(fd_, buffer.data() + had, Block);
        while (n < 0 && errno == EINTR);
        buffer.resize(had + std::max<ssize_t>(n, 0));
        eof_ = n == 0;
        return n >= 0;
    }
    int fd_;
};

class MemoryLines final : public LineSource {
public:
    explicit MemoryLines(const QByteArray& bytes) : bytes_(bytes) { }
    bool rewind() override
    {
        restart();
        given_ = false;
        return true;
    }

private:
    bool more(QByteArray& buffer) override
    {
        if (!given_)
            buffer += bytes_;
        given_ = true;
        eof_ = true;
        return true;
    }
    const QByteArray& bytes_;
    bool given_ = false;
};

bool isAscii(const QByteArray& line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return (c & 0x80) == 0; });
}

// CP932 under the name this system's codecs know it by. A fresh decoder for each line: a
// decoder reset between lines stops reporting bytes that are not CP932.
class Cp932 {
public:
    Cp932()
    {
        for (const char* name : {"windows-31j", "Shift_JIS"})
            if (QStringDecoder(name).isValid()) {
                name_ = name;
                break;
            }
    }
    std::optional<QString> decode(const QByteArray& line) const
    {
        if (!name_)
            return std::nullopt;
        QStringDecoder decoder(name_);
        const QString text = decoder.decode(line);
        if (decoder.hasError() || text.contains(QChar::ReplacementCharacter))
            return std::nullopt;
        return text;
    }

private:
    const char* name_ = nullptr;
};

// The lines `source` gives, within the limits.
template <typename Each> void forLines(LineSource& source, Limits limits, Each each)
{
    QByteArray line;
    for (int counted = 0; counted < limits.lines && source.next(line, limits.bytes); ++counted)
        if (!each(line))
            return;
}

// The encoding is decided before a line is handed over: one round finds whether all is UTF-8,
// another (only when not, and without a byte-order mark) whether all is CP932, the last hands the
// lines over.
bool readFrom(LineSource& source, Limits limits, const std::function<bool(const QString&)>& take)
{
    bool utf8 = true;
    forLines(source, limits, [&](const QByteArray& line) {
        utf8 = isAscii(line) || QUtf8StringView(line).isValidUtf8();
        return utf8;
    });
    Cp932 cp932;
    bool isCp932 = false;
    if (!utf8 && !source.bom()) {
        if (source.failed() || !source.rewind())
            return false;
        isCp932 = true;
        forLines(source, limits, [&](const QByteArray& line) {
            isCp932 = isAscii(line) || cp932.decode(line).has_value();
            return isCp932;
        });
    }
    if (source.failed() || !source.rewind())
        return false;
    forLines(source, limits, [&](const QByteArray& line) {
        // ASCII reads the same either way; a decoder costs its making, once a line.
        if (isCp932 && !isAscii(line))
            if (std::optional<QString> text = cp932.decode(line))
                return take(*text);
        return take(fromNativeFileName(line));
    });
    return !source.failed();
}

}  // namespace

// Only a regular file is read: opening a FIFO waits for a writer that never comes, a device may
// never end. The check is made again on the opened file, which cannot be swapped any more;
// O_NONBLOCK keeps that open from waiting.
bool readLines(const QString& path, Limits limits, const std::function<bool(const QString&)>& take)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    FileLines lines(fd);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return readFrom(lines, limits, take);
}

void splitLines(
    const QByteArray& bytes, Limits limits, const std::function<bool(const QString&)>& take)
{
    MemoryLines lines(bytes);
    readFrom(lines, limits, take);
}

}  // namespace text_file
