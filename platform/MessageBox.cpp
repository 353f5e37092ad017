#include "platform/MessageBox.h"

#include <iostream>

namespace {

class StderrMessageBox : public IMessageBox {
public:
    int Show(const std::string& text, unsigned) override
    {
        std::cerr << text << '\n';
        return IDOK;
    }
    void Beep(unsigned) override {}
};

StderrMessageBox g_default;
IMessageBox* g_current = &g_default;

}  // namespace

IMessageBox& Messages()
{
    return *g_current;
}

void SetMessages(IMessageBox* box)
{
    g_current = box ? box : &g_default;
}
