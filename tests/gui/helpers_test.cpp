// The backend's small rules: recent-file names, file filters, dialog units,
// picture conversion and which events start a new idle period.

#include "platform/framework/wnd.h"
#include "platform/qt/dialogs/dialog_units.h"
#include "platform/qt/dialogs/file_dialog.h"
#include "platform/qt/host/idle_pump.h"
#include "platform/qt/host/image_convert.h"
#include "platform/qt/host/posted_message.h"
#include "platform/qt/shell/recent_file_names.h"
#include "qt_print.h"

#include <gtest/gtest.h>

TEST(RecentFileNames, ShortPathsStayLongOnesLoseLeadingFolders) {
    EXPECT_EQ(AbbreviatePath("/home/me/a.qrl", 30), "/home/me/a.qrl");
    EXPECT_EQ(AbbreviatePath("/home/someone/sets/spirals/deep/seahorse.qrl", 30),
              "/.../spirals/deep/seahorse.qrl");
    const QString shortened = AbbreviatePath("/a/very/long/folder/name/inside/x.qrl", 30);
    EXPECT_LE(shortened.size(), 30);
    EXPECT_TRUE(shortened.startsWith("/.../"));
    EXPECT_TRUE(shortened.endsWith("/x.qrl"));
    // A name that does not fit even alone is shown whole.
    const QString name = "a-set-file-with-a-really-long-name.qrl";
    EXPECT_EQ(AbbreviatePath("/tmp/" + name, 30), name);

    EXPECT_EQ(RecentFileMenuText(0, "/tmp/a.qrl"), "&1 /tmp/a.qrl");
    EXPECT_EQ(RecentFileMenuText(2, "/tmp/R&D.qrl"), "&3 /tmp/R&&D.qrl");
}

TEST(FileFilters, PairsBecomeNamedFilters) {
    EXPECT_EQ(FilterNames("Quirl3 Files (*.qrl)|*.qrl|All Files (*.*)|*.*|"),
              QStringList({"Quirl3 Files (*.qrl)", "All Files (*.*)"}));
    EXPECT_EQ(FilterNames("Sets|*.qrl"), QStringList({"Sets (*.qrl)"}));
    EXPECT_TRUE(FilterNames("").isEmpty());
}

TEST(DialogUnitsTest, QuarterWidthsAndEighthHeightsRounded) {
    DialogTemplate t;
    const DialogUnits units(t);
    const int w = units.BaseWidth();
    const int h = units.BaseHeight();
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    EXPECT_EQ(units.X(4), w);
    EXPECT_EQ(units.Y(8), h);
    EXPECT_EQ(units.X(224), (224 * w + 2) / 4);
    EXPECT_EQ(units.Y(127), (127 * h + 4) / 8);
    EXPECT_EQ(units.Rect(4, 8, 40, 16), QRect(w, h, 10 * w, 2 * h));
    EXPECT_EQ(units.Font().pointSize(), 8);
}

namespace {

// A window whose palette maps entry i to grey level i.
class GreyWindow : public CWnd {
public:
    COLORREF ResolveColor(COLORREF value) const override {
        if (!IsPaletteIndexColor(value))
            return value;
        ++resolved;
        const BYTE level = BYTE(PaletteIndexOf(value));
        return RGB(level, level, level);
    }
    mutable int resolved = 0;
};

} // namespace

TEST(PictureConversion, PaletteEntriesResolveThroughTheWindow) {
    Surface s(3, 2, kWhite);
    s.Set(0, 0, PaletteIndexColor(10));
    s.Set(1, 0, RGB(255, 0, 0));
    s.Set(2, 0, PaletteIndexColor(10));
    s.Set(0, 1, PaletteIndexColor(300));
    GreyWindow window;
    const QImage image = SurfaceToImage(s, &window);
    EXPECT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(10, 10, 10));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 0), qRgb(10, 10, 10));
    EXPECT_EQ(image.pixel(0, 1), qRgb(44, 44, 44)); // entry 300 as the window says
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(window.resolved, 2); // entry 10 once, entry 300 once

    // Without a window palette entries are black.
    EXPECT_EQ(SurfaceToImage(s, nullptr).pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_TRUE(SurfaceToImage(Surface(0, 5), nullptr).isNull());
}

TEST(PictureConversion, BitmapsKeepTheirSeeThroughPixels) {
    BitmapResource b;
    b.width = 4;
    b.height = 1;
    b.pixels = {RGB(1, 2, 3), kTransparentPixel, RGB(0, 0, 255), RGB(0, 0, 0)};
    const QImage image = BitmapToImage(b);
    EXPECT_EQ(image.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 255));
    const QImage second = StripImage(b, 1, 2, 1);
    EXPECT_EQ(second.size(), QSize(2, 1));
    EXPECT_EQ(second.pixel(0, 0), qRgb(0, 0, 255));
}

TEST(IdleEvents, InputAndPostedMessagesCountPaintsAndTimersDoNot) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::KeyPress, QEvent::Resize,
                              QEvent::WindowActivate, QEvent::Shortcut})
        EXPECT_TRUE(IdlePump::RestartsIdle(type)) << type;
    EXPECT_TRUE(IdlePump::RestartsIdle(PostedMessageEvent::Type()));
    for (QEvent::Type type : {QEvent::Paint, QEvent::UpdateRequest, QEvent::Timer, QEvent::MetaCall,
                              QEvent::LayoutRequest})
        EXPECT_FALSE(IdlePump::RestartsIdle(type)) << type;
}
