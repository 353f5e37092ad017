#include "platform/qt/SharedPrinter.h"

#include <QPrinter>

QPrinter& SharedPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
