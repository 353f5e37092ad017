#pragma once
// The layout of the progress dialog (template 139) in dialog units and the
// 16-bit range of its progress bar.

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

// The bar keeps only the low 16 bits of each range end: 70000 becomes 4464.
inline int WrapRangeValue(int v) { return static_cast<int>(static_cast<unsigned>(v) & 0xFFFFu); }

}  // namespace ProgressDialogLayout
