#pragma once

#include "TColor.h"

// Changes the luminance of a plain RGB colour by amount tenths of a percent.
// With scale on, the change is proportional: positive amounts move the luminance
// towards white, negative ones towards black.
TColor ColorAdjustLuma(TColor rgb, int amount, bool scale);
