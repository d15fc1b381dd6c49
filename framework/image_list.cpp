#include "framework/image_list.h"

#include <commctrl.h>

namespace fw {

void LoadImageList(ImageList& list, UINT bitmapId, COLORREF mask, COLORREF background) {
    list.Reset(ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, 2, 0));
    if (!list)
        return;
    Bitmap images(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, 0)));
    if (images)
        ImageList_AddMasked(list.Get(), images.Get(), mask);
    ImageList_SetBkColor(list.Get(), background);
}

}  // namespace fw
