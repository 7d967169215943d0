// Reading what is on screen: the pixels of a rectangle of the display, and
// the built-in menu background of holm.exe to compare them with.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace holmtest {

class Pixels {
public:
    Pixels() = default;
    Pixels(int width, int height) : width_(width), height_(height), data_(width * height) {}
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return data_.empty(); }
    // 0x00RRGGBB; 0 outside.
    DWORD At(int x, int y) const;
    DWORD* Row(int y) { return data_.data() + y * width_; }
    // Writes a 24-bit .bmp file.
    bool Save(const std::string& path) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<DWORD> data_;
};

// The screen's pixels in `rect` (screen coordinates).
Pixels CaptureScreen(const RECT& rect);
Pixels CaptureWholeScreen();

// The pixels of bitmap resource `name` of module file `path`, or of a .bmp file.
Pixels BitmapResource(const std::string& path, const char* name);
Pixels BitmapFile(const std::string& path);

DWORD Rgb(int r, int g, int b);
DWORD Inverted(DWORD colour);

// Saves a screenshot into the directory named by HOLM_SCREENSHOTS, when set.
void SaveScreenshotIfAsked(const char* name);

}  // namespace holmtest
