#include "mci/mci_interpreter.h"

#include "mci/mci_errors.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// The words of `text`, as views into it.
template <typename Words> Words words(QStringView text)
{
    Words out;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        const qsizetype start = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        if (i > start)
            out.append(text.mid(start, i - start));
    }
    return out;
}

// `word` is `keyword` (lower-case ASCII) in any case. MCI keywords are ASCII: no Unicode folding.
bool is(QStringView word, std::string_view keyword)
{
    if (std::size_t(word.size()) != keyword.size())
        return false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        char16_t c = word[qsizetype(i)].unicode();
        if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        if (c != char16_t(keyword[i]))
            return false;
    }
    return true;
}

// A whole word of decimal digits, optionally signed. No blanks, no fractions.
std::optional<std::int64_t> integer(QStringView word)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == u'-' || word[i] == u'+')) {
        negative = word[i] == u'-';
        ++i;
    }
    if (i == word.size() || word.size() - i > 18)
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < word.size(); ++i) {
        if (word[i] < u'0' || word[i] > u'9')
            return std::nullopt;
        value = value * 10 + (word[i].unicode() - u'0');
    }
    return negative ? -value : value;
}

QString rectangle(QSize size)
{
    return QStringLiteral("0 0 %1 %2").arg(size.width()).arg(size.height());
}

}  // namespace

MciInterpreter::MciInterpreter(MediaEngine& engine) : engine_(engine) { }

QString MciInterpreter::errorText(int rc) { return mcierr::text(rc); }

int MciInterpreter::toMci(MediaError error)
{
    switch (error) {
    case MediaError::None:
        return mcierr::Success;
    case MediaError::NotOpen:
        return mcierr::InvalidDeviceName;
    case MediaError::FileNotFound:
        return mcierr::FileNotFound;
    case MediaError::Unreadable:
        return mcierr::FileRead;
    case MediaError::InvalidFile:
        return mcierr::InvalidFile;
    case MediaError::NoWindow:
        return mcierr::CreateWindow;
    case MediaError::Timeout:
        return mcierr::DeviceNotReady;
    case MediaError::OutOfRange:
        return mcierr::OutOfRange;
    case MediaError::Driver:
        return mcierr::Driver;
    }
    return mcierr::Internal;
}

int MciInterpreter::sendString(const QString& cmd, QString& replyBuffer)
{
    qsizetype i = 0;
    while (i < cmd.size() && isBlank(cmd[i]))
        ++i;
    const qsizetype verbStart = i;
    while (i < cmd.size() && !isBlank(cmd[i]))
        ++i;
    const QStringView verb = QStringView(cmd).mid(verbStart, i - verbStart);
    if (verb.isEmpty())
        return mcierr::MissingCommandString;
    if (is(verb, "open"))
        return open(cmd.mid(i));

    enum class Verb { Close, Play, Stop, Seek, Step, Set, Status, Where };
    static constexpr std::pair<std::string_view, Verb> verbs[] = {
        {"status", Verb::Status},
        {"close", Verb::Close},
        {"play", Verb::Play},
        {"resume", Verb::Play},
        {"stop", Verb::Stop},
        {"pause", Verb::Stop},
        {"seek", Verb::Seek},
        {"step", Verb::Step},
        {"set", Verb::Set},
        {"where", Verb::Where},
    };
    const auto known = std::find_if(
        std::begin(verbs), std::end(verbs), [&](const auto& v) { return is(verb, v.first); });
    if (known == std::end(verbs))
        return mcierr::UnrecognizedCommand;

    const Words all = words<Words>(QStringView(cmd).mid(i));
    if (all.isEmpty())
        return mcierr::MissingDeviceName;
    if (alias_.isEmpty() || all.first().compare(alias_, Qt::CaseInsensitive) != 0)
        return mcierr::InvalidDeviceName;
    Words args;
    for (qsizetype k = 1; k < all.size(); ++k) {
        if (!is(all[k], "wait") && !is(all[k], "notify"))
            args.append(all[k]);
    }

    QString reply;
    int rc = mcierr::Success;
    switch (known->second) {
    case Verb::Close:
        rc = close(args);
        break;
    case Verb::Play:
        if (!args.isEmpty() && !(args.size() == 1 && is(args[0], "window")))
            return mcierr::UnrecognizedKeyword;
        rc = toMci(engine_.play());
        break;
    case Verb::Stop:
        if (!args.isEmpty())
            return mcierr::UnrecognizedKeyword;
        rc = toMci(engine_.pause());
        break;
    case Verb::Seek:
        rc = seek(args);
        break;
    case Verb::Step:
        rc = step(args);
        break;
    case Verb::Set:
        rc = set(args);
        break;
    case Verb::Status:
        rc = status(args, reply);
        break;
    case Verb::Where:
        rc = where(args, reply);
        break;
    }
    if (rc == mcierr::Success && !reply.isEmpty())
        writeReply(replyBuffer, reply);
    return rc;
}

