// Printing, the clipboard and the rubber-band tracker on the headless backend.

#include "fixture.h"

#include "platform/files/oledata.h"
#include "platform/framework/tracker.h"

#include <gtest/gtest.h>

namespace {

class Services : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.InitInstance());
        app.OnFileNew();
        view = static_cast<TestView*>(static_cast<CMDIFrameWnd*>(app.m_pMainWnd)->GetActiveView());
        view->OnCommand(ID_FILE_PRINT, [this] { view->OnFilePrint(); });
        view->OnCommand(ID_FILE_PRINT_DIRECT, [this] { view->OnFilePrintDirect(); });
        view->OnCommand(ID_FILE_PRINT_PREVIEW, [this] { view->OnFilePrintPreview(); });
    }
    HeadlessHost host;
    TestApp app;
    TestView* view = nullptr;
};

TEST_F(Services, PrintingDrawsThePageThroughTheView) {
    EXPECT_TRUE(host.SendCommand(ID_FILE_PRINT));
    ASSERT_EQ(host.PrintJobs().size(), 1u);
    EXPECT_EQ(host.PrintDialogs(), 1);
    const auto& job = host.PrintJobs()[0];
    EXPECT_EQ(job.page.Width(), 252);
    EXPECT_EQ(job.page.Height(), 230);
    EXPECT_EQ(job.page.Get(10, 10), PaletteIndexColor(3));
    EXPECT_EQ(job.rgb.Get(10, 10), RGB(0, 0, 30));
    EXPECT_EQ(job.pages, 1);

    // A cancelled print dialog prints nothing; direct prints and previews do not ask.
    host.SetPrintDialogAnswer(FALSE);
    EXPECT_TRUE(host.SendCommand(ID_FILE_PRINT));
    EXPECT_EQ(host.PrintJobs().size(), 1u);
    EXPECT_TRUE(host.SendCommand(ID_FILE_PRINT_DIRECT));
    EXPECT_TRUE(host.SendCommand(ID_FILE_PRINT_PREVIEW));
    EXPECT_EQ(host.PrintDialogs(), 2);
    ASSERT_EQ(host.PrintJobs().size(), 3u);
    EXPECT_TRUE(host.PrintJobs()[1].bDirect);
    EXPECT_TRUE(host.PrintJobs()[2].bPreview);
}

TEST_F(Services, TheClipboardGetsThePictureResolvedThroughItsWindow) {
    CClientDC client(view);
    EXPECT_EQ(client.GetOwnerWindow(), view);
    CDC mem;
    mem.CreateCompatibleDC(&client);
    auto* bitmap = new CBitmap;
    bitmap->CreateCompatibleBitmap(&client, 3, 2);
    mem.SelectObject(bitmap);
    mem.SetPixel(0, 0, PaletteIndexColor(5));
    mem.SetPixel(1, 0, RGB(1, 2, 3));
    mem.SelectObject(nullptr);

    auto* source = new COleDataSource;
    STGMEDIUM medium;
    medium.tymed = TYMED_GDI;
    medium.hBitmap = bitmap;
    source->CacheData(CF_BITMAP, &medium);
    source->SetClipboard(); // deletes the source and the bitmap
    ASSERT_NE(host.ClipboardImage(), nullptr);
    EXPECT_EQ(host.ClipboardImage()->Width(), 3);
    EXPECT_EQ(host.ClipboardImage()->Get(0, 0), RGB(0, 0, 50));
    EXPECT_EQ(host.ClipboardImage()->Get(1, 0), RGB(1, 2, 3));
    EXPECT_EQ(host.ClipboardImage()->Get(2, 1), kBlack);
    EXPECT_EQ(OleInitialize(nullptr), 0);
}

TEST_F(Services, TheTrackerNormalisesAndReportsOnlyChanges) {
    RECT start{5, 5, 5, 5};
    CRectTracker band(&start, CRectTracker::solidLine);
    host.PushRubberBand(CRect(20, 30, 5, 5));
    EXPECT_TRUE(band.TrackRubberBand(view, CPoint(5, 5), FALSE));
    EXPECT_EQ(band.m_rect, CRect(5, 5, 20, 30));

    CRectTracker inverted(&start, CRectTracker::solidLine);
    host.PushRubberBand(CRect(20, 30, 5, 5));
    EXPECT_TRUE(inverted.TrackRubberBand(view, CPoint(5, 5), TRUE));
    EXPECT_EQ(inverted.m_rect, CRect(20, 30, 5, 5));

    // A click, a band without height and a cancelled drag change nothing.
    CRectTracker click(&start, CRectTracker::solidLine);
    host.PushRubberBand(CRect(5, 5, 5, 5));
    host.PushRubberBand(CRect(5, 5, 40, 5));
    host.PushRubberBandCancel();
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(click.TrackRubberBand(view, CPoint(5, 5), FALSE));
    EXPECT_EQ(click.m_rect, CRect(5, 5, 5, 5));
    EXPECT_EQ(host.RubberBandCalls(), 6);
}

} // namespace
