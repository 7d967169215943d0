#include "screen_pixels.h"

#include <cstdio>
#include <cstdlib>

namespace holmtest {

DWORD Pixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return data_[y * width_ + x] & 0xFFFFFF;
}

bool Pixels::Save(const std::string& path) const {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const int stride = (width_ * 3 + 3) & ~3;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width_;
    info.biHeight = height_;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = stride * height_;
    BITMAPFILEHEADER head = {};
    head.bfType = 0x4D42;
    head.bfOffBits = sizeof(head) + sizeof(info);
    head.bfSize = head.bfOffBits + info.biSizeImage;
    std::fwrite(&head, sizeof(head), 1, f);
    std::fwrite(&info, sizeof(info), 1, f);
    std::vector<unsigned char> row(stride);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const DWORD c = At(x, y);
            row[x * 3] = c & 0xFF;
            row[x * 3 + 1] = (c >> 8) & 0xFF;
            row[x * 3 + 2] = (c >> 16) & 0xFF;
        }
        std::fwrite(row.data(), 1, row.size(), f);
    }
    std::fclose(f);
    return true;
}

namespace {

// Copies a bitmap selected into `source` at (x, y) into 32-bit pixels.
Pixels CopyPixels(HDC source, int x, int y, int width, int height) {
    Pixels out(width, height);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) return Pixels();
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    for (int row = 0; row < height; ++row)
        memcpy(out.Row(row), static_cast<DWORD*>(bits) + row * width, width * sizeof(DWORD));
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    return out;
}

Pixels PixelsOfBitmap(HBITMAP bitmap) {
    BITMAP bm = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof(bm), &bm)) return Pixels();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    Pixels out = CopyPixels(dc, 0, 0, bm.bmWidth, bm.bmHeight);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return out;
}

}  // namespace

Pixels CaptureScreen(const RECT& rect) {
    HDC screen = GetDC(nullptr);
    Pixels out = CopyPixels(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    ReleaseDC(nullptr, screen);
    return out;
}

Pixels CaptureWholeScreen() {
    const RECT all = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return CaptureScreen(all);
}

Pixels BitmapResource(const std::string& path, const char* name) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return Pixels();
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, 0));
    Pixels out = PixelsOfBitmap(bitmap);
    if (bitmap) DeleteObject(bitmap);
    FreeLibrary(module);
    return out;
}

Pixels BitmapFile(const std::string& path) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    Pixels out = PixelsOfBitmap(bitmap);
    if (bitmap) DeleteObject(bitmap);
    return out;
}

DWORD Rgb(int r, int g, int b) { return (static_cast<DWORD>(r) << 16) | (g << 8) | b; }

DWORD Inverted(DWORD colour) { return ~colour & 0xFFFFFF; }

void SaveScreenshotIfAsked(const char* name) {
    const char* dir = std::getenv("HOLM_SCREENSHOTS");
    if (!dir || !*dir) return;
    CaptureWholeScreen().Save(std::string(dir) + "\\" + name + ".bmp");
}

}  // namespace holmtest
