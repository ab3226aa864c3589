#pragma once

#include <QString>

class QLabel;

// Label captions that hold a line break written as LF followed by CR. The caption keeps that
// text exactly (captionOf reads it back), while the label draws it as clean lines: a bare CR
// would otherwise show up as a stray glyph or an empty line.
namespace label_caption {

// What the label draws for a caption: every CR dropped.
QString displayForm(const QString& caption);

void setCaption(QLabel& label, const QString& caption);

// The caption last set through setCaption, or the label's text when something else has
// written the label since.
QString captionOf(const QLabel& label);

}  // namespace label_caption
