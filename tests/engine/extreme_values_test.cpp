// Extreme values from set files and dialogs: NaN and infinite extents,
// reversed and equal bounds, iteration limits of 0, below 0 and 2^31 - 1,
// random-point counts of 0 and below, client areas from 0 x 0 to
// 4000 x 3000 and zoom rectangles without width or height. Each gives a
// picture (or a clear message), and the computation ends.

#include "support/set_window.h"
#include "support/temp_folder.h"

#include "platform/framework/dialog.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <string>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class ExtremeValues : public SetWindowTest {
protected:
    // Opens the set file through the framework into a set window of this
    // client size, painted once.
    CQuirl32View* Open(const Bytes& bytes, int width, int height) {
        // A file of a name already open would only come to the front.
        const std::string path = folder.Write("set" + std::to_string(++files) + ".qrl", bytes);
        if (app.OpenDocumentFile(path) == nullptr)
            return nullptr;
        auto* v = dynamic_cast<CQuirl32View*>(host.GetActiveChildFrame()->GetActiveView());
        host.SetViewClientSize(v, width, height);
        host.PumpMessages();
        return v;
    }

    // The program's idle loop, after the input so far, until no view has
    // work left.
    bool ComputeAll(int maxCalls = 2000000) {
        host.PostMessage(frame, 0, 0, 0);
        return host.PumpUntilIdle(app, maxCalls) != FALSE;
    }
    // Idle calls after the input so far; the number made.
    int Idle(int calls) {
        host.PostMessage(frame, 0, 0, 0);
        return host.RunIdle(app, calls);
    }

    // The palette indices of a finished picture; every pixel must hold one,
    // in the window and in the off-screen picture alike.
    std::set<int> Indices(CQuirl32View* v) {
        std::set<int> indices;
        const Surface& w = Window(v);
        const Surface& p = Picture(v);
        EXPECT_EQ(w.Width(), p.Width());
        EXPECT_EQ(w.Height(), p.Height());
        for (int y = 0; y < w.Height(); ++y)
            for (int x = 0; x < w.Width(); ++x) {
                const int index = IndexAt(w, x, y);
                EXPECT_EQ(IndexAt(p, x, y), index) << x << "," << y;
                EXPECT_GE(index, 0) << x << "," << y;
                indices.insert(index);
                if (index < 0)
                    return indices;
            }
        return indices;
    }

    // Specify confirmed with OK and these texts: real from, real to,
    // imaginary from, imaginary to, random points.
    void Specify(const std::array<std::string, 5>& f) {
        host.PushDialogResponder([f](CDialog& dlg) {
            dlg.SetDlgItemText(IDC_REAL_FROM, f[0]);
            dlg.SetDlgItemText(IDC_REAL_TO, f[1]);
            dlg.SetDlgItemText(IDC_IMAG_FROM, f[2]);
            dlg.SetDlgItemText(IDC_IMAG_TO, f[3]);
            dlg.SetDlgItemText(IDC_RANDOM_POINTS, f[4]);
            return IDOK;
        });
        ASSERT_TRUE(host.SendCommand(ID_SET_SPECIFY));
    }

    // "other..." confirmed with OK and this text.
    void OtherIterations(const std::string& text) {
        host.PushDialogResponder([text](CDialog& dlg) {
            dlg.SetDlgItemText(IDC_ITERATIONS, text);
            return IDOK;
        });
        ASSERT_TRUE(host.SendCommand(ID_ITER_OTHER));
    }

    CString InfoZoom() {
        CString zoom;
        host.PushDialogResponder([&zoom](CDialog& dlg) {
            zoom = dlg.GetDlgItemText(IDC_INFO_ZOOM);
            return IDOK;
        });
        host.SendCommand(ID_SET_INFO);
        return zoom;
    }

    TempFolder folder;
    int files = 0;
};

} // namespace

