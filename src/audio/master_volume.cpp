#include "audio/master_volume.h"

#include "audio/mixer_errors.h"
#include "audio/volume_scale.h"
#include "controls/scroll_bar.h"
#include "platform/dialogs.h"

#include <QSignalBlocker>

MasterVolume::MasterVolume(Mixer& mixer, ScrollBar& HScroll2, MsgBoxFn msgBox)
    : mixer_(mixer), HScroll2_(HScroll2), msgBox_(std::move(msgBox))
{
}

void MasterVolume::open()
{
    // 1.
    vol_off = 0;
    if (const int rc = mixer_.mixerOpen(); rc != 0) {
        ShowMixerError(rc);
        vol_off = 1;
    }
    // 2. No volume control: the slider is switched off without a word.
    if (mixer_.GetVolumeControl(vol_ctrl) != 0) {
        vol_off = 1;
        HScroll2_.setEnabled(false);
        return;
    }
    // 3.
    vol_off = 0;
    {
        const std::lock_guard lock(mixerUse_);
        vol_start = mixer_.GetVolume(vol_ctrl.id);
        found_ = true;
    }
    // 4. and 5. Setting the value writes it back (rounded down to the slider's units). A volume
    // above the slider's top (the control's maximum may stand for a sound server at 150 %) is
    // not cut down to it: the slider stands at its top and the volume is left as it is until the
    // user moves the slider.
    const VolumeScale scale = volumeScale(vol_ctrl.maximum);
    vol_div = scale.vol_div;
    HScroll2_.setMinimum(0);
    HScroll2_.setMax(scale.max);
    HScroll2_.setLargeChange(scale.largeChange);
    HScroll2_.setSmallChange(scale.smallChange);
    const QSignalBlocker unwritten(
        vol_start > std::uint64_t(vol_div) * std::uint64_t(scale.max) ? &HScroll2_ : nullptr);
    HScroll2_.setValue(int(vol_start / std::uint32_t(vol_div)));
}

void MasterVolume::close()
{
    putBack();
    const std::lock_guard lock(mixerUse_);
    mixer_.mixerClose();
}

void MasterVolume::putBack()
{
    const std::lock_guard lock(mixerUse_);
    if (!found_ || putBack_)
        return;
    putBack_ = true;
    if (vol_off != 1)
        mixer_.SetVolumeControl(vol_ctrl.id, vol_start);
}

// A mixer that went away (the sound server stopped) fails here; that is ignored.
void MasterVolume::follow()
{
    const std::lock_guard lock(mixerUse_);
    if (vol_off != 1 && !putBack_)
        mixer_.SetVolumeControl(
            vol_ctrl.id, std::uint32_t(vol_div) * std::uint32_t(HScroll2_.Value()));
}

void MasterVolume::HScroll2_Change() { follow(); }

void MasterVolume::HScroll2_Scroll() { follow(); }

void MasterVolume::ShowMixerError(int code)
{
    if (code == 0)
        return;
    msgBox_(mixerErrorMessage(code), msgbox::OkOnly, msgbox::Exclamation);
}
