#include "framework/bitmap.h"
#include "framework/dc.h"

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return Attach(::CreateCompatibleBitmap(dc->GetSafeHdc(), width, height));
}
