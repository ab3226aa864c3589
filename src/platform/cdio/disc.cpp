#include "platform/cdio/disc.h"

#include "platform/cdio/disc_log.h"
#include "platform/cdio/disc_path.h"

#include <QFile>

#include <cdio/cdio.h>
#include <cdio/iso9660.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Larger directories are damage, not Video-CDs: a Video-CD's folders fit in one sector or two.
constexpr std::uint32_t MaxDirectorySectors = 64;

// libcdio's raw Mode 2 read gives the subheader, the payload and the EDC of each sector.
constexpr int RawMode2 = M2RAW_SECTOR_SIZE;  // 2336
constexpr int SubheaderSize = 8;

// A damaged directory gives records libcdio cannot read: null entries in its listing.
QString nameOf(const iso9660_stat_t* st)
{
    if (!st)
        return {};
    QString name = QString::fromLatin1(st->filename);
    const qsizetype version = name.indexOf(QLatin1Char(';'));
    if (version >= 0)
        name.truncate(version);
    return name;
}

bool isDot(const QString& name)
{
    return name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..");
}

// ISO 9660 names are letters, digits, "_" and one ".": anything else is a damaged record.
bool isPlausibleName(const QString& name)
{
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) {
        return (c.isLetterOrNumber() && c.unicode() < 128) || c == u'_' || c == u'.' || c == u'-';
    });
}

}  // namespace

struct Disc::Entry {
    QString path;  // as libcdio names it: "/MPEGAV/AVSEQ01.DAT;1"
    bool folder = false;
    std::int32_t lsn = 0;
    std::uint32_t sectors = 0;
};

std::unique_ptr<Disc> Disc::open(const QString& source)
{
    installDiscLogHandler();
    const QByteArray name = QFile::encodeName(source);
    CdIo_t* cdio = nullptr;
    switch (discSourceKind(source)) {
    case DiscSourceKind::None: return nullptr;
    case DiscSourceKind::Drive: cdio = cdio_open(name.constData(), DRIVER_LINUX); break;
    case DiscSourceKind::Image: cdio = cdio_open_cue(name.constData()); break;
    }
    if (!cdio)
        return nullptr;
    return std::unique_ptr<Disc>(new Disc(cdio));
}

Disc::~Disc()
{
    cdio_destroy(cdio_);
}

std::optional<QString> Disc::volumeId()
{
    iso9660_pvd_t pvd;
    if (!iso9660_fs_read_pvd(cdio_, &pvd))
        return std::nullopt;
    char* id = iso9660_get_volume_id(&pvd);
    QString label = id ? QString::fromLatin1(id).trimmed() : QString();
    std::free(id);
    return label;
}

// The folder `path` ("/" or "/MPEGAV") as libcdio's directory reader wants it.
static QByteArray dirArgument(const QString& path)
{
    return QFile::encodeName(path == QLatin1String("/") ? path : path + QLatin1Char('/'));
}

// Reads the directory `dir` (one not larger than a real one can be).
CdioList_t* Disc::readDirectory(const Entry& dir)
{
    if (!dir.folder || dir.sectors > MaxDirectorySectors)
        return nullptr;
    return iso9660_fs_readdir(cdio_, dirArgument(dir.path).constData());
}

// Walks `path` from the root one folder at a time, matching names without their version and
// ignoring case.
std::optional<Disc::Entry> Disc::find(const QString& path)
{
    iso9660_stat_t* root = iso9660_fs_stat(cdio_, "/");
    if (!root)
        return std::nullopt;
    Entry at{QStringLiteral("/"), true, root->lsn, root->secsize};
    iso9660_stat_free(root);
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        CdioList_t* list = readDirectory(at);
        if (!list)
            return std::nullopt;
        std::optional<Entry> next;
        CdioListNode_t* node;
        _CDIO_LIST_FOREACH(node, list)
        {
            const auto* st = static_cast<const iso9660_stat_t*>(_cdio_list_node_data(node));
            const QString name = nameOf(st);
            if (!st || isDot(name) || name.compare(part, Qt::CaseInsensitive) != 0)
                continue;
            const QString base = at.path == QLatin1String("/") ? QString() : at.path;
            next = Entry{base + QLatin1Char('/') + QString::fromLatin1(st->filename),
                         st->type == iso9660_stat_s::_STAT_DIR, st->lsn, st->secsize};
            break;
        }
        iso9660_filelist_free(list);
        if (!next)
            return std::nullopt;
        at = *next;
    }
    return at;
}

DiscFolder Disc::listFolder(const QString& folder)
{
    if (!volumeId())
        return {DiscFolderError::NotReady, {}};
    const std::optional<Entry> dir = find(folder);
    CdioList_t* list = dir ? readDirectory(*dir) : nullptr;
    if (!list)
        return {DiscFolderError::NotFound, {}};
    DiscFolder result;
    CdioListNode_t* node;
    _CDIO_LIST_FOREACH(node, list)
    {
        const auto* st = static_cast<const iso9660_stat_t*>(_cdio_list_node_data(node));
        const QString name = nameOf(st);
        if (st && st->type == iso9660_stat_s::_STAT_FILE && !isDot(name) &&
            isPlausibleName(name))
            result.files << name;
    }
    iso9660_filelist_free(list);
    return result;
}

std::optional<DiscExtent> Disc::fileExtent(const QString& path)
{
    if (!volumeId())
        return std::nullopt;
    const std::optional<Entry> file = find(path);
    if (!file || file->folder || file->lsn < 0)
        return std::nullopt;
    // A Form 2 file's recorded size may count 2324-byte sectors as 2048: never read past the
    // track that holds it.
    const track_t track = cdio_get_track(cdio_, file->lsn);
    if (track == CDIO_INVALID_TRACK)
        return std::nullopt;
    const lsn_t last = cdio_get_track_last_lsn(cdio_, track);
    if (last == CDIO_INVALID_LSN || last < file->lsn)
        return std::nullopt;
    const auto sectors = std::int32_t(std::min<std::int64_t>(file->sectors, last - file->lsn + 1));
    return DiscExtent{file->lsn, sectors};
}

bool Disc::readForm2(std::int32_t lsn, int count, std::uint8_t* out)
{
    std::vector<std::uint8_t> raw(std::size_t(count) * RawMode2);
    if (cdio_read_mode2_sectors(cdio_, raw.data(), lsn, true, std::uint32_t(count)) !=
        DRIVER_OP_SUCCESS)
        return false;
    for (int i = 0; i < count; ++i)
        std::memcpy(out + std::size_t(i) * Form2Payload,
                    raw.data() + std::size_t(i) * RawMode2 + SubheaderSize, Form2Payload);
    return true;
}
