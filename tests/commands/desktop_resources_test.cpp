// The desktop's resources: both menus with their ids and initial states, the
// accelerator table, the toolbar and its pictures, the icons.

#include "commands/pixel_art.h"
#include "commands/resource_ids.h"
#include "commands/resources.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// "text=id" per item, "-" for separators, "[popup]" before a popup's items.
void Flatten(const std::vector<MenuItem>& items, std::vector<std::string>& out) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Separator) {
            out.push_back("-");
        } else if (item.kind == MenuItem::Popup) {
            out.push_back("[" + item.text + "]");
            Flatten(item.items, out);
        } else {
            std::string entry = item.text + "=" + std::to_string(item.id);
            if (item.initiallyDisabled)
                entry += " disabled";
            if (item.initiallyChecked)
                entry += " checked";
            out.push_back(entry);
        }
    }
}

std::vector<std::string> Flat(UINT id) {
    std::vector<std::string> out;
    Flatten(Quirl32Resources().menus.at(id).popups, out);
    return out;
}

} // namespace

TEST(DesktopResources, MainMenu) {
    EXPECT_EQ(
        Flat(IDR_MAINFRAME),
        (std::vector<std::string>{"[&File]", "&New\tCtrl+N=57600", "&Open...\tCtrl+O=57601", "-",
                                  "P&rint Setup...=57606", "-", "Recent File=57616 disabled", "-",
                                  "E&xit=57665", "[&View]", "&Toolbar=59392", "&Status Bar=59393",
                                  "[&Help]", "&About Quirl32...=57664"}));
}

TEST(DesktopResources, SetMenuWithHelpAtTheRight) {
    EXPECT_EQ(Flat(IDR_QUIRL3TYPE), (std::vector<std::string>{"[&File]",
                                                              "&New\tCtrl+N=57600",
                                                              "&Open...\tCtrl+O=57601",
                                                              "&Close=57602",
                                                              "&Save\tCtrl+S=57603",
                                                              "Save &As...=57604",
                                                              "-",
                                                              "&Print...\tCtrl+P=57607",
                                                              "Print Pre&view=57609",
                                                              "P&rint Setup...=57606",
                                                              "-",
                                                              "Recent File=57616 disabled",
                                                              "-",
                                                              "E&xit=57665",
                                                              "[&Edit]",
                                                              "&Undo\tCtrl+Z=57643 disabled",
                                                              "-",
                                                              "Cu&t\tCtrl+X=57635 disabled",
                                                              "&Copy\tCtrl+C=57634",
                                                              "&Paste\tCtrl+V=57637 disabled",
                                                              "[&Set]",
                                                              "Unzoom=32778",
                                                              "-",
                                                              "&Compute!=32771",
                                                              "Stop!=32772",
                                                              "-",
                                                              "&Specify...=32775",
                                                              "&Info...=32792",
                                                              "[&Options]",
                                                              "[Iterations]",
                                                              "50=32779 checked",
                                                              "100=32780",
                                                              "120=32781",
                                                              "150=32782",
                                                              "200=32783",
                                                              "255=32784",
                                                              "other...=32785",
                                                              "[Method]",
                                                              "Recursion=32786 checked",
                                                              "Line-scan=32787",
                                                              "Random=32788",
                                                              "[Colors]",
                                                              "Standard=32789 checked",
                                                              "Grayscale=32790",
                                                              "B/W=32791",
                                                              "[&Window]",
                                                              "&Cascade=57650",
                                                              "&Tile=57651",
                                                              "&Arrange Icons=57649",
                                                              "-",
                                                              "[&Help]",
                                                              "&Index=57666",
                                                              "&Using Help=57668",
                                                              "-",
                                                              "&About Quirl...=57664"}));
}

