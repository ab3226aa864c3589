#pragma once

#include <array>
#include <cstdint>

class Dialogs;

// Colour values as the program keeps them: 0x00BBGGRR, or with the high bit set one of the
// system's colours.
namespace cTransCol {
// The plain RGB value a colour stands for (system colours resolved); -1 when it stands for none.
std::int32_t TranslateColor(std::int32_t color, std::int32_t palette = 0);
}  // namespace cTransCol

// One use of the colour dialog: the colour it starts at and returns, and its 16 custom colours.
class cColor {
public:
    // Flags of ShowColor.
    static constexpr std::uint32_t CC_RGBINIT = 1;  // start at Color()

    // Shows the dialog; true when the user pressed OK with a colour. Then Color() is the colour
    // chosen and the custom colours are those the dialog ended with.
    bool ShowColor(Dialogs& dialogs, std::uint32_t flags);

    std::int32_t Color() const { return rgbResult_; }
    void setColor(std::int32_t color) { rgbResult_ = color; }
    // Index 0..15; 0 for any other index (and setting one does nothing).
    std::int32_t CustomColor(int index) const;
    void setCustomColor(int index, std::int32_t color);

private:
    std::int32_t rgbResult_ = 0;
    std::array<std::int32_t, 16> custom_ = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
        0xFFFFFF, 0xFFFFFF};
};
