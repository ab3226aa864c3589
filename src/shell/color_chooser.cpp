#include "shell/color_chooser.h"

#include "platform/dialogs.h"
#include "movie/system_colors.h"

#include <QColor>

namespace {

std::int32_t fromQColor(const QColor& c)
{
    return std::int32_t(c.red() | (c.green() << 8) | (c.blue() << 16));
}

}  // namespace

std::int32_t cTransCol::TranslateColor(std::int32_t color, std::int32_t)
{
    const QColor resolved = colorFromStored(color);
    return resolved.isValid() ? fromQColor(resolved) : -1;
}

std::int32_t cColor::CustomColor(int index) const
{
    if (index < 0 || index > 15)
        return 0;
    return cTransCol::TranslateColor(custom_[std::size_t(index)]);
}

void cColor::setCustomColor(int index, std::int32_t color)
{
    if (index >= 0 && index <= 15)
        custom_[std::size_t(index)] = color;
}

bool cColor::ShowColor(Dialogs& dialogs, std::uint32_t flags)
{
    std::array<QColor, 16> working;
    for (std::size_t i = 0; i < working.size(); ++i)
        working[i] = colorFromStored(custom_[i]);
    const QColor start = flags & CC_RGBINIT ? colorFromStored(rgbResult_) : QColor(Qt::black);
    const std::optional<QColor> chosen = dialogs.ChooseColor(start, working);
    // A dialog that hands back no usable colour counts as cancelled.
    if (!chosen || !chosen->isValid())
        return false;
    for (std::size_t i = 0; i < working.size(); ++i)
        custom_[i] = working[i].isValid() ? fromQColor(working[i]) : -1;
    rgbResult_ = fromQColor(*chosen);
    return true;
}
