#pragma once
// The layout of the progress dialog (template 139) in dialog units, their
// conversion to pixels, and the 16-bit range of its progress bar.

namespace ProgressDialogLayout {

struct DluRect {
    int x, y, cx, cy;
};

inline constexpr const char* kCaption = "KDR";
inline constexpr const char* kStopText = "Stop";
inline constexpr int kStopId = 2;        // IDCANCEL
inline constexpr int kProgressId = 1000;
inline constexpr int kMessageId = 1001;

inline constexpr DluRect kDialog{0, 0, 187, 83};
inline constexpr DluRect kStopButton{66, 62, 55, 14};
inline constexpr DluRect kProgressBar{30, 29, 127, 14};
inline constexpr DluRect kMessage{30, 15, 127, 9};

// Dialog units to pixels: x * average character width / 4 and
// y * character height / 8.
inline int DluToPixelsX(int x, int avgCharWidth) { return x * avgCharWidth / 4; }
inline int DluToPixelsY(int y, int charHeight) { return y * charHeight / 8; }
inline DluRect ToPixels(const DluRect& r, int avgCharWidth, int charHeight)
{
    return DluRect{DluToPixelsX(r.x, avgCharWidth), DluToPixelsY(r.y, charHeight),
                   DluToPixelsX(r.cx, avgCharWidth), DluToPixelsY(r.cy, charHeight)};
}

// The bar keeps only the low 16 bits of each range end: 70000 becomes 4464.
inline int WrapRangeValue(int v) { return static_cast<int>(static_cast<unsigned>(v) & 0xFFFFu); }

}  // namespace ProgressDialogLayout