TEST(DesktopResources, AcceleratorTable) {
    std::set<std::tuple<UINT, UINT, UINT>> keys;
    for (const AccelEntry& e : Quirl32Resources().accelerators.at(IDR_MAINFRAME))
        keys.insert({e.modifiers, e.key, e.command});
    EXPECT_EQ(keys, (std::set<std::tuple<UINT, UINT, UINT>>{
                        {FCONTROL, 'N', ID_FILE_NEW},
                        {FCONTROL, 'O', ID_FILE_OPEN},
                        {FCONTROL, 'S', ID_FILE_SAVE},
                        {FCONTROL, 'P', ID_FILE_PRINT},
                        {FCONTROL, 'Z', ID_EDIT_UNDO},
                        {FALT, VK_BACK, ID_EDIT_UNDO},
                        {FCONTROL, 'X', ID_EDIT_CUT},
                        {FSHIFT, VK_DELETE, ID_EDIT_CUT},
                        {FCONTROL, 'C', ID_EDIT_COPY},
                        {FCONTROL, VK_INSERT, ID_EDIT_COPY},
                        {FCONTROL, 'V', ID_EDIT_PASTE},
                        {FSHIFT, VK_INSERT, ID_EDIT_PASTE},
                        {0, VK_F6, ID_NEXT_PANE},
                        {FSHIFT, VK_F6, ID_PREV_PANE},
                    }));
    EXPECT_EQ(Quirl32Resources().accelerators.count(IDR_QUIRL3TYPE), 0u);
}

TEST(DesktopResources, ToolbarHasTwelveDistinctPictures) {
    const ResourceTable& r = Quirl32Resources();
    const ToolbarResource& bar = r.toolbars.at(IDR_MAINFRAME);
    EXPECT_EQ(bar.buttonWidth, 16);
    EXPECT_EQ(bar.buttonHeight, 15);
    int buttons = 0;
    int separators = 0;
    for (UINT id : bar.buttons)
        (id == ID_SEPARATOR ? separators : buttons)++;
    EXPECT_EQ(buttons, 12);
    EXPECT_EQ(separators, 4);

    const BitmapResource& strip = r.bitmaps.at(IDR_MAINFRAME);
    ASSERT_EQ(strip.width, 12 * 16);
    ASSERT_EQ(strip.height, 15);
    ASSERT_EQ(strip.pixels.size(), std::size_t(strip.width * strip.height));
    std::set<std::vector<COLORREF>> pictures;
    for (int i = 0; i < 12; ++i) {
        std::vector<COLORREF> picture;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                picture.push_back(strip.pixels[std::size_t(y * strip.width + i * 16 + x)]);
        int drawn = 0;
        for (COLORREF c : picture)
            drawn += c != kTransparentPixel;
        EXPECT_GT(drawn, 20) << "button " << i;
        pictures.insert(picture);
    }
    EXPECT_EQ(pictures.size(), 12u);
}

TEST(DesktopResources, IconsAndIndicatorNames) {
    const ResourceTable& r = Quirl32Resources();
    for (UINT id : {IDR_MAINFRAME, IDR_QUIRL3TYPE, IDI_ABOUT_ALTERNATE}) {
        const BitmapResource& icon = r.icons.at(id);
        EXPECT_EQ(icon.width, 32);
        EXPECT_EQ(icon.height, 32);
        EXPECT_EQ(icon.pixels.size(), 32u * 32u);
    }
    EXPECT_NE(r.icons.at(IDR_MAINFRAME).pixels, r.icons.at(IDI_ABOUT_ALTERNATE).pixels);
    EXPECT_EQ(r.strings.at(ID_INDICATOR_CAPS), "CAP");
    EXPECT_EQ(r.strings.at(ID_INDICATOR_NUM), "NUM");
    EXPECT_EQ(r.strings.at(ID_INDICATOR_SCRL), "SCRL");
    EXPECT_EQ(r.strings.at(AFX_IDS_IDLEMESSAGE), "Ready");
    EXPECT_EQ(r.dialogs.count(IDD_ABOUTBOX), 1u);
}

TEST(PixelArt, RowsBecomePixelsOfTheLegend) {
    const BitmapResource b = BitmapFromRows({"k.w", "rk"}, PixelArtLegend());
    EXPECT_EQ(b.width, 3);
    EXPECT_EQ(b.height, 2);
    EXPECT_EQ(b.pixels, (std::vector<COLORREF>{RGB(0, 0, 0), kTransparentPixel, RGB(255, 255, 255),
                                               RGB(255, 0, 0), RGB(0, 0, 0), kTransparentPixel}));
    const BitmapResource strip = JoinStrip({b, b});
    EXPECT_EQ(strip.width, 6);
    EXPECT_EQ(strip.pixels[3], RGB(0, 0, 0));
    EXPECT_EQ(strip.pixels[6 + 4], RGB(0, 0, 0));
}
