// The rubber-band zoom from the mouse to the new picture, and its cancels.
// No computation step runs while the band is dragged.

#include "program.h"

#include "platform/qt/windows/rubber_band.h"

#include <QTest>
#include <QTimer>

class ZoomTest : public GuiTest {
protected:
    // Presses at from; while the band is out, during runs, then the button is
    // released at to.
    void Drag(QPoint from, QPoint to, const std::function<void(QWidget*)>& during = {}) {
        QWidget* view = program->ActiveViewWidget();
        QTimer::singleShot(20, view, [=] {
            QTest::mouseMove(view, (from + to) / 2);
            QTest::mouseMove(view, to);
            if (during)
                during(view);
            QTest::mouseRelease(view, Qt::LeftButton, {}, to);
        });
        QTest::mousePress(view, Qt::LeftButton, {}, from);
    }
};

TEST_F(ZoomTest, DragZoomsIntoTheRectangleAndComputesIt) {
    ASSERT_TRUE(program->WaitForIdle());
    CQuirl32View* view = program->ActiveView();
    CQuirl32Doc* doc = program->ActiveDoc();
    const SetExtents before = doc->m_extents;
    const double scale = view->m_dScaleX;
    const QImage oldPicture = program->ActiveViewWidget()->Picture();

    QRect band;
    bool bandVisible = false;
    // Dragged up and to the left: the rectangle comes out normalised.
    Drag(QPoint(150, 120), QPoint(50, 40), [&](QWidget* w) {
        auto* rubber = w->findChild<SolidRubberBand*>();
        bandVisible = rubber != nullptr && rubber->isVisible();
        if (rubber != nullptr)
            band = rubber->geometry();
    });
    EXPECT_TRUE(bandVisible);
    EXPECT_EQ(band, QRect(QPoint(50, 40), QPoint(150, 120)));

    EXPECT_EQ(doc->m_extents.xMin, 50 * scale + before.xMin);
    EXPECT_EQ(doc->m_extents.yMin, 40 * scale + before.yMin);
    EXPECT_EQ(doc->m_extents.yMax, 120 * scale + before.yMin);
    EXPECT_DOUBLE_EQ(view->m_dScaleX, (doc->m_extents.yMax - doc->m_extents.yMin) /
                                          program->ActiveViewWidget()->height());
    EXPECT_EQ(view->m_bWorking, 1);
    EXPECT_TRUE(program->MenuItem(ID_EDIT_UNDO).enabled);

    ASSERT_TRUE(program->WaitForIdle());
    const QImage newPicture = program->ActiveViewWidget()->Picture();
    EXPECT_NE(newPicture, oldPicture);
    EXPECT_EQ(newPicture.size(), oldPicture.size());

    // Undo goes back to the whole set.
    program->host.ExecuteCommand(ID_EDIT_UNDO);
    EXPECT_EQ(doc->m_extents.xMin, before.xMin);
    EXPECT_EQ(doc->m_extents.yMax, before.yMax);
}

TEST_F(ZoomTest, EscapeRightButtonAndAClickChangeNothing) {
    ASSERT_TRUE(program->WaitForIdle());
    CQuirl32Doc* doc = program->ActiveDoc();
    const SetExtents before = doc->m_extents;

    Drag(QPoint(20, 20), QPoint(120, 90), [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    Drag(QPoint(20, 20), QPoint(120, 90),
         [](QWidget* w) { QTest::mousePress(w, Qt::RightButton, {}, QPoint(120, 90)); });
    QTest::mouseRelease(program->ActiveViewWidget(), Qt::RightButton, {}, QPoint(120, 90));
    Drag(QPoint(60, 60), QPoint(60, 60));
    // A line is no rectangle.
    Drag(QPoint(10, 60), QPoint(200, 60));

    EXPECT_EQ(doc->m_extents.xMin, before.xMin);
    EXPECT_EQ(doc->m_extents.yMin, before.yMin);
    EXPECT_EQ(doc->m_extents.yMax, before.yMax);
    EXPECT_FALSE(program->MenuItem(ID_EDIT_UNDO).enabled);
    EXPECT_EQ(program->ActiveView()->m_bWorking, 0);
    EXPECT_EQ(program->ActiveViewWidget()->findChild<SolidRubberBand*>(), nullptr);
}

TEST_F(ZoomTest, WindowsStayOpenWhileTheBandIsDragged) {
    ASSERT_TRUE(program->WaitForIdle());
    Drag(QPoint(20, 20), QPoint(120, 90), [this](QWidget*) {
        program->ActiveChildWindow()->close();
        program->Main()->close();
    });
    EXPECT_NE(program->ActiveView(), nullptr);
    EXPECT_TRUE(program->Main()->isVisible());
    EXPECT_EQ(program->ActiveView()->m_bWorking, 1);
}

TEST_F(ZoomTest, NoStepRunsWhileTheBandIsDragged) {
    ASSERT_TRUE(program->WaitForIdle());
    // Random points over a new rectangle never finish and keep changing the
    // old picture.
    program->host.ExecuteCommand(ID_METHOD_RANDOM);
    program->host.ExecuteCommand(ID_SET_UNZOOM);
    QTest::qWait(30);
    ViewWidget* widget = program->ActiveViewWidget();
    ASSERT_EQ(program->ActiveView()->m_bWorking, 1);

    std::vector<COLORREF> before;
    std::vector<COLORREF> after;
    bool suspended = false;
    Drag(QPoint(20, 20), QPoint(120, 90), [&](QWidget* w) {
        before = widget->WindowSurface().Pixels();
        QTest::qWait(100);
        after = widget->WindowSurface().Pixels();
        suspended = program->host.Pump().IsSuspended();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_TRUE(suspended);
    EXPECT_TRUE(before == after);
    // Steps resume after the drag.
    QTest::qWait(50);
    EXPECT_FALSE(widget->WindowSurface().Pixels() == after);
}
