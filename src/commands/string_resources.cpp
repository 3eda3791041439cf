// The string table: names, the document strings and the status-bar prompts
// (a prompt's second line, after "\n", is the button's tool tip).

#include "commands/resource_ids.h"
#include "commands/resources.h"

void AddStringResources(ResourceTable& table) {
    auto& s = table.strings;
    s[IDR_MAINFRAME] = "Quirl32";
    s[IDR_QUIRL3TYPE] =
        "\nQuirl3\nQuirl3\nQuirl3 Files (*.qrl)\n.qrl\nQuirl32.Document\nQuirl3 Document";
    s[AFX_IDS_APP_TITLE] = "Quirl32";
    s[AFX_IDS_IDLEMESSAGE] = "Ready";

    s[ID_SET_COMPUTE] = "Start computation of the current set with selected algorithm";
    s[ID_SET_STOP] = "Stop current computation";
    s[ID_SET_SPECIFY] = "Specify extents of the set by coordinates";
    s[ID_SET_UNZOOM] = "Zooms out of a view (50%)";
    s[ID_ITER_OTHER] = "Specify maximum itarations done for one pixel";
    s[ID_METHOD_RECURSION] = "Compute set recursively";
    s[ID_METHOD_LINESCAN] = "Compute set pixel by pixel";
    s[ID_METHOD_RANDOM] = "Compute random pixels";
    s[ID_COLORS_STANDARD] = "Use faded Palette";
    s[ID_COLORS_GRAYSCALE] = "Use gray palette";
    s[ID_COLORS_BW] = "Use monochrome palette";
    s[ID_SET_INFO] = "Display information about the current set";

    s[ID_FILE_NEW] = "Create a new document\nNew";
    s[ID_FILE_OPEN] = "Open an existing document\nOpen";
    s[ID_FILE_CLOSE] = "Close the active document\nClose";
    s[ID_FILE_SAVE] = "Save the active document\nSave";
    s[ID_FILE_SAVE_AS] = "Save the active document with a new name\nSave As";
    s[ID_FILE_PRINT] = "Print the active document\nPrint";
    s[ID_FILE_PRINT_PREVIEW] = "Display full pages\nPrint Preview";
    s[ID_FILE_PRINT_SETUP] = "Change the printer and printing options\nPrint Setup";
    s[ID_FILE_MRU_FILE1] = "Open this document";
    s[ID_FILE_MRU_FILE2] = "Open this document";
    s[ID_FILE_MRU_FILE3] = "Open this document";
    s[ID_APP_EXIT] = "Quit the application; prompts to save documents\nExit";
    s[ID_EDIT_UNDO] = "Undo the last action\nUndo";
    s[ID_EDIT_CUT] = "Cut the selection and put it on the Clipboard\nCut";
    s[ID_EDIT_COPY] = "Copy the selection and put it on the Clipboard\nCopy";
    s[ID_EDIT_PASTE] = "Insert Clipboard contents\nPaste";
    s[ID_VIEW_TOOLBAR] = "Show or hide the toolbar\nToggle ToolBar";
    s[ID_VIEW_STATUS_BAR] = "Show or hide the status bar\nToggle StatusBar";
    s[ID_WINDOW_CASCADE] = "Arrange windows so they overlap\nCascade Windows";
    s[ID_WINDOW_TILE_HORZ] = "Arrange windows as non-overlapping tiles\nTile Windows";
    s[ID_WINDOW_ARRANGE] = "Arrange icons at the bottom of the window\nArrange Icons";
    s[ID_HELP_INDEX] = "Index of help contents";
    s[ID_HELP_USING] = "About the Windows Help System";
    s[ID_APP_ABOUT] = "Display program information, version number and copyright\nAbout";
    s[ID_NEXT_PANE] = "Switch to the next window pane\nNext Pane";
    s[ID_PREV_PANE] = "Switch back to the previous window pane\nPrevious Pane";
}
