#pragma once
// Resource tables: menus, accelerators, toolbars, strings, bitmaps, icons and
// dialog templates. The system defines its own and hands them to the framework
// once at start (AfxSetResources); backends build their windows from them.

#include "platform/framework/types.h"

#include <map>
#include <vector>

struct MenuItem {
    enum Kind { Command, Separator, Popup };
    Kind kind = Command;
    UINT id = 0;
    CString text;                // with '&' mnemonics and "\t" before the key text
    std::vector<MenuItem> items; // a popup's items
    bool initiallyDisabled = false;
    bool initiallyChecked = false;
};

struct MenuResource {
    std::vector<MenuItem> popups;
};

// Virtual-key codes used by the accelerator table.
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_DELETE = 0x2E;
constexpr UINT VK_F6 = 0x75;
constexpr UINT FSHIFT = 0x04;
constexpr UINT FCONTROL = 0x08;
constexpr UINT FALT = 0x10;

struct AccelEntry {
    UINT modifiers = 0; // FSHIFT | FCONTROL | FALT
    UINT key = 0;       // a virtual-key code, or an upper-case letter
    UINT command = 0;
};

struct ToolbarResource {
    int buttonWidth = 16;
    int buttonHeight = 15;
    std::vector<UINT> buttons; // ID_SEPARATOR marks a separator
};

// A small picture: rows of characters, each naming a colour of the legend.
struct BitmapResource {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels; // 0x00BBGGRR; kTransparentPixel is see-through
};
constexpr COLORREF kTransparentPixel = 0xFF000000u;

enum class ControlKind { DefPushButton, PushButton, Edit, Static, GroupBox, Icon };

constexpr UINT CS_TABSTOP = 0x01;
constexpr UINT CS_GROUP = 0x02;
constexpr UINT CS_BORDER = 0x04;
constexpr UINT CS_AUTOHSCROLL = 0x08;
constexpr UINT CS_NOPREFIX = 0x10;

constexpr int IDC_STATIC = -1;

struct DialogControl {
    ControlKind kind = ControlKind::Static;
    int id = IDC_STATIC;
    CString text;                     // for an icon control: the icon resource id in decimal
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    UINT flags = 0;
};

struct DialogTemplate {
    UINT id = 0;
    CString title;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    CString fontName = "MS Sans Serif";
    int fontPointSize = 8;
    bool systemMenu = false;             // a close box in the title bar
    bool centerOnOwner = false;          // otherwise placed from the owner's client top-left
    std::vector<DialogControl> controls; // template order is tab order
};

struct ResourceTable {
    std::map<UINT, MenuResource> menus;
    std::map<UINT, std::vector<AccelEntry>> accelerators;
    std::map<UINT, ToolbarResource> toolbars;
    std::map<UINT, BitmapResource> bitmaps; // toolbar strips, keyed by toolbar id
    std::map<UINT, BitmapResource> icons;
    std::map<UINT, CString> strings;
    std::map<UINT, DialogTemplate> dialogs;
};

void AfxSetResources(const ResourceTable* table);
const ResourceTable& AfxGetResources();
// The string resource, or "" when there is none.
CString AfxLoadString(UINT id);
