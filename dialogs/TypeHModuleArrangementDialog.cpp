#include "dialogs/TypeHModuleArrangementDialog.h"

#include "platform/MessageBox.h"
#include "resources/StringTable.h"

#include <string>

namespace {

const auto Ctl = CCabinetArrangementDialog::TemplateControl;

// String ids of the combo items.
constexpr unsigned kBoxCountStrings = 64450;  // "DM-W x 1", "DM-W x 2"
constexpr unsigned kKindStrings = 64452;      // "DM-W5L", "DM-W7L", "DM-W5S", "DM-W7S"
constexpr unsigned kW7LString = 64453;

DialogTemplate TypeHTemplate()
{
    using K = ControlTemplate;
    DialogTemplate t;
    t.id = CTypeHModuleArrangementDialog::IDD;
    t.caption = "Dialog";
    t.cx = 360;
    t.cy = 318;
    t.controls.push_back(Ctl(K::GroupBox, IDC_STATIC, "DM- W5 / W7", 7, 36, 99, 74));
    t.controls.push_back(Ctl(K::ComboList, 3003, "", 7, 7, 64, 126));
    t.controls.push_back(Ctl(K::Static, IDC_STATIC, "Box-Count", 74, 9, 35, 8));
    t.controls.push_back(Ctl(K::Static, IDC_STATIC, "1:", 14, 55, 10, 8));
    t.controls.push_back(Ctl(K::Static, IDC_STATIC, "2:", 14, 75, 10, 8));
    t.controls.push_back(Ctl(K::ComboList, 1105, "", 28, 53, 53, 85));
    t.controls.push_back(Ctl(K::ComboList, 1106, "", 28, 73, 53, 44));
    t.controls.push_back(Ctl(K::Custom, 1107, "", 159, 24, 182, 272));
    t.controls.push_back(Ctl(K::DefPushButton, IDOK, "OK", 123, 297, 55, 14));
    t.controls.push_back(Ctl(K::PushButton, IDCANCEL, "Cancel", 181, 297, 55, 14));
    return t;
}

}  // namespace

CTypeHModuleArrangementDialog::CTypeHModuleArrangementDialog(unsigned centre, unsigned upper, unsigned lower,
                                                             const CAxisElementArray& units, int lengthUnit)
    : CCabinetArrangementDialog(IDD, centre, upper, lower, units, 0.0, kDepth)
{
    (void)lengthUnit;
    static const bool registered = [] {
        RegisterDialogTemplate(TypeHTemplate());
        return true;
    }();
    (void)registered;
    m_preview.SetDialog(this);
}

bool CTypeHModuleArrangementDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    IDialogControls* c = Controls();
    if (c == nullptr)
        return true;
    for (unsigned k = 0; k < 2; ++k)
        c->AddString(IDC_COMBO_BOX_COUNT, LoadStringId(kBoxCountStrings + k));
    for (unsigned k = 0; k < 4; ++k)
        c->AddString(IDC_COMBO_CABINET1, LoadStringId(kKindStrings + k));
    c->AddString(IDC_COMBO_CABINET2, LoadStringId(kW7LString));

    const unsigned n = m_viewParam.GetTotalModules();
    const int unit = m_params.empty() ? CB_ERR : m_params.front().m_nType;
    c->SetCurSel(IDC_COMBO_CABINET1, unit >= 0 && unit < 4 ? unit : CB_ERR);
    // One curved box cannot be joined by a second one.
    if (unit == 2 || unit == 3)
        c->EnableWindow(IDC_COMBO_BOX_COUNT, false);
    if (n == 25 || n == 32) {
        c->SetCurSel(IDC_COMBO_CABINET2, 0);
        c->SetCurSel(IDC_COMBO_CABINET1, n == 25 ? 0 : 1);
        RemoveCurvedKinds();
    }
    EnableControls(n);
    // The parameters copied in from the model stay as they are until the
    // first change.
    RecalcGeometry();
    return true;
}

void CTypeHModuleArrangementDialog::OnOK()
{
    UpdateArrangement();
    CDialog::OnOK();
}

void CTypeHModuleArrangementDialog::OnControlCommand(int id, int notifyCode)
{
    if (notifyCode != CBN_SELCHANGE)
        return;
    if (id == IDC_COMBO_BOX_COUNT)
        OnCbnSelchangeBoxCount();
    else if (id == IDC_COMBO_CABINET1)
        OnCbnSelchangeCabinet1();
    else if (id == IDC_COMBO_CABINET2)
        OnCbnSelchangeCabinet2();
}

