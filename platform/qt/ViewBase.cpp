#include "platform/qt/ViewBase.h"

CViewBase::CViewBase(CDocument& doc, QWidget* parent) : QWidget(parent), m_pDocument(&doc) {}

void CViewBase::OnUpdate(IView*, long)
{
    update();
}
