// The toolbar of the main window and its twelve button pictures, 16 x 15
// pixels each, in the order of the buttons.

#include "commands/pixel_art.h"
#include "commands/resource_ids.h"
#include "commands/resources.h"

namespace {

const std::vector<std::vector<std::string>> kButtons = {
    // New: a blank sheet.
    {"................", "...kkkkkkk......", "...kwwwwwkk.....", "...kwwwwwklk....",
     "...kwwwwwkkkk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...",
     "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...",
     "...kwwwwwwwwk...", "...kkkkkkkkkk...", "................"},
    // Open: a folder.
    {"................", "................", ".kkkkk..........", "kyyyyyk.........",
     "kywywyykkkkkkk..", "kwywywywywywyk..", "kywywykkkkkkkkkk", "kwywykdddddddddk",
     "kywykdddddddddk.", "kwykdddddddddk..", "kykdddddddddk...", "kkdddddddddk....",
     "kkkkkkkkkkk.....", "................", "................"},
    // Save: a disk.
    {"................", ".kkkkkkkkkkkkk..", ".knkwwwwwwwwknk.", ".knkwwwwwwwwknk.",
     ".knkwwwwwwwwknk.", ".knkwwwwwwwwknk.", ".knnkkkkkkkknnk.", ".knnnnnnnnnnnnk.",
     ".knnkkkkkkkknnk.", ".knnklllkkllnnk.", ".knnklllkkllnnk.", ".knnklllkkllnnk.",
     "..kkkkkkkkkkkkk.", "................", "................"},
    // Line-scan: rows filled one after another.
    {"................", ".kkkkkkkkkkkkkk.", ".krrrrrrrrrrrrk.", ".kooooooooooook.",
     ".kyyyyyyyyyyyyk.", ".kGGGGGGGGGGGGk.", ".kcccccccccccck.", ".kbbbbbbbbbbbbk.",
     ".kvvvvvvkwwwwwk.", ".kwwwwwwwwwwwwk.", ".kwwwwwwwwwwwwk.", ".kwwwwwwwwwwwwk.",
     ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................"},
    // Random: scattered pixels.
    {"................", ".kkkkkkkkkkkkkk.", ".kwwrwwwwwbwwwk.", ".kwwwwwGwwwwwwk.",
     ".kbwwwwwwwwrwwk.", ".kwwwywwwwwwwwk.", ".kwwwwwwwcwwwvk.", ".kwrwwwwwwwwwwk.",
     ".kwwwwwbwwwwwwk.", ".kwwwwwwwwwywwk.", ".kwwGwwwwwwwwwk.", ".kwwwwwwrwwwwck.",
     ".kwvwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................"},
    // Recursion: a square split into quarters, one quarter split again.
    {"................", ".kkkkkkkkkkkkkk.", ".kbbbbbbkyykrrk.", ".kbbbbbbkyykrrk.",
     ".kbbbbbbkkkkkkk.", ".kbbbbbbkGGkcck.", ".kbbbbbbkGGkcck.", ".kkkkkkkkkkkkkk.",
     ".kvvvvvvkoooook.", ".kvvvvvvkoooook.", ".kvvvvvvkoooook.", ".kvvvvvvkoooook.",
     ".kvvvvvvkoooook.", ".kkkkkkkkkkkkkk.", "................"},
    // Compute!: go.
    {"................", "................", "....ke..........", "....kGe.........",
     "....kGGe........", "....kGGGe.......", "....kGGGGe......", "....kGGGGGe.....",
     "....kGGGGe......", "....kGGGe.......", "....kGGe........", "....kGe.........",
     "....ke..........", "................", "................"},
    // Stop!: a red stop sign.
    {"................", ".....kkkkkk.....", "....krrrrrrk....", "...krrrrrrrrk...",
     "..krrrrrrrrrrk..", "..krwwwwwwwwrk..", "..krwwwwwwwwrk..", "..krwwwwwwwwrk..",
     "..krrrrrrrrrrk..", "..krrrrrrrrrrk..", "...krrrrrrrrk...", "....krrrrrrk....",
     ".....kkkkkk.....", "................", "................"},
    // Standard colours: the faded ramp.
    {"................", ".kkkkkkkkkkkkkk.", ".kkkkkkkkkkkkkk.", ".kddddddddddddk.",
     ".kyyyyyyyyyyyyk.", ".kooooooooooook.", ".krrrrrrrrrrrrk.", ".kvvvvvvvvvvvvk.",
     ".kcccccccccccck.", ".kbbbbbbbbbbbbk.", ".knnnnnnnnnnnnk.", ".kllllllllllllk.",
     ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................"},
    // B/W: black and white.
    {"................", ".kkkkkkkkkkkkkk.", ".kkkkkkwwwwwwwk.", ".kkkkkkwwwwwwwk.",
     ".kkkkkkwwwwwwwk.", ".kkkkkkwwwwwwwk.", ".kkkkkkwwwwwwwk.", ".kwwwwwwkkkkkkk.",
     ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.",
     ".kwwwwwwkkkkkkk.", ".kkkkkkkkkkkkkk.", "................"},
    // Grayscale: shades of grey.
    {"................", ".kkkkkkkkkkkkkk.", ".kDDDDDDDDDDDDk.", ".kDDDDDDDDDDDDk.",
     ".kggggggggggggk.", ".kggggggggggggk.", ".kggggggggggggk.", ".kllllllllllllk.",
     ".kllllllllllllk.", ".kllllllllllllk.", ".kwwwwwwwwwwwwk.", ".kwwwwwwwwwwwwk.",
     ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................"},
    // Info: an "i" in a speech bubble.
    {"................", "...kkkkkkkkkk...", "..kwwwwwwwwwwk..", ".kwwwwwbbwwwwwk.",
     ".kwwwwwbbwwwwwk.", ".kwwwwwwwwwwwwk.", ".kwwwwbbbwwwwwk.", ".kwwwwwbbwwwwwk.",
     ".kwwwwwbbwwwwwk.", ".kwwwwwbbwwwwwk.", "..kwwwbbbbwwwk..", "...kkwwkkkkkk...",
     ".....kwk........", "......kk........", "................"},
};

} // namespace

void AddToolbarResources(ResourceTable& table) {
    ToolbarResource bar;
    bar.buttonWidth = 16;
    bar.buttonHeight = 15;
    bar.buttons = {ID_FILE_NEW,        ID_FILE_OPEN,        ID_FILE_SAVE,        ID_SEPARATOR,
                   ID_METHOD_LINESCAN, ID_METHOD_RANDOM,    ID_METHOD_RECURSION, ID_SEPARATOR,
                   ID_SET_COMPUTE,     ID_SET_STOP,         ID_SEPARATOR,        ID_COLORS_STANDARD,
                   ID_COLORS_BW,       ID_COLORS_GRAYSCALE, ID_SEPARATOR,        ID_SET_INFO};
    table.toolbars[IDR_MAINFRAME] = bar;

    std::vector<BitmapResource> images;
    for (const auto& rows : kButtons)
        images.push_back(BitmapFromRows(rows, PixelArtLegend()));
    table.bitmaps[IDR_MAINFRAME] = JoinStrip(images);
}
