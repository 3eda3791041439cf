// Set windows: resizing, minimising and restoring reach the view as size
// changes; Cascade, Tile and Arrange Icons.

#include "program.h"

#include <QMdiArea>

TEST_F(GuiTest, ResizingRestartsTheViewAndForgetsUndo) {
    ASSERT_TRUE(program->WaitForIdle());
    program->host.ExecuteCommand(ID_SET_UNZOOM);
    ASSERT_TRUE(program->WaitForIdle());
    EXPECT_TRUE(program->MenuItem(ID_EDIT_UNDO).enabled);

    ChildWindow* child = program->ActiveChildWindow();
    child->resize(360, 300);
    Program::Process();
    ViewWidget* view = program->ActiveViewWidget();
    EXPECT_EQ(view->size(), child->contentsRect().size());
    EXPECT_EQ(view->WindowSurface().Width(), view->width());
    EXPECT_EQ(view->WindowSurface().Height(), view->height());
    EXPECT_FALSE(program->MenuItem(ID_EDIT_UNDO).enabled);
    ASSERT_TRUE(program->WaitForIdle());
    // The new picture fills the new size with square pixels.
    CQuirl32Doc* doc = program->ActiveDoc();
    EXPECT_DOUBLE_EQ(program->ActiveView()->m_dScaleX,
                     (doc->m_extents.yMax - doc->m_extents.yMin) / view->height());
    EXPECT_EQ(view->Picture().size(), view->size());
}

TEST_F(GuiTest, MinimisingEmptiesTheClientAreaAndRestoringComputesAgain) {
    ASSERT_TRUE(program->WaitForIdle());
    ChildWindow* child = program->ActiveChildWindow();
    const QSize normal = program->ActiveViewWidget()->size();
    child->showMinimized();
    Program::Process();
    CSize size = program->host.GetClientSize(program->ActiveView());
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
    ASSERT_TRUE(program->WaitForIdle());

    child->showNormal();
    Program::Process();
    size = program->host.GetClientSize(program->ActiveView());
    EXPECT_EQ(size.cx, normal.width());
    EXPECT_EQ(size.cy, normal.height());
    ASSERT_TRUE(program->WaitForIdle());
    EXPECT_NE(program->ActiveViewWidget()->Picture().pixelColor(2, 2), QColor(Qt::white));

    child->showMaximized();
    Program::Process();
    EXPECT_GT(program->ActiveViewWidget()->width(), normal.width());
    EXPECT_EQ(program->host.GetClientSize(program->ActiveView()).cx,
              program->ActiveViewWidget()->width());
}

TEST_F(GuiTest, WindowCommandsArrangeTheSetWindows) {
    program->host.ExecuteCommand(ID_FILE_NEW);
    program->host.ExecuteCommand(ID_FILE_NEW);
    QMdiArea* area = program->Main()->MdiArea();
    const QList<QMdiSubWindow*> windows = area->subWindowList();
    ASSERT_EQ(windows.size(), 3);

    program->host.ExecuteCommand(ID_WINDOW_TILE_HORZ);
    Program::Process();
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j)
            EXPECT_FALSE(windows[i]->geometry().intersects(windows[j]->geometry())) << i << j;

    program->host.ExecuteCommand(ID_WINDOW_CASCADE);
    Program::Process();
    EXPECT_TRUE(windows[0]->geometry().intersects(windows[1]->geometry()));
    EXPECT_NE(windows[0]->pos(), windows[1]->pos());

    windows[0]->showMinimized();
    windows[1]->showMinimized();
    Program::Process();
    windows[0]->move(100, 20);
    program->host.ExecuteCommand(ID_WINDOW_ARRANGE);
    Program::Process();
    const int bottom = area->viewport()->height();
    EXPECT_EQ(windows[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows[1]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows[0]->x(), 0);
}
