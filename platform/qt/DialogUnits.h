#pragma once
// Dialog units: x in quarters of the dialog font's average character width,
// y in eighths of its height, as dialog templates measure their controls.

#include <QFont>
#include <QRect>

class CDialogUnits {
public:
    // The average width is that of the 52 letters A-Z and a-z, rounded up
    // from half-characters; the height is the font's line height.
    explicit CDialogUnits(const QFont& font);
    CDialogUnits(int avgCharWidth, int charHeight) : m_avgCharWidth(avgCharWidth), m_charHeight(charHeight) {}

    int MapX(int x) const;
    int MapY(int y) const;
    QRect MapRect(int x, int y, int cx, int cy) const;

    int AvgCharWidth() const { return m_avgCharWidth; }
    int CharHeight() const { return m_charHeight; }

    // The font dialogs are laid out with.
    static QFont DialogFont();

private:
    int m_avgCharWidth;
    int m_charHeight;
};
