#include "platform/qt/TemplateDialog.h"

#include "platform/MessageBox.h"
#include "platform/qt/DialogParent.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/ProgramResources.h"
#include "platform/qt/QtDrawingContext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

// A control that its dialog draws through a drawing context.
class CDrawnControl : public QWidget {
public:
    CDrawnControl(CDialog& dialog, int id, QWidget* parent) : QWidget(parent), m_dialog(dialog), m_id(id)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        CQtDrawingContext dc(p);
        m_dialog.OnDrawControl(m_id, dc, CRect(0, 0, width(), height()));
    }

private:
    CDialog& m_dialog;
    int m_id;
};

std::map<unsigned, CQtDialogRunner::Factory>& Factories()
{
    static std::map<unsigned, CQtDialogRunner::Factory> f;
    return f;
}

QString Q(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

std::string S(const QString& s)
{
    return s.toUtf8().toStdString();
}

}  // namespace

CTemplateDialog::CTemplateDialog(CDialog& dialog, const DialogTemplate& tmpl, QWidget* parent)
    : QDialog(parent), m_dialog(dialog)
{
    Build(tmpl);
}

CTemplateDialog::~CTemplateDialog()
{
    m_dialog.AttachControls(nullptr);
}

void CTemplateDialog::Build(const DialogTemplate& tmpl)
{
    setWindowTitle(Q(tmpl.caption));
    setFont(CDialogUnits::DialogFont());
    const CDialogUnits du(font());
    if (!tmpl.systemMenu)
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(du.MapX(tmpl.cx), du.MapY(tmpl.cy));

    for (const ControlTemplate& c : tmpl.controls) {
        QWidget* w = nullptr;
        switch (c.kind) {
        case ControlTemplate::Static: {
            auto* l = new QLabel(Q(c.text), this);
            l->setWordWrap(c.cy > 10);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            w = l;
            break;
        }
        case ControlTemplate::Edit: w = new QLineEdit(Q(c.text), this); break;
        case ControlTemplate::PushButton:
        case ControlTemplate::DefPushButton: {
            auto* b = new QPushButton(Q(c.text), this);
            b->setAutoDefault(false);
            b->setDefault(c.kind == ControlTemplate::DefPushButton);
            const int id = c.id;
            connect(b, &QPushButton::clicked, this, [this, id] { PressButton(id); });
            w = b;
            break;
        }
        case ControlTemplate::CheckBox:
        case ControlTemplate::RadioButton: {
            QAbstractButton* b;
            const bool radio = c.kind == ControlTemplate::RadioButton;
            if (radio) {
                // A radio button of its own group: a click always leaves it
                // checked, and the dialog clears its partners itself.
                auto* r = new QRadioButton(Q(c.text), this);
                r->setAutoExclusive(false);
                b = r;
            } else {
                b = new QCheckBox(Q(c.text), this);
            }
            const int id = c.id;
            connect(b, &QAbstractButton::clicked, this, [this, id, b, radio] {
                if (radio)
                    b->setChecked(true);
                m_dialog.OnControlCommand(id, BN_CLICKED);
                FinishIfEnded();
            });
            w = b;
            break;
        }
        case ControlTemplate::ComboList: {
            auto* cb = new QComboBox(this);
            for (const std::string& item : c.items)
                cb->addItem(Q(item));
            cb->setCurrentIndex(-1);
            const int id = c.id;
            connect(cb, QOverload<int>::of(&QComboBox::activated), this, [this, id](int) {
                m_dialog.OnControlCommand(id, CBN_SELCHANGE);
                FinishIfEnded();
            });
            w = cb;
            break;
        }
        case ControlTemplate::GroupBox: w = new QGroupBox(Q(c.text), this); break;
        case ControlTemplate::Icon: {
            auto* l = new QLabel(this);
            l->setPixmap(LoadProgramIcon(static_cast<unsigned>(std::stoul(c.text.empty() ? "0" : c.text))));
            w = l;
            break;
        }
        case ControlTemplate::Custom: w = new CDrawnControl(m_dialog, c.id, this); break;
        }
        if (c.kind == ControlTemplate::ComboList)
            w->setGeometry(du.MapX(c.x), du.MapY(c.y), du.MapX(c.cx), w->sizeHint().height());
        else if (c.kind == ControlTemplate::Icon)
            w->setGeometry(du.MapX(c.x), du.MapY(c.y), 32, 32);
        else
            w->setGeometry(du.MapRect(c.x, c.y, c.cx, c.cy));
        w->setVisible(c.visible);
        if (c.id != IDC_STATIC)
            m_controls[c.id] = w;
        if (c.kind == ControlTemplate::Edit) {
            const int id = c.id;
            connect(static_cast<QLineEdit*>(w), &QLineEdit::textEdited, this,
                    [this, id] { m_dialog.OnControlCommand(id, EN_CHANGE); });
        }
    }
}

