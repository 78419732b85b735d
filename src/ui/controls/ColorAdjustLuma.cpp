#include "ColorAdjustLuma.h"

#include "MulDiv.h"

#include <algorithm>

// The arithmetic: the colour goes to integer HLS with hue, luminance and saturation
// on a 0..240 scale (channels on 0..255, every division rounded to nearest). With
// scale on, amount n > 0 gives L' = L + MulDiv(240 - L, n, 1000) and n < 0 gives
// L' = L + MulDiv(L, n, 1000); with scale off, L' = L + MulDiv(240, n, 1000).
// L' is clamped to 0..240 and the colour goes back to RGB. The 240 scale is coarse,
// so even a tiny amount can move a channel by one through the round trip.
namespace {

constexpr int HlsMax = 240;
constexpr int RgbMax = 255;
constexpr int UndefinedHue = HlsMax * 2 / 3;

struct Hls {
    int h;
    int l;
    int s;
};

Hls RgbToHls(int r, int g, int b)
{
    const int cMax = std::max({r, g, b});
    const int cMin = std::min({r, g, b});
    Hls out{UndefinedHue, ((cMax + cMin) * HlsMax + RgbMax) / (2 * RgbMax), 0};
    if (cMax == cMin)
        return out;
    const int sum = cMax + cMin;
    const int range = cMax - cMin;
    if (out.l <= HlsMax / 2)
        out.s = (range * HlsMax + sum / 2) / sum;
    else
        out.s = (range * HlsMax + (2 * RgbMax - sum) / 2) / (2 * RgbMax - sum);
    const int rDelta = ((cMax - r) * (HlsMax / 6) + range / 2) / range;
    const int gDelta = ((cMax - g) * (HlsMax / 6) + range / 2) / range;
    const int bDelta = ((cMax - b) * (HlsMax / 6) + range / 2) / range;
    if (r == cMax)
        out.h = bDelta - gDelta;
    else if (g == cMax)
        out.h = HlsMax / 3 + rDelta - bDelta;
    else
        out.h = 2 * HlsMax / 3 + gDelta - rDelta;
    if (out.h < 0)
        out.h += HlsMax;
    if (out.h > HlsMax)
        out.h -= HlsMax;
    return out;
}

int HueToRgb(int n1, int n2, int hue)
{
    if (hue < 0)
        hue += HlsMax;
    if (hue > HlsMax)
        hue -= HlsMax;
    if (hue < HlsMax / 6)
        return n1 + ((n2 - n1) * hue + HlsMax / 12) / (HlsMax / 6);
    if (hue < HlsMax / 2)
        return n2;
    if (hue < HlsMax * 2 / 3)
        return n1 + ((n2 - n1) * (HlsMax * 2 / 3 - hue) + HlsMax / 12) / (HlsMax / 6);
    return n1;
}

int ToChannel(int value)
{
    return std::clamp((value * RgbMax + HlsMax / 2) / HlsMax, 0, RgbMax);
}

TColor HlsToRgb(const Hls &c)
{
    if (c.s == 0) {
        const int grey = std::clamp(c.l * RgbMax / HlsMax, 0, RgbMax);
        return RGBColor(grey, grey, grey);
    }
    const int magic2 = c.l <= HlsMax / 2 ? (c.l * (HlsMax + c.s) + HlsMax / 2) / HlsMax
                                         : c.l + c.s - (c.l * c.s + HlsMax / 2) / HlsMax;
    const int magic1 = 2 * c.l - magic2;
    return RGBColor(ToChannel(HueToRgb(magic1, magic2, c.h + HlsMax / 3)),
                    ToChannel(HueToRgb(magic1, magic2, c.h)),
                    ToChannel(HueToRgb(magic1, magic2, c.h - HlsMax / 3)));
}

} // namespace

TColor ColorAdjustLuma(TColor rgb, int amount, bool scale)
{
    Hls c = RgbToHls(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    if (!scale)
        c.l += MulDiv(HlsMax, amount, 1000);
    else if (amount > 0)
        c.l += MulDiv(HlsMax - c.l, amount, 1000);
    else
        c.l += MulDiv(c.l, amount, 1000);
    c.l = std::clamp(c.l, 0, HlsMax);
    return HlsToRgb(c);
}