int MciInterpreter::open(const QString& rest)
{
    qsizetype i = 0;
    while (i < rest.size() && isBlank(rest[i]))
        ++i;
    if (i == rest.size())
        return mcierr::FilenameRequired;

    QString path;
    QString tail;
    if (rest[i] == u'"') {
        // The closing quote is the last one: nothing after the path may hold a quote, while a
        // Linux file name may.
        const qsizetype close = rest.lastIndexOf(u'"');
        if (close == i)
            return mcierr::NoClosingQuote;
        path = rest.mid(i + 1, close - i - 1);
        tail = rest.mid(close + 1);
        if (!tail.isEmpty() && !isBlank(tail[0]))
            return mcierr::UnrecognizedKeyword;
    } else {
        qsizetype end = i;
        while (end < rest.size() && !isBlank(rest[end]))
            ++end;
        path = rest.mid(i, end - i);
        tail = rest.mid(end);
    }
    if (path.isEmpty())
        return mcierr::FilenameRequired;

    MediaEngine::TypeHint type = MediaEngine::TypeHint::Auto;
    QString alias;
    WId parent = 0;
    const Words args = words<Words>(tail);
    for (qsizetype k = 0; k < args.size(); ++k) {
        const QStringView key = args[k];
        if (is(key, "wait") || is(key, "notify") || is(key, "shareable"))
            continue;
        const bool takesValue = is(key, "type") || is(key, "alias") || is(key, "style") ||
                                is(key, "parent");
        if (!takesValue)
            return mcierr::UnrecognizedKeyword;
        if (k + 1 == args.size())
            return mcierr::MissingParameter;
        const QStringView value = args[++k];
        if (is(key, "type")) {
            if (is(value, "mpegvideo"))
                type = MediaEngine::TypeHint::MpegVideo;
            else if (is(value, "avivideo"))
                type = MediaEngine::TypeHint::AviVideo;
            else
                return mcierr::InvalidDeviceName;
        } else if (is(key, "alias")) {
            alias = value.toString();
        } else if (is(key, "style")) {
            if (is(value, "popup") || is(value, "overlapped"))
                return mcierr::UnsupportedFunction;
            if (!is(value, "child"))
                return mcierr::BadConstant;
        } else {
            const auto handle = integer(value);
            if (!handle || *handle < 0)
                return mcierr::BadInteger;
            parent = static_cast<WId>(*handle);
        }
    }
    if (alias.isEmpty())
        return mcierr::MissingParameter;
    if (!alias_.isEmpty())  // one device at a time
        return mcierr::DuplicateAlias;

    const int rc = toMci(engine_.open(path, type, parent));
    if (rc == mcierr::Success) {
        alias_ = alias;
        format_ = TimeFormat::Milliseconds;
    }
    return rc;
}

int MciInterpreter::close(const Words& args)
{
    if (!args.isEmpty())
        return mcierr::UnrecognizedKeyword;
    engine_.close();
    alias_.clear();
    return mcierr::Success;
}

std::int64_t MciInterpreter::length()
{
    return format_ == TimeFormat::Frames ? engine_.lengthFrames() : engine_.lengthMs();
}

