#include "resources/Menus.h"

#include "resources/CommandIds.h"

#include <map>

namespace {

MenuItemDef Cmd(unsigned id, const char* text, const char* shortcut = "")
{
    MenuItemDef d;
    d.kind = MenuItemDef::Command;
    d.id = id;
    d.text = text;
    d.shortcut = shortcut;
    return d;
}

MenuItemDef Sep()
{
    MenuItemDef d;
    d.kind = MenuItemDef::Separator;
    return d;
}

MenuItemDef Recent()
{
    MenuItemDef d;
    d.kind = MenuItemDef::RecentFiles;
    d.id = ID_FILE_MRU_FILE1;
    d.text = "Recent File";
    return d;
}

MenuItemDef Pop(const char* text, std::vector<MenuItemDef> items)
{
    MenuItemDef d;
    d.kind = MenuItemDef::Popup;
    d.text = text;
    d.items = std::move(items);
    return d;
}

std::map<unsigned, std::vector<MenuItemDef>> BuildMenus()
{
    std::map<unsigned, std::vector<MenuItemDef>> m;

    m[IDR_MAINFRAME] = {
        Pop("&File", {Cmd(ID_FILE_NEW, "&New Project", "Ctrl+N"), Cmd(ID_FILE_OPEN, "&Open Project...", "Ctrl+O"),
                      Sep(), Cmd(ID_FILE_PRINT_SETUP, "P&rint Setup..."), Sep(), Recent(), Sep(),
                      Cmd(ID_APP_EXIT, "E&xit")}),
        Pop("&View", {Cmd(ID_VIEW_TOOLBAR, "&Tool Bar"), Cmd(ID_VIEW_STATUS_BAR, "&Status Bar")}),
        Pop("&Help", {Cmd(ID_APP_ABOUT, "&About Kadrel...")}),
    };

    m[IDR_KDRTYPE] = {
        Pop("&File", {Cmd(ID_FILE_NEW, "&New Project", "Ctrl+N"), Cmd(ID_FILE_OPEN, "&Open Project...", "Ctrl+O"),
                      Cmd(ID_FILE_CLOSE, "&Close Project"), Cmd(ID_FILE_SAVE, "&Save Project", "Ctrl+S"),
                      Cmd(ID_FILE_SAVE_AS, "Save Project &As..."), Sep(), Cmd(ID_FILE_PRINT, "&Print...", "Ctrl+P"),
                      Cmd(ID_FILE_PRINT_PREVIEW, "Print Pre&view"), Cmd(ID_FILE_PRINT_SETUP, "P&rint Setup..."),
                      Sep(), Cmd(ID_FILE_SEND_MAIL, "Sen&d..."), Sep(), Recent(), Sep(), Cmd(ID_APP_EXIT, "E&xit")}),
        Pop("&View",
            {Cmd(ID_VIEW_TOOLBAR, "&Tool Bar"), Cmd(ID_VIEW_STATUS_BAR, "&Status Bar"), Sep(),
             Pop("&Room", {Pop("&Size", {Cmd(ID_VIEW_ROOM_SIZE_FIT, "&Fit"), Cmd(ID_VIEW_ROOM_SIZE_ZOOMIN, "Zoom &In"),
                                         Cmd(ID_VIEW_ROOM_SIZE_ZOOMOUT, "Zoom &Out")}),
                           Pop("&Direction", {Cmd(ID_VIEW_ROOM_DIRECTION_XAXISMINUS, "&X Axis Minus"),
                                              Cmd(ID_VIEW_ROOM_DIRECTION_YAXISPLUS, "&Y Axis Plus"),
                                              Cmd(ID_VIEW_ROOM_DIRECTION_ZAXISMINUS, "&Z Axis Minus"),
                                              Cmd(ID_VIEW_ROOM_DIRECTION_DIAGONAL, "&Diagonal")})})}),
        Pop("&Room", {Cmd(ID_ROOM_PARAMETERS, "&Room Parameters...")}),
        Pop("&Speaker", {Cmd(ID_SPEAKER_IMPORT, "&Import..."), Cmd(ID_SPEAKER_MODULE_ARRANGEMENT, "&Module Arrangement..."),
                         Cmd(ID_SPEAKER_DELETE, "&Delete...")}),
        Pop("&Installation", {Cmd(ID_INSTALLATION_AUTO, "&Auto..."), Cmd(ID_INSTALLATION_MANUALLY, "&Manually..."),
                              Cmd(ID_INSTALLATION_PROPERTIES, "&Properties..."), Cmd(ID_INSTALLATION_REMOVE, "&Remove..."),
                              Cmd(ID_INSTALLATION_REMOVE_ALL, "Remove &All...")}),
        Pop("&Tool", {Cmd(ID_TOOL_RECALCULATE, "&Recalculate"), Cmd(ID_TOOL_PREFERENCE, "&Preference...")}),
        Pop("&Window", {Cmd(ID_WINDOW_NEW, "&New Window..."), Cmd(ID_WINDOW_CASCADE, "&Cascade"),
                        Cmd(ID_WINDOW_TILE_HORZ, "&Tile"), Cmd(ID_WINDOW_ARRANGE, "&Arrange Icons")}),
        Pop("&Help", {Cmd(ID_APP_ABOUT, "&About Kadrel...")}),
    };

    m[IDR_MENU_INSTALLATION] = {
        Pop("Installation", {Cmd(ID_INSTALLATION_REMOVE, "Remove..."), Sep(),
                             Cmd(ID_INSTALLATION_PROPERTIES, "Properties...")}),
    };
    m[IDR_MENU_ROOM] = {
        Pop("Room", {Cmd(ID_ROOM_PARAMETERS, "Room Parameters...")}),
    };
    m[IDR_MENU_SPEAKER] = {
        Pop("Speaker", {Cmd(ID_SPEAKER_IMPORT, "&Import..."), Sep(),
                        Cmd(ID_SPEAKER_MODULE_ARRANGEMENT, "&Module Arrangement..."), Sep(),
                        Cmd(ID_SPEAKER_DELETE, "Delete...")}),
    };
    m[IDR_MENU_SPEAKER_DEVELOPER] = {
        Pop("Speaker", {Cmd(ID_SPEAKER_DELETE, "Delete..."), Sep(),
                        Cmd(ID_SPEAKER_MODULE_ARRANGEMENT, "&Module Arrangement..."), Sep(),
                        Cmd(ID_SPEAKER_IMPORT, "&Import..."), Sep(), Cmd(ID_SPEAKER_EXPORT_ZX1, "Export zx1...")}),
    };
    return m;
}

}  // namespace

const std::vector<MenuItemDef>* FindMenu(unsigned id)
{
    static const std::map<unsigned, std::vector<MenuItemDef>> menus = BuildMenus();
    auto it = menus.find(id);
    return it == menus.end() ? nullptr : &it->second;
}

std::string StripMnemonic(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}