void CTemplateDialog::Initialize()
{
    if (m_initialized)
        return;
    m_initialized = true;
    m_dialog.AttachControls(this);
    m_dialog.OnInitDialog();
}

int CTemplateDialog::Run()
{
    Initialize();
    if (!m_dialog.IsEnded())
        exec();
    const int result = m_dialog.IsEnded() ? m_dialog.GetResult() : IDCANCEL;
    m_dialog.AttachControls(nullptr);
    return result;
}

void CTemplateDialog::FinishIfEnded()
{
    if (m_dialog.IsEnded())
        QDialog::done(m_dialog.GetResult());
}

bool CTemplateDialog::PressButton(int id)
{
    Initialize();
    if (id == IDOK)
        m_dialog.OnOK();
    else if (id == IDCANCEL)
        m_dialog.OnCancel();
    else
        m_dialog.OnControlCommand(id, BN_CLICKED);
    FinishIfEnded();
    return m_dialog.IsEnded();
}

bool CTemplateDialog::PressEscape()
{
    Initialize();
    m_dialog.OnEscape();
    FinishIfEnded();
    return m_dialog.IsEnded();
}

void CTemplateDialog::reject()
{
    PressEscape();
}

QWidget* CTemplateDialog::Control(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

std::string CTemplateDialog::GetWindowText(int id) const
{
    QWidget* w = Control(id);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return S(e->text());
    if (auto* l = qobject_cast<QLabel*>(w))
        return S(l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return S(b->text());
    if (auto* c = qobject_cast<QComboBox*>(w))
        return S(c->currentText());
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return S(g->title());
    return std::string();
}

void CTemplateDialog::SetWindowText(int id, const std::string& text)
{
    QWidget* w = Control(id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(Q(text));
        // A text longer than its field shows from its start, not its end.
        e->setCursorPosition(0);
    } else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(Q(text));
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(Q(text));
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(Q(text));
}

int CTemplateDialog::GetCheck(int id) const
{
    auto* b = qobject_cast<QAbstractButton*>(Control(id));
    return b && b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CTemplateDialog::SetCheck(int id, int state)
{
    if (auto* b = qobject_cast<QAbstractButton*>(Control(id)))
        b->setChecked(state == BST_CHECKED);
}

void CTemplateDialog::ResetContent(int id)
{
    if (auto* c = qobject_cast<QComboBox*>(Control(id)))
        c->clear();
}

int CTemplateDialog::AddString(int id, const std::string& text)
{
    auto* c = qobject_cast<QComboBox*>(Control(id));
    if (!c)
        return CB_ERR;
    const bool noSelection = c->currentIndex() < 0;
    c->addItem(Q(text));
    if (noSelection)
        c->setCurrentIndex(-1);  // adding an item selects nothing
    return c->count() - 1;
}

int CTemplateDialog::GetCount(int id) const
{
    auto* c = qobject_cast<QComboBox*>(Control(id));
    return c ? c->count() : CB_ERR;
}

int CTemplateDialog::GetCurSel(int id) const
{
    auto* c = qobject_cast<QComboBox*>(Control(id));
    return c && c->currentIndex() >= 0 ? c->currentIndex() : CB_ERR;
}

void CTemplateDialog::SetCurSel(int id, int index)
{
    if (auto* c = qobject_cast<QComboBox*>(Control(id)))
        c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1);
}

void CTemplateDialog::ShowWindow(int id, bool show)
{
    if (QWidget* w = Control(id))
        w->setVisible(show);
}

bool CTemplateDialog::IsWindowVisible(int id) const
{
    QWidget* w = Control(id);
    return w && !w->isHidden();
}

void CTemplateDialog::EnableWindow(int id, bool enable)
{
    if (QWidget* w = Control(id))
        w->setEnabled(enable);
}

void CTemplateDialog::SetFocus(int id)
{
    QWidget* w = Control(id);
    if (!w)
        return;
    m_lastFocusId = id;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->selectAll();
}

void CTemplateDialog::InvalidateControl(int id)
{
    if (QWidget* w = Control(id))
        w->update();
}

CRect CTemplateDialog::GetClientRect(int id) const
{
    QWidget* w = Control(id);
    return w ? CRect(0, 0, w->width(), w->height()) : CRect();
}

int CQtDialogRunner::RunModal(CDialog& dialog)
{
    auto it = Factories().find(dialog.GetTemplateId());
    if (it != Factories().end())
        return it->second(dialog);
    const DialogTemplate* tmpl = FindDialogTemplate(dialog.GetTemplateId());
    if (!tmpl)
        return IDCANCEL;
    CTemplateDialog dlg(dialog, *tmpl, DialogParent());
    return dlg.Run();
}

void CQtDialogRunner::RegisterDialog(unsigned templateId, Factory factory)
{
    Factories()[templateId] = std::move(factory);
}
