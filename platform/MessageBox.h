#pragma once
// Message boxes and beeps, reached through an interface so that GUI-free code
// can ask the user; the application installs its Qt implementation and tests
// install a recording double.

#include <string>

// Button and icon flags, and the answers, with the values of the desktop
// message-box convention the program was designed for.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONHAND = 0x10,
    MB_ICONSTOP = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,  // the second button is the default one
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // Shows text with the buttons and icon of type; returns IDOK, IDCANCEL,
    // IDYES or IDNO.
    virtual int Show(const std::string& text, unsigned type) = 0;
    virtual void Beep(unsigned type) = 0;
};

// The instance in use. Before the application installs one, a default that
// writes the text to standard error and answers IDOK is used.
IMessageBox& Messages();
void SetMessages(IMessageBox* box);  // nullptr restores the default

inline int AfxMessageBox(const std::string& text, unsigned type = MB_OK) { return Messages().Show(text, type); }
inline void MessageBeep(unsigned type) { Messages().Beep(type); }
