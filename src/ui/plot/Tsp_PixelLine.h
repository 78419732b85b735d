#pragma once

class QPainter;

// The platform's line primitive: from the start pixel up to, not including, the end pixel.
// Horizontal and vertical lines cover exactly those pixels; other lines follow Qt's aliased
// rasterisation with a flat cap, which also leaves the end point out. Uses the painter's pen;
// the caller turns antialiasing off.
void DrawLineExcludingEnd(QPainter &painter, int x0, int y0, int x1, int y1);