TEST_F(ExtremeValues, NaNAndInfiniteExtentsFromAFileGiveAPictureAndSaveTheFittedPlane) {
    const Bytes files[] = {
        SetFileBytes(kNaN, kNaN, kNaN, kNaN, 50, 10),
        SetFileBytes(-kInf, kInf, -kInf, kInf, 50, 10),
        SetFileBytes(-kInf, 1.5, -1.2, 1.2, 50, 10),    // a finite scale, an infinite edge
        SetFileBytes(-2.1, 1.5, -1e308, 1e308, 50, 10), // a range beyond the doubles
        SetFileBytes(-2.1, kNaN, -1.2, kNaN, 50, 10),
    };
    for (const Bytes& bytes : files) {
        CQuirl32View* v = Open(bytes, 40, 30);
        ASSERT_NE(v, nullptr);
        EXPECT_TRUE(host.MessageBoxes().empty());
        ASSERT_TRUE(ComputeAll());
        EXPECT_EQ(v->m_bWorking, 0);
        // No point of such a plane iterates: one colour, index 0.
        EXPECT_EQ(Indices(v), std::set<int>{0});
        // The fit's arithmetic holds for these planes too: the real maximum
        // saved is the one the picture was drawn with; the rest is as loaded.
        const SetExtents& e = Doc(v).m_extents;
        const double scale = std::fabs(e.yMax - e.yMin) / 30;
        EXPECT_EQ(std::isnan(v->m_dScaleX), std::isnan(scale));
        if (!std::isnan(scale)) {
            EXPECT_EQ(v->m_dScaleX, scale);
        }
        if (!std::isfinite(scale)) {
            EXPECT_EQ(InfoZoom(), "0 dpu");
        }
        const std::string copy = folder.Path("copy.qrl");
        ASSERT_TRUE(Doc(v).OnSaveDocument(copy));
        const double xMax = e.xMin + 40 * scale;
        const Bytes saved = TempFolder::Read(copy);
        EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 8), Bytes(bytes.begin(), bytes.begin() + 8));
        EXPECT_EQ(Bytes(saved.begin() + 16, saved.end()), Bytes(bytes.begin() + 16, bytes.end()));
        double savedXMax = 0;
        std::memcpy(&savedXMax, saved.data() + 8, 8);
        EXPECT_TRUE(savedXMax == xMax || (std::isnan(savedXMax) && std::isnan(xMax)));
        host.SendCommand(ID_FILE_CLOSE);
    }
    EXPECT_TRUE(host.ChildFrames().empty());
}

