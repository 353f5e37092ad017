#include "dialogs/TypeSModuleArrangementDialog1.h"

#include "dialogs/LineArrayArrangementTemplates.h"
#include "resources/StringTable.h"

CTypeSModuleArrangementDialog1::CTypeSModuleArrangementDialog1(unsigned centre, unsigned upper, unsigned lower,
                                                               CAxisEntityArray* entities, int lengthUnit)
    : CLineArrayArrangementDialog(IDD, centre, upper, lower, entities, 0.0, 0.255)
{
    (void)lengthUnit;
    RegisterLineArrayArrangementTemplates();
    m_preview.SetDialog(this);
}

bool CTypeSModuleArrangementDialog1::OnInitDialog()
{
    CDialog::OnInitDialog();
    IDialogControls* c = Controls();
    for (unsigned id = 64141; id <= 64144; ++id)
        c->AddString(IDC_COMBO_BOX_COUNT, LoadStringId(id));
    const unsigned total = m_viewParam.GetTotalModules();
    SelectBoxCount(total);
    const bool curved = total > 0 && m_pEntities != nullptr && total <= m_pEntities->size() &&
                        (*m_pEntities)[total - 1].z != 0.0;
    c->SetCheck(IDC_CHECK_BOTTOM_S, curved ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

void CTypeSModuleArrangementDialog1::OnControlCommand(int id, int notifyCode)
{
    if (id == IDC_COMBO_BOX_COUNT && notifyCode == CBN_SELCHANGE)
        UpdateArrangement();
    else if (id == IDC_CHECK_BOTTOM_S && notifyCode == BN_CLICKED)
        OnBnClickedBottomS();
}

void CTypeSModuleArrangementDialog1::OnDrawControl(int id, IDrawingContext& dc, const CRect& client)
{
    if (id == IDC_PREVIEW)
        m_preview.OnPaint(dc, client);
}

void CTypeSModuleArrangementDialog1::SelectBoxCount(unsigned n)
{
    if (IDialogControls* c = Controls())
        c->SetCurSel(IDC_COMBO_BOX_COUNT, static_cast<int>(n / 8) - 1);
}

void CTypeSModuleArrangementDialog1::UpdateArrangement()
{
    IDialogControls* c = Controls();
    if (c == nullptr || m_pEntities == nullptr)
        return;
    const int item = c->GetCurSel(IDC_COMBO_BOX_COUNT);
    // Without a box count there is no column to build; without an element
    // there is nothing to build it from.
    if (item < 0 || item > 3 || m_pEntities->empty())
        return;
    const std::size_t n = 8 * static_cast<std::size_t>(item + 1);

    CAxisEntity first = m_pEntities->front();
    first.z = 0.0;
    const double depth = m_depths.empty() ? 0.255 : m_depths.front();
    CAxisEntityArray entities(n, first);
    std::vector<double> wedges(n, 0.0);
    std::vector<double> depths(n, depth);
    if (c->GetCheck(IDC_CHECK_BOTTOM_S) == BST_CHECKED) {
        for (std::size_t k = 0; k < 8; ++k) {
            entities[n - 8 + k].z = kBottomSplays[k];
            wedges[n - 8 + k] = kBottomWedges[k];
        }
    }
    *m_pEntities = std::move(entities);
    m_wedges = std::move(wedges);
    m_depths = std::move(depths);

    SelectBoxCount(static_cast<unsigned>(n));
    m_viewParam.SetModuleCounts(0, 0, static_cast<unsigned>(n));
    InvalidatePreview();
}

void CTypeSModuleArrangementDialog1::OnBnClickedBottomS()
{
    UpdateArrangement();
    InvalidatePreview();
}

void CTypeSModuleArrangementDialog1::InvalidatePreview()
{
    if (IDialogControls* c = Controls())
        c->InvalidateControl(IDC_PREVIEW);
}