int MciInterpreter::seek(const Words& args)
{
    if (args.isEmpty() || !is(args[0], "to"))
        return args.isEmpty() ? mcierr::MissingParameter : mcierr::UnrecognizedKeyword;
    if (args.size() == 1)
        return mcierr::MissingParameter;
    if (args.size() > 2)
        return mcierr::UnrecognizedKeyword;

    std::int64_t target = 0;
    if (is(args[1], "start")) {
        target = 0;
    } else if (is(args[1], "end")) {
        target = length();
    } else {
        const auto n = integer(args[1]);
        if (!n)
            return mcierr::BadInteger;
        // Checked before the engine hears of it, so nothing moves on a bad target.
        if (*n < 0 || *n > length())
            return mcierr::OutOfRange;
        target = *n;
    }
    return toMci(
        format_ == TimeFormat::Frames ? engine_.seekFrame(target) : engine_.seekMs(target));
}

int MciInterpreter::step(const Words& args)
{
    std::int64_t by = 1;
    bool reverse = false;
    for (qsizetype k = 0; k < args.size(); ++k) {
        if (is(args[k], "reverse")) {
            reverse = true;
        } else if (is(args[k], "by")) {
            if (k + 1 == args.size())
                return mcierr::MissingParameter;
            const auto n = integer(args[++k]);
            if (!n)
                return mcierr::BadInteger;
            if (*n < 0 || *n > 1'000'000)
                return mcierr::OutOfRange;
            by = *n;
        } else {
            return mcierr::UnrecognizedKeyword;
        }
    }
    return toMci(engine_.step(static_cast<int>(reverse ? -by : by)));
}

int MciInterpreter::set(const Words& args)
{
    if (args.isEmpty())
        return mcierr::MissingParameter;
    for (qsizetype k = 0; k < args.size(); ++k) {
        if (is(args[k], "speed")) {
            if (k + 1 == args.size())
                return mcierr::MissingParameter;
            const auto n = integer(args[++k]);
            if (!n)
                return mcierr::BadInteger;
            if (const int rc = toMci(engine_.setSpeed(double(*n) / 1000.0)))
                return rc;
        } else if (is(args[k], "time")) {
            if (k + 1 == args.size() || !is(args[k + 1], "format"))
                return k + 1 == args.size() ? mcierr::MissingParameter
                                            : mcierr::UnrecognizedKeyword;
            k += 1;
            if (k + 1 == args.size())
                return mcierr::MissingParameter;
            const QStringView value = args[++k];
            if (is(value, "frames"))
                format_ = TimeFormat::Frames;
            else if (is(value, "milliseconds") || is(value, "ms"))
                format_ = TimeFormat::Milliseconds;
            else
                return mcierr::BadTimeFormat;
        } else {
            return mcierr::UnrecognizedKeyword;
        }
    }
    return mcierr::Success;
}

int MciInterpreter::status(const Words& args, QString& reply)
{
    if (args.isEmpty())
        return mcierr::MissingParameter;
    const auto item = [&](const char* first, const char* second = nullptr) {
        return second ? args.size() == 2 && is(args[0], first) && is(args[1], second)
                      : args.size() == 1 && is(args[0], first);
    };
    if (item("position")) {
        reply = QString::number(
            format_ == TimeFormat::Frames ? engine_.positionFrames() : engine_.positionMs());
    } else if (item("length")) {
        reply = QString::number(length());
    } else if (item("speed")) {
        reply = QString::number(std::lrint(engine_.speed() * 1000.0));
    } else if (item("window", "handle")) {
        const WId handle = engine_.videoWindow();
        if (handle == 0)
            return mcierr::NoWindow;
        reply = QString::number(handle);
    } else if (item("mode")) {
        reply = engine_.isPlaying() ? QStringLiteral("playing") : QStringLiteral("stopped");
    } else if (item("time", "format")) {
        reply = format_ == TimeFormat::Frames ? QStringLiteral("frames")
                                              : QStringLiteral("milliseconds");
    } else {
        return mcierr::UnrecognizedKeyword;
    }
    return mcierr::Success;
}

int MciInterpreter::where(const Words& args, QString& reply)
{
    if (args.isEmpty())
        return mcierr::MissingParameter;
    if (args.size() > 1)
        return mcierr::UnrecognizedKeyword;
    if (is(args[0], "source"))
        reply = rectangle(engine_.sourceSize());
    else if (is(args[0], "destination"))
        reply = rectangle(engine_.destinationSize());
    else
        return mcierr::UnrecognizedKeyword;
    return mcierr::Success;
}
