#include "pixel_context.h"

HBITMAP makePixelBitmap(int width, int height, void** pixels)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    *pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels, nullptr, 0);
    if (bitmap && !*pixels) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    return bitmap;
}

int makePixelContext(PixelContext* made, int width, int height)
{
    void* bits = nullptr;
    HBITMAP bitmap = makePixelBitmap(width, height, &bits);
    HDC dc = bitmap ? CreateCompatibleDC(nullptr) : nullptr;
    HGDIOBJ replaced = dc ? SelectObject(dc, bitmap) : nullptr;
    if (!replaced) {
        if (dc)
            DeleteDC(dc);
        if (bitmap)
            DeleteObject(bitmap);
        return 0;
    }
    *made = PixelContext{dc, bitmap, replaced, static_cast<uint32_t*>(bits)};
    return 1;
}

void releasePixelContext(PixelContext* context)
{
    if (context->dc) {
        SelectObject(context->dc, context->replaced);
        DeleteObject(context->bitmap);
        DeleteDC(context->dc);
    }
    *context = PixelContext{};
}
