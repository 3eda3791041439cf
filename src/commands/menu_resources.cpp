// The two menus: the main window's while no set window is open, and the set
// windows'. A separator in the bar puts the menus after it at the right end.

#include "commands/resource_ids.h"
#include "commands/resources.h"

namespace {

MenuItem Item(UINT id, const char* text) {
    MenuItem item;
    item.id = id;
    item.text = text;
    return item;
}

MenuItem Disabled(UINT id, const char* text) {
    MenuItem item = Item(id, text);
    item.initiallyDisabled = true;
    return item;
}

MenuItem Checked(UINT id, const char* text) {
    MenuItem item = Item(id, text);
    item.initiallyChecked = true;
    return item;
}

MenuItem Separator() {
    MenuItem item;
    item.kind = MenuItem::Separator;
    return item;
}

MenuItem Popup(const char* text, std::vector<MenuItem> items) {
    MenuItem item;
    item.kind = MenuItem::Popup;
    item.text = text;
    item.items = std::move(items);
    return item;
}

MenuResource MainMenu() {
    MenuResource m;
    m.popups = {
        Popup("&File", {Item(ID_FILE_NEW, "&New\tCtrl+N"), Item(ID_FILE_OPEN, "&Open...\tCtrl+O"),
                        Separator(), Item(ID_FILE_PRINT_SETUP, "P&rint Setup..."), Separator(),
                        Disabled(ID_FILE_MRU_FILE1, "Recent File"), Separator(),
                        Item(ID_APP_EXIT, "E&xit")}),
        Popup("&View",
              {Item(ID_VIEW_TOOLBAR, "&Toolbar"), Item(ID_VIEW_STATUS_BAR, "&Status Bar")}),
        Popup("&Help", {Item(ID_APP_ABOUT, "&About Quirl32...")}),
    };
    return m;
}

MenuResource SetMenu() {
    MenuResource m;
    m.popups = {
        Popup("&File", {Item(ID_FILE_NEW, "&New\tCtrl+N"), Item(ID_FILE_OPEN, "&Open...\tCtrl+O"),
                        Item(ID_FILE_CLOSE, "&Close"), Item(ID_FILE_SAVE, "&Save\tCtrl+S"),
                        Item(ID_FILE_SAVE_AS, "Save &As..."), Separator(),
                        Item(ID_FILE_PRINT, "&Print...\tCtrl+P"),
                        Item(ID_FILE_PRINT_PREVIEW, "Print Pre&view"),
                        Item(ID_FILE_PRINT_SETUP, "P&rint Setup..."), Separator(),
                        Disabled(ID_FILE_MRU_FILE1, "Recent File"), Separator(),
                        Item(ID_APP_EXIT, "E&xit")}),
        Popup("&Edit", {Disabled(ID_EDIT_UNDO, "&Undo\tCtrl+Z"), Separator(),
                        Disabled(ID_EDIT_CUT, "Cu&t\tCtrl+X"), Item(ID_EDIT_COPY, "&Copy\tCtrl+C"),
                        Disabled(ID_EDIT_PASTE, "&Paste\tCtrl+V")}),
        Popup("&Set", {Item(ID_SET_UNZOOM, "Unzoom"), Separator(),
                       Item(ID_SET_COMPUTE, "&Compute!"), Item(ID_SET_STOP, "Stop!"), Separator(),
                       Item(ID_SET_SPECIFY, "&Specify..."), Item(ID_SET_INFO, "&Info...")}),
        Popup("&Options", {Popup("Iterations", {Checked(ID_ITER_50, "50"), Item(ID_ITER_100, "100"),
                                                Item(ID_ITER_120, "120"), Item(ID_ITER_150, "150"),
                                                Item(ID_ITER_200, "200"), Item(ID_ITER_255, "255"),
                                                Item(ID_ITER_OTHER, "other...")}),
                           Popup("Method", {Checked(ID_METHOD_RECURSION, "Recursion"),
                                            Item(ID_METHOD_LINESCAN, "Line-scan"),
                                            Item(ID_METHOD_RANDOM, "Random")}),
                           Popup("Colors", {Checked(ID_COLORS_STANDARD, "Standard"),
                                            Item(ID_COLORS_GRAYSCALE, "Grayscale"),
                                            Item(ID_COLORS_BW, "B/W")})}),
        Popup("&Window", {Item(ID_WINDOW_CASCADE, "&Cascade"), Item(ID_WINDOW_TILE_HORZ, "&Tile"),
                          Item(ID_WINDOW_ARRANGE, "&Arrange Icons")}),
        Separator(),
        Popup("&Help", {Item(ID_HELP_INDEX, "&Index"), Item(ID_HELP_USING, "&Using Help"),
                        Separator(), Item(ID_APP_ABOUT, "&About Quirl...")}),
    };
    return m;
}

} // namespace

void AddMenuResources(ResourceTable& table) {
    table.menus[IDR_MAINFRAME] = MainMenu();
    table.menus[IDR_QUIRL3TYPE] = SetMenu();
}

void AddAcceleratorResources(ResourceTable& table) {
    table.accelerators[IDR_MAINFRAME] = {
        {FCONTROL, 'N', ID_FILE_NEW},   {FCONTROL, 'O', ID_FILE_OPEN},
        {FCONTROL, 'S', ID_FILE_SAVE},  {FCONTROL, 'P', ID_FILE_PRINT},
        {FCONTROL, 'Z', ID_EDIT_UNDO},  {FALT, VK_BACK, ID_EDIT_UNDO},
        {FCONTROL, 'X', ID_EDIT_CUT},   {FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {FCONTROL, 'C', ID_EDIT_COPY},  {FCONTROL, VK_INSERT, ID_EDIT_COPY},
        {FCONTROL, 'V', ID_EDIT_PASTE}, {FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {0, VK_F6, ID_NEXT_PANE},       {FSHIFT, VK_F6, ID_PREV_PANE},
    };
}

void AddIndicatorStrings(ResourceTable& table) {
    table.strings[ID_INDICATOR_CAPS] = "CAP";
    table.strings[ID_INDICATOR_NUM] = "NUM";
    table.strings[ID_INDICATOR_SCRL] = "SCRL";
}
