#pragma once
// The capture buffer (the main window's hidden Image1): every capture lands in it before it is
// saved, in a device-independent section whose memory the BMP is written from; a clipboard
// bitmap is taken over as it comes.

#include <windows.h>

#include <optional>

#include "shot/bmp.h"
#include "shot/capture_geometry.h"
#include "shot/shot_recorder.h"
#include "win/handles_win.h"

namespace dhsu {

class CaptureBuffer : public ShotImage {
  public:
    // A picture of the depth of the display `like` draws on, w then h, to be drawn over whole:
    // the last one's memory when it has that size and depth. Every capture passes here before it
    // draws into Bitmap().
    void Resize(HDC like, int width, int height);
    // Resizes to the rectangle and copies it from `source`.
    void CopyFrom(HDC source, const CaptureRect& rect);
    // Takes over a bitmap handed in by the clipboard, with its palette if it has one.
    void Assign(win::GdiObject bitmap, win::GdiObject palette);
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(bitmap_.Get()); }
    int Width() const;
    int Height() const;

    // Device-independent pixels of the picture, which write a complete BMP file beside a path,
    // under a temporary name until it is moved there; a file that could not be written
    // completely is removed. Whether they are one flat colour is worked out once per picture.
    std::unique_ptr<ShotPixels> ReadPixels() const override;

  private:
    win::GdiObject bitmap_;
    win::GdiObject palette_;  // colours of a palettised clipboard bitmap
    BitmapView section_;      // the pixels of our own section; none for any other bitmap
    // Whether the picture is one flat colour, once asked: the choice of a read and the shot's
    // sound both ask, and a flat frame is scanned to its last pixel.
    mutable std::optional<bool> singleColour_;
};

}  // namespace dhsu
