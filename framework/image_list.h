// Image lists made from bitmap resources.
#pragma once

#include <windows.h>

#include "framework/gdi.h"

namespace fw {

// Fills list with the 16 x 16 images of bitmap resource bitmapId, the mask
// colour showing through, drawn on background. Without the bitmap the list
// has no images; without memory for it the list stays empty.
void LoadImageList(ImageList& list, UINT bitmapId, COLORREF mask, COLORREF background);

}  // namespace fw
