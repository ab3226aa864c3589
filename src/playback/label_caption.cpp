#include "playback/label_caption.h"

#include <QLabel>
#include <QVariant>

namespace label_caption {

namespace {
constexpr const char* CaptionProperty = "caption";
}

QString displayForm(const QString& caption)
{
    QString text = caption;
    text.remove(QLatin1Char('\r'));
    return text;
}

void setCaption(QLabel& label, const QString& caption)
{
    label.setProperty(CaptionProperty, caption);
    label.setText(displayForm(caption));
}

QString captionOf(const QLabel& label)
{
    const QVariant stored = label.property(CaptionProperty);
    if (stored.isValid()) {
        const QString caption = stored.toString();
        if (displayForm(caption) == label.text())
            return caption;
    }
    return label.text();
}

}  // namespace label_caption
