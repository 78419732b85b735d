#pragma once

class TGradientBar;
class TImageList;

// Gives a bar the look of a watcher panel's header: flat money-green band, bold
// black caption, darker selected and disabled looks, white caption when hot,
// 29 pixels high, icons from images (index 0 until the owner sets one).
void ConfigureWatcherHeader(TGradientBar &bar, TImageList *images);
