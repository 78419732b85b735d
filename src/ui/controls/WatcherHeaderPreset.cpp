#include "WatcherHeaderPreset.h"

#include "Quarl.Control.GradientBar.h"
#include "TDisabledBitmapFactors.h"

namespace {

// Tahoma at 11 pixels; where it is missing the font system picks a fallback
// that also covers the Chinese captions.
QFont HeaderFont(bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

void ConfigureWatcherHeader(TGradientBar &bar, TImageList *images)
{
    bar.resize(451, 29);
    bar.setMinimumHeight(29);
    bar.setMaximumHeight(29);
    bar.SetBorder(false);
    bar.SetThemeColor(TThemeColor::BorderColor, clBlack);
    bar.SetColors(clMoneyGreen, clMoneyGreen);
    bar.SetDisabledColors(0x4F413C, 0x4F413C);
    bar.SetSelectedColors(0x4F413C, 0x362C27);
    bar.SetHotColors(0x897267, 0x725A52);
    bar.SetThemeColor(TThemeColor::SelectionBarColor, 0x277FFF);
    TDisabledBitmapFactors &factors = bar.DisabledBitmapFactors();
    factors.SetRedFactor(0.299);
    factors.SetGreenFactor(0.587);
    factors.SetBlueFactor(0.114);
    bar.SetFont({HeaderFont(true), clBlack});
    bar.SetDisabledFont({HeaderFont(false), clWindowText});
    bar.SetSelectedFont({HeaderFont(false), clWindowText});
    bar.SetHotFont({HeaderFont(false), clWhite});
    bar.SetImages(images);
    bar.SetImageIndex(0);
    bar.SetTopIndent(7);
    bar.SetUseApplicationIcon(false);
    bar.SetUseWindowIcon(false);
    bar.SetUseApplicationIconSize(32);
    bar.Loaded();
}
