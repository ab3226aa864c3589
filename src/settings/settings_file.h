#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// reelbox.ini: the movie window's place, background colour and size, six lines:
// an empty line, then Top, Left, BackColor, Width, Height (twips; colour as 0x00BBGGRR or a
// negative system-colour reference).
struct WindowSettings {
    float top = 0;
    float left = 0;
    std::int32_t backColor = 0;
    float width = 0;
    float height = 0;
};

// What a read produced: the values read before the first error, in file order. `complete` is
// true only when all five were read; a caller applies each field that is present, in order.
struct SettingsRead {
    std::optional<float> top, left;
    std::optional<std::int32_t> backColor;
    std::optional<float> width, height;
    bool complete() const { return top && left && backColor && width && height; }
};

namespace settings_file {

// Where reelbox.ini is written: next to the program (programDir + "/reelbox.ini") when its folder
// takes new files; otherwise in the user's config folder (~/.config/reelbox, made when missing),
// and always there for a program installed under /usr, whose folders are the system's even when
// root runs it.
QString writePath(const QString& programDir);
// Where it is read: where it is written when there is one there; else next to the program (a
// read-only or installed copy may carry one).
QString readPath(const QString& programDir);

SettingsRead read(const QString& filePath);
// The same reading of a file's bytes.
SettingsRead parse(const QByteArray& bytes);

// Writes the six lines (UTF-8, CR LF) as saveFile() does: a failed save leaves the previous file
// intact. False on any failure.
bool write(const QString& filePath, const WindowSettings& values);

}  // namespace settings_file
