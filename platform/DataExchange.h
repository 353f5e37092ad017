#pragma once
// Dialog data exchange: moves values between a dialog's members and its
// controls and validates them on the way back. Numbers are shown with
// "%.*g" (15 significant digits for a double) and read as "%lf" reads them
// (a leading number; the rest of the text is ignored). A field that is no
// number or lies outside its range shows one message, gets the focus and
// ends the exchange (CUserException), so one OK shows at most one message.

#include <exception>
#include <string>

class IDialogControls;

// Ends an operation after the user has been told why (CDataExchange::Fail,
// a project file whose version cannot be read); whoever catches it shows
// nothing more.
class CUserException : public std::exception {
public:
    const char* what() const noexcept override { return "ended after the user was told"; }
};

class CDataExchange {
public:
    CDataExchange(IDialogControls& controls, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_controls(controls)
    {
    }

    // Marks the control that a following check is about.
    void PrepareEditCtrl(int id) { m_idLastControl = id; m_bEditLastControl = true; }
    void PrepareCtrl(int id) { m_idLastControl = id; m_bEditLastControl = false; }
    // Puts the focus on the last prepared control and throws CUserException.
    [[noreturn]] void Fail();

    bool m_bSaveAndValidate;
    IDialogControls& m_controls;
    int m_idLastControl = 0;
    bool m_bEditLastControl = false;
};

void DDX_Text(CDataExchange& dx, int id, double& value);
void DDX_Text(CDataExchange& dx, int id, int& value);
void DDX_Text(CDataExchange& dx, int id, std::string& value);
void DDX_Check(CDataExchange& dx, int id, int& value);
// The selected index of a combo box (-1 for none).
void DDX_CBIndex(CDataExchange& dx, int id, int& index);

// Range checks (bounds included); they act only when saving.
void DDV_MinMaxDouble(CDataExchange& dx, double value, double minValue, double maxValue);
void DDV_MinMaxInt(CDataExchange& dx, int value, int minValue, int maxValue);

namespace DataExchange {

// Message ids of the exchange.
enum : unsigned {
    IDP_PARSE_INT = 61712,         // "Enter an integer."
    IDP_PARSE_REAL = 61713,        // "Enter a number."
    IDP_PARSE_INT_RANGE = 61714,   // "Enter an integer between %1 and %2."
    IDP_PARSE_REAL_RANGE = 61715,  // "Enter a number between %1 and %2."
};

// A double as a field shows it: "%.*g" with 15 significant digits.
std::string FormatDouble(double value);
// Replaces %1 and %2 of a message with the two texts.
std::string FormatString2(const std::string& format, const std::string& a1, const std::string& a2);

}  // namespace DataExchange