void CTypeHModuleArrangementDialog::OnDrawControl(int id, IDrawingContext& dc, const CRect& client)
{
    if (id == IDC_PREVIEW)
        m_preview.OnPaint(dc, client);
}

void CTypeHModuleArrangementDialog::UpdateArrangement()
{
    IDialogControls* c = Controls();
    if (c == nullptr)
        return;
    const int b = c->GetCurSel(IDC_COMBO_BOX_COUNT);
    const int kind = c->GetCurSel(IDC_COMBO_CABINET1);
    std::size_t n = 0;
    if (b == 0 && kind >= 0)  // one box needs a kind
        n = kind == 0 || kind == 2 ? 9 : 16;
    else if (b == 1)
        n = kind == 0 ? 25 : 32;

    ResizeElements(n);
    EnableControls(static_cast<unsigned>(n));
    for (std::size_t i = 0; i < n; ++i) {
        // Both two-box arrangements are built of DM-W7L elements.
        m_params[i].m_nType = b == 0 ? kind : 1;
        double tilt = 0.0;
        if (b == 0 && kind == 2 && i < std::size(kW5STilts))
            tilt = kW5STilts[i];
        else if (b == 0 && kind == 3 && i < std::size(kW7STilts))
            tilt = kW7STilts[i];
        m_params[i].m_dAngle = tilt;
    }
    RecalcGeometry();
    m_viewParam.SetModuleCounts(0, 0, static_cast<unsigned>(n));
    Invalidate(IDC_PREVIEW);
}

void CTypeHModuleArrangementDialog::EnableControls(unsigned n)
{
    IDialogControls* c = Controls();
    if (c == nullptr)
        return;
    c->EnableWindow(IDC_COMBO_CABINET1, true);
    c->EnableWindow(IDC_COMBO_CABINET2, n >= 18);
    c->SetCurSel(IDC_COMBO_BOX_COUNT, n >= 18 ? 1 : 0);
}

void CTypeHModuleArrangementDialog::RecalcGeometry()
{
    const std::size_t n = m_params.size();
    m_vectors.resize(n);
    m_wedges.assign(n, 0.0);
    m_depths.assign(n, kDepth);
    for (std::size_t i = 0; i < n; ++i) {
        m_vectors[i] = UnitVector(m_params[i].m_nType);
        m_vectors[i].z = i == 0 ? 0.0 : m_params[i].m_dAngle;
    }
}

void CTypeHModuleArrangementDialog::OnCbnSelchangeBoxCount()
{
    IDialogControls* c = Controls();
    if (c == nullptr)
        return;
    const int b = c->GetCurSel(IDC_COMBO_BOX_COUNT);
    if (b == 1) {
        RemoveCurvedKinds();
        c->SetCurSel(IDC_COMBO_CABINET2, 0);
    } else if (b == 0 && c->GetCount(IDC_COMBO_CABINET1) == 2) {
        c->AddString(IDC_COMBO_CABINET1, LoadStringId(kKindStrings + 2));
        c->AddString(IDC_COMBO_CABINET1, LoadStringId(kKindStrings + 3));
    }
    UpdateArrangement();
}

void CTypeHModuleArrangementDialog::OnCbnSelchangeCabinet1()
{
    if (IDialogControls* c = Controls()) {
        const int kind = c->GetCurSel(IDC_COMBO_CABINET1);
        c->EnableWindow(IDC_COMBO_BOX_COUNT, kind != 2 && kind != 3);
    }
    UpdateArrangement();
}

void CTypeHModuleArrangementDialog::OnCbnSelchangeCabinet2()
{
    UpdateArrangement();
}

void CTypeHModuleArrangementDialog::RemoveCurvedKinds()
{
    IDialogControls* c = Controls();
    if (c == nullptr || c->GetCount(IDC_COMBO_CABINET1) <= 2)
        return;
    // The controls offer no removal of single items: the combo is filled
    // again with the two straight kinds, keeping a straight selection (a
    // removed selected item leaves none).
    const int sel = c->GetCurSel(IDC_COMBO_CABINET1);
    c->ResetContent(IDC_COMBO_CABINET1);
    for (unsigned k = 0; k < 2; ++k)
        c->AddString(IDC_COMBO_CABINET1, LoadStringId(kKindStrings + k));
    c->SetCurSel(IDC_COMBO_CABINET1, sel == 0 || sel == 1 ? sel : CB_ERR);
}