TEST_F(ExtremeValues, AnInfiniteImaginaryRangeDrawsNothingButIndexZero) {
    // Drawn at the previous scale, this range would show the set while Info
    // names an infinite plane.
    CQuirl32View* v = NewView(40, 30);
    ASSERT_TRUE(ComputeAll());
    Specify({"-0.5", "1", "0", "1e400", "10"});
    ASSERT_TRUE(ComputeAll());
    EXPECT_EQ(v->m_dScaleY, kInf);
    EXPECT_EQ(Doc(v).m_extents.xMax, kInf);
    EXPECT_EQ(Indices(v), std::set<int>{0});
    EXPECT_EQ(InfoZoom(), "0 dpu");
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(ExtremeValues, InfiniteAndMissingNumbersFromTheSelectionDialog) {
    CQuirl32View* v = NewView(40, 30);
    Specify({"-1e999", "1e999", "-1e400", "1e999", "10"});
    EXPECT_EQ(Doc(v).m_extents.xMin, -kInf);
    EXPECT_EQ(Doc(v).m_extents.yMax, kInf);
    ASSERT_TRUE(ComputeAll());
    EXPECT_EQ(Indices(v), std::set<int>{0});

    // "nan" and "inf" are no numbers to the dialog: they read as 0.
    Specify({"nan", "inf", "-0.5", "0.5", "10"});
    EXPECT_EQ(Doc(v).m_extents.xMin, 0.0);
    ASSERT_TRUE(ComputeAll());
    EXPECT_GT(Indices(v).size(), 1u);
    // Undo goes back to the infinite plane, which computes again.
    ASSERT_TRUE(host.SendCommand(ID_EDIT_UNDO));
    EXPECT_EQ(Doc(v).m_extents.xMin, -kInf);
    ASSERT_TRUE(ComputeAll());
    EXPECT_EQ(Indices(v), std::set<int>{0});
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(ExtremeValues, ReversedAndEqualBounds) {
    // Reversed: the picture runs from the minima the file names.
    CQuirl32View* v = Open(SetFileBytes(1.5, -2.1, 1.2, -1.2, 50, 10), 30, 20);
    ASSERT_NE(v, nullptr);
    ASSERT_TRUE(ComputeAll());
    Indices(v);
    EXPECT_EQ(IndexAt(Window(v), 0, 0), v->ComputePoint(1.5, 1.2));
    EXPECT_EQ(IndexAt(Window(v), 10, 5), v->PixelIndex(10, 5));
    EXPECT_DOUBLE_EQ(v->m_dScaleY, 2.4 / 20);

    // Equal imaginary bounds: every pixel is the one point (xMin, yMin).
    for (const double x : {-0.75, 0.26, 1.0, 0.0}) {
        v = Open(SetFileBytes(x, x, 0.0, 0.0, 100, 10), 30, 20);
        ASSERT_NE(v, nullptr);
        ASSERT_TRUE(ComputeAll());
        EXPECT_EQ(v->m_dScaleX, 0.0);
        EXPECT_EQ(Doc(v).m_extents.xMax, x);
        EXPECT_EQ(Indices(v), std::set<int>{v->ComputePoint(x, 0.0)}) << x;
    }
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(ExtremeValues, IterationLimitsOfZeroAndBelowGiveIndexZero) {
    for (const std::int32_t limit : {0, -5, INT_MIN}) {
        CQuirl32View* v = Open(SetFileBytes(-2.1, 1.5, -1.2, 1.2, limit, 10), 40, 30);
        ASSERT_NE(v, nullptr);
        ASSERT_TRUE(ComputeAll());
        EXPECT_EQ(Indices(v), std::set<int>{0}) << limit;
    }
    // The same from the "other..." dialog.
    CQuirl32View* v = NewView(40, 30);
    OtherIterations("-5");
    EXPECT_EQ(Doc(v).m_nIterations, -5);
    ASSERT_TRUE(ComputeAll());
    EXPECT_EQ(Indices(v), std::set<int>{0});
}

TEST_F(ExtremeValues, TheLargestIterationLimitFinishesWhereEveryPointEscapes) {
    // Right of the set every point escapes after a few iterations, so the
    // largest limit gives the very picture of a limit of 1000.
    CQuirl32View* v = Open(SetFileBytes(0.6, 2.0, -0.5, 0.5, 1000, 10), 50, 40);
    ASSERT_NE(v, nullptr);
    ASSERT_TRUE(ComputeAll());
    const Surface expected = Window(v);
    EXPECT_GT(Indices(v).size(), 2u);

    for (const char* text : {"2147483647", "99999999999"}) {
        OtherIterations(text);
        EXPECT_EQ(Doc(v).m_nIterations, INT_MAX);
        ASSERT_TRUE(host.SendCommand(ID_SET_STOP) || v->m_bWorking == 0);
        ASSERT_TRUE(host.SendCommand(ID_SET_COMPUTE));
        ASSERT_TRUE(ComputeAll());
        EXPECT_EQ(Window(v).Pixels(), expected.Pixels()) << text;
    }
}

TEST_F(ExtremeValues, TheLargestIterationLimitFinishesInsideTheSet) {
    // Deep in the main cardioid every orbit settles on its fixed point, and
    // the kernel sees the orbit repeat long before 2^31 - 1 iterations.
    CQuirl32View* v = Open(SetFileBytes(-0.45, 0.15, -0.3, 0.3, INT_MAX, 10), 16, 16);
    ASSERT_NE(v, nullptr);
    ASSERT_TRUE(ComputeAll());
    EXPECT_EQ(Indices(v), std::set<int>{0});
    EXPECT_NEAR(Doc(v).m_extents.xMax, 0.15, 1e-15);

    // The line scan visits every pixel one by one, and finishes as well.
    ASSERT_TRUE(host.SendCommand(ID_METHOD_LINESCAN));
    ASSERT_TRUE(host.SendCommand(ID_SET_COMPUTE));
    ASSERT_TRUE(ComputeAll());
    EXPECT_EQ(Indices(v), std::set<int>{0});
}

TEST_F(ExtremeValues, RandomPointCountsOfZeroAndBelowDrawNothingUntilStop) {
    CQuirl32View* v = NewView(30, 20);
    ASSERT_TRUE(host.SendCommand(ID_METHOD_RANDOM));
    for (const char* count : {"0", "-5", "-2147483648"}) {
        Specify({"-2.1", "1.5", "-1.2", "1.2", count});
        const Surface before = Window(v);
        EXPECT_EQ(Idle(200), 200) << count; // never finishes
        EXPECT_EQ(Window(v).Pixels(), before.Pixels()) << count;
        ASSERT_TRUE(host.SendCommand(ID_SET_STOP));
        EXPECT_TRUE(ComputeAll());
    }
}

TEST_F(ExtremeValues, ClientAreasFromNothingToFourThousandByThreeThousand) {
    CQuirl32View* v = NewView(0, 0);
    ASSERT_TRUE(ComputeAll());
    EXPECT_EQ(Window(v).Width(), 0);
    EXPECT_TRUE(std::isfinite(Doc(v).m_extents.xMax));

    host.SetViewClientSize(v, 1, 1);
    ASSERT_TRUE(ComputeAll());
    EXPECT_EQ(Indices(v), std::set<int>{v->PixelIndex(0, 0)});

    // One pixel wide or high: narrow areas go pixel by pixel.
    host.SetViewClientSize(v, 1, 300);
    ASSERT_TRUE(ComputeAll());
    EXPECT_EQ(IndexAt(Window(v), 0, 150), v->PixelIndex(0, 150));
    host.SetViewClientSize(v, 300, 1);
    ASSERT_TRUE(ComputeAll());
    EXPECT_EQ(IndexAt(Window(v), 150, 0), v->PixelIndex(150, 0));

    host.SetViewClientSize(v, 4000, 3000);
    EXPECT_EQ(Picture(v).Width(), 4000);
    EXPECT_EQ(Picture(v).Height(), 3000);
    ASSERT_TRUE(ComputeAll());
    Indices(v);
    for (const auto& [x, y] : {std::pair{0, 0}, {1999, 1500}, {3999, 2999}, {2600, 1400}})
        EXPECT_EQ(IndexAt(Window(v), x, y), v->PixelIndex(x, y)) << x << "," << y;

    // And back down to nothing.
    host.SetViewClientSize(v, 0, 0, SIZE_MINIMIZED);
    ASSERT_TRUE(ComputeAll());
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(ExtremeValues, ZoomRectanglesWithoutWidthOrHeight) {
    CQuirl32View* v = NewView(60, 40);
    ASSERT_TRUE(ComputeAll());
    const SetExtents before = Doc(v).m_extents;
    const Surface picture = Window(v);

    // A band without width or height selects nothing, like a click.
    for (const CRect& band : {CRect(20, 10, 20, 30), CRect(10, 15, 50, 15), CRect(30, 20, 30, 20),
                              CRect(0, 0, 0, 40)}) {
        host.PushRubberBand(band);
        v->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(band.left, band.top));
        EXPECT_EQ(v->m_bWorking, 0);
        EXPECT_FALSE(host.QueryCommand(ID_EDIT_UNDO).enabled);
        EXPECT_EQ(Doc(v).m_extents.yMax, before.yMax);
        EXPECT_EQ(Window(v).Pixels(), picture.Pixels());
    }

    // One pixel wide or high is the narrowest zoom there is.
    for (const CRect& band :
         {CRect(20, 10, 21, 30), CRect(10, 15, 50, 16), CRect(59, 39, 60, 40)}) {
        host.PushRubberBand(band);
        v->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(band.left, band.top));
        ASSERT_TRUE(ComputeAll());
        Indices(v);
        EXPECT_NEAR(v->m_dScaleY, (band.bottom - band.top) * before.yMax * 2 / 40 / 40, 1e-15);
        EXPECT_TRUE(std::isfinite(Doc(v).m_extents.xMax));
        ASSERT_TRUE(host.SendCommand(ID_EDIT_UNDO));
        EXPECT_EQ(Doc(v).m_extents.yMin, before.yMin);
        ASSERT_TRUE(ComputeAll());
        EXPECT_EQ(Window(v).Pixels(), picture.Pixels());
    }
    EXPECT_TRUE(host.MessageBoxes().empty());
}
