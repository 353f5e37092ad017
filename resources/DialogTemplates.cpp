#include "resources/DialogTemplates.h"

#include "platform/MessageBox.h"
#include "resources/CommandIds.h"

#include <map>

namespace {

std::map<unsigned, DialogTemplate> BuildTemplates()
{
    using K = ControlTemplate;
    std::map<unsigned, DialogTemplate> m;

    DialogTemplate about;
    about.id = IDD_ABOUTBOX;
    about.caption = "About Kadrel";
    about.cx = 235;
    about.cy = 55;
    about.controls = {
        MakeControl(K::Icon, IDC_STATIC, "128", 11, 17, 20, 20),
        MakeControl(K::Static, 1101, "ZAV Kadrel Version ", 40, 10, 130, 8),
        MakeControl(K::Static, 1102, "Copyright (C) ZAV Corporation", 40, 25, 130, 8),
        MakeControl(K::DefPushButton, IDOK, "OK", 178, 7, 50, 14),
    };
    m[about.id] = about;

    DialogTemplate pref;
    pref.id = IDD_PREFERENCE;
    pref.caption = "Preferences";
    pref.cx = 186;
    pref.cy = 55;
    pref.controls = {
        MakeControl(K::CheckBox, 1007, "", 14, 14, 105, 10),
        MakeControl(K::CheckBox, 1018, "", 14, 31, 105, 10),
        MakeControl(K::DefPushButton, IDOK, "OK", 129, 7, 50, 14),
        MakeControl(K::PushButton, IDCANCEL, "Cancel", 129, 24, 50, 14),
    };
    m[pref.id] = pref;

    DialogTemplate init;
    init.id = IDD_INITIAL_SETTINGS;
    init.caption = "Initial Settings";
    init.cx = 180;
    init.cy = 48;
    init.systemMenu = false;
    ControlTemplate combo = MakeControl(K::ComboList, 1046, "", 52, 14, 62, 40);
    combo.items = {"Metric", "Imperial"};
    init.controls = {
        MakeControl(K::Static, 1042, "", 10, 16, 40, 8),
        combo,
        MakeControl(K::DefPushButton, IDOK, "OK", 123, 7, 50, 14),
        MakeControl(K::PushButton, IDCANCEL, "Cancel", 123, 24, 50, 14),
    };
    m[init.id] = init;

    DialogTemplate zx1;
    zx1.id = IDD_ZX1_EXPORT;
    zx1.caption = "Export zx1";
    zx1.cx = 222;
    zx1.cy = 48;
    zx1.controls = {
        MakeControl(K::Static, IDC_STATIC, "tyz? (0 to 360)", 7, 10, 62, 8),
        MakeControl(K::Edit, 1019, "", 72, 8, 50, 12),
        MakeControl(K::Static, IDC_STATIC, "degrees", 126, 10, 28, 8),
        MakeControl(K::Static, IDC_STATIC, "Mic Distance?", 7, 28, 62, 8),
        MakeControl(K::Edit, 1020, "", 72, 26, 50, 12),
        MakeControl(K::Static, IDC_STATIC, "m", 126, 28, 28, 8),
        MakeControl(K::DefPushButton, IDOK, "OK", 165, 7, 50, 14),
        MakeControl(K::PushButton, IDCANCEL, "Cancel", 165, 24, 50, 14),
    };
    m[zx1.id] = zx1;

    DialogTemplate msg;
    msg.id = IDD_MESSAGE;
    msg.caption = "Message from Kadrel";
    msg.cx = 232;
    msg.cy = 44;
    msg.controls = {
        MakeControl(K::Static, 1035, "", 7, 9, 161, 26),
        MakeControl(K::DefPushButton, IDOK, "OK", 175, 7, 50, 14),
        MakeControl(K::PushButton, IDCANCEL, "Cancel", 175, 24, 50, 14),
    };
    m[msg.id] = msg;

    return m;
}

std::map<unsigned, DialogTemplate>& Templates()
{
    static std::map<unsigned, DialogTemplate> templates = BuildTemplates();
    return templates;
}

}  // namespace

const DialogTemplate* FindDialogTemplate(unsigned id)
{
    auto& t = Templates();
    auto it = t.find(id);
    return it == t.end() ? nullptr : &it->second;
}

void RegisterDialogTemplate(const DialogTemplate& tmpl)
{
    Templates()[tmpl.id] = tmpl;
}

std::vector<const DialogTemplate*> AllDialogTemplates()
{
    std::vector<const DialogTemplate*> all;
    for (const auto& [id, tmpl] : Templates())
        all.push_back(&tmpl);
    return all;
}
