// Set windows: resizing, minimising and restoring reach the view as size
// changes; Cascade, Tile and Arrange Icons; where new windows go; the
// list of windows in the Window menu and the keys between set windows.

#include "program.h"

#include <QApplication>
#include <QListWidget>
#include <QMdiArea>
#include <QScrollBar>
#include <QTest>

TEST_F(GuiTest, ResizingRestartsTheViewAndForgetsUndo) {
    ASSERT_TRUE(program->WaitForIdle());
    program->host.ExecuteCommand(ID_SET_UNZOOM);
    ASSERT_TRUE(program->WaitForIdle());
    EXPECT_TRUE(program->MenuItem(ID_EDIT_UNDO).enabled);

    ChildWindow* child = program->ActiveChildWindow();
    child->resize(360, 300);
    QTest::qWait(20);
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
    QTest::qWait(20);
    CSize size = program->host.GetClientSize(program->ActiveView());
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
    ASSERT_TRUE(program->WaitForIdle());

    child->showNormal();
    QTest::qWait(20);
    size = program->host.GetClientSize(program->ActiveView());
    EXPECT_EQ(size.cx, normal.width());
    EXPECT_EQ(size.cy, normal.height());
    ASSERT_TRUE(program->WaitForIdle());
    EXPECT_NE(program->ActiveViewWidget()->Picture().pixelColor(2, 2), QColor(Qt::white));

    child->showMaximized();
    QTest::qWait(20);
    EXPECT_GT(program->ActiveViewWidget()->width(), normal.width());
    EXPECT_EQ(program->host.GetClientSize(program->ActiveView()).cx,
              program->ActiveViewWidget()->width());
}

TEST_F(GuiTest, AMaximisedSetWindowShowsItsTitleInBrackets) {
    program->ActiveChildWindow()->showMaximized();
    QTest::qWait(20);
    EXPECT_EQ(program->Main()->windowTitle(), QStringLiteral("Quirl32 - [Quirl31]"));
    program->host.ExecuteCommand(ID_FILE_NEW);
    QTest::qWait(20);
    EXPECT_TRUE(program->ActiveChildWindow()->isMaximized());
    // Maximised, it fills the workspace: its place is kept for its restore.
    EXPECT_EQ(program->ActiveChildWindow()->geometry(),
              program->Main()->MdiArea()->viewport()->rect());
    EXPECT_EQ(program->Main()->windowTitle(), QStringLiteral("Quirl32 - [Quirl32]"));
    program->ActiveChildWindow()->showNormal();
    QTest::qWait(20);
    EXPECT_EQ(program->Main()->windowTitle(), QStringLiteral("Quirl32 - Quirl32"));
    EXPECT_EQ(program->ActiveChildWindow()->size(), QSize(260, 260));
}

TEST_F(GuiTest, WindowCommandsArrangeTheSetWindows) {
    program->host.ExecuteCommand(ID_FILE_NEW);
    program->host.ExecuteCommand(ID_FILE_NEW);
    QMdiArea* area = program->Main()->MdiArea();
    const QList<QMdiSubWindow*> windows = area->subWindowList();
    ASSERT_EQ(windows.size(), 3);

    program->host.ExecuteCommand(ID_WINDOW_TILE_HORZ);
    QTest::qWait(20);
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j)
            EXPECT_FALSE(windows[i]->geometry().intersects(windows[j]->geometry())) << i << j;

    program->host.ExecuteCommand(ID_WINDOW_CASCADE);
    QTest::qWait(20);
    EXPECT_TRUE(windows[0]->geometry().intersects(windows[1]->geometry()));
    EXPECT_NE(windows[0]->pos(), windows[1]->pos());

    windows[0]->showMinimized();
    windows[1]->showMinimized();
    QTest::qWait(20);
    windows[0]->move(100, 20);
    program->host.ExecuteCommand(ID_WINDOW_ARRANGE);
    QTest::qWait(20);
    const int bottom = area->viewport()->height();
    EXPECT_EQ(windows[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows[1]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(windows[0]->x(), 0);
}

namespace {

// The windows of the workspace in the order they were opened.
QList<QMdiSubWindow*> SetWindows(Program& p) {
    return p.Main()->MdiArea()->subWindowList(QMdiArea::CreationOrder);
}

// Gives the workspace this size by resizing the main window.
void SetWorkspace(Program& p, QSize size) {
    QWidget* viewport = p.Main()->MdiArea()->viewport();
    // In a real X server the window is laid out once it is shown, and a
    // window manager answers a resize in its own time.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(p.Main()));
    for (int attempt = 0; attempt < 3 && viewport->size() != size; ++attempt) {
        QTest::qWait(50);
        p.Main()->resize(p.Main()->size() + size - viewport->size());
        if (QTest::qWaitFor([&] { return viewport->size() == size; }, 2000))
            break;
    }
    QTest::qWait(20);
    ASSERT_EQ(viewport->size(), size);
}

} // namespace

TEST_F(GuiTest, NewSetWindowsCascadeInsideTheWorkspace) {
    SetWorkspace(*program, QSize(900, 560));
    const QRect workspace = program->Main()->MdiArea()->viewport()->rect();
    for (int i = 0; i < 13; ++i)
        program->host.ExecuteCommand(ID_FILE_NEW);
    QTest::qWait(20);
    const QList<QMdiSubWindow*> windows = SetWindows(*program);
    ASSERT_EQ(windows.size(), 14);
    EXPECT_EQ(windows[0]->pos(), QPoint(0, 0));
    const int step = windows[1]->y();
    EXPECT_GT(step, 10);
    int wraps = 0;
    for (int i = 0; i < windows.size(); ++i) {
        EXPECT_EQ(windows[i]->size(), QSize(260, 260)) << i;
        EXPECT_TRUE(workspace.contains(windows[i]->geometry())) << i;
        if (i == 0)
            continue;
        const QPoint previous = windows[i - 1]->pos();
        if (windows[i]->pos() == QPoint(0, 0)) {
            // Back to the corner only when the next step would leave the workspace.
            EXPECT_GT(previous.y() + step + 260, workspace.height()) << i;
            ++wraps;
        } else {
            EXPECT_EQ(windows[i]->pos(), previous + QPoint(step, step)) << i;
        }
    }
    EXPECT_GE(wraps, 1);
    EXPECT_FALSE(program->Main()->MdiArea()->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(program->Main()->MdiArea()->verticalScrollBar()->isVisible());
}

TEST_F(GuiTest, CascadeKeepsEveryWindowsSizeAndPicture) {
    SetWorkspace(*program, QSize(800, 600));
    program->host.ExecuteCommand(ID_FILE_NEW);
    program->ActiveChildWindow()->resize(400, 300);
    program->host.ExecuteCommand(ID_FILE_NEW);
    ASSERT_TRUE(program->WaitForIdle());
    // The active window has an Undo to lose and a finished picture.
    program->host.ExecuteCommand(ID_SET_UNZOOM);
    ASSERT_TRUE(program->WaitForIdle());
    ASSERT_TRUE(program->MenuItem(ID_EDIT_UNDO).enabled);

    const QList<QMdiSubWindow*> windows = SetWindows(*program);
    ASSERT_EQ(windows.size(), 3);
    QList<QSize> sizes;
    QList<QImage> pictures;
    for (QMdiSubWindow* sub : windows) {
        sizes << sub->size();
        pictures << qobject_cast<ChildWindow*>(sub)->View()->Picture();
    }
    QMdiSubWindow* active = program->ActiveChildWindow();

    program->host.ExecuteCommand(ID_WINDOW_CASCADE);
    // The idle calls that refresh the commands' states end soon; nothing
    // computes again.
    ASSERT_TRUE(program->WaitForIdle());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(windows[i]->size(), sizes[i]) << i;
        EXPECT_EQ(qobject_cast<ChildWindow*>(windows[i])->View()->Picture(), pictures[i]) << i;
    }
    EXPECT_FALSE(program->host.Pump().IsRunning());
    EXPECT_TRUE(program->MenuItem(ID_EDIT_UNDO).enabled);
    // Each one title bar further, the active one in front and still active.
    const QList<QMdiSubWindow*> stack =
        program->Main()->MdiArea()->subWindowList(QMdiArea::StackingOrder);
    EXPECT_EQ(stack.last(), active);
    EXPECT_EQ(program->ActiveChildWindow(), active);
    EXPECT_EQ(stack[0]->pos(), QPoint(0, 0));
    const int step = stack[1]->y();
    EXPECT_GT(step, 10);
    EXPECT_EQ(stack[1]->pos(), QPoint(step, step));
    EXPECT_EQ(stack[2]->pos(), QPoint(2 * step, 2 * step));
}

TEST_F(GuiTest, CascadeStartsAgainAtTheCornerBeforeLeavingTheWorkspace) {
    SetWorkspace(*program, QSize(500, 400));
    for (int i = 0; i < 9; ++i)
        program->host.ExecuteCommand(ID_FILE_NEW);
    const QList<QMdiSubWindow*> windows = SetWindows(*program);
    windows[5]->showMinimized();
    windows[3]->showMaximized();
    QTest::qWait(20);
    program->host.ExecuteCommand(ID_WINDOW_CASCADE);
    QTest::qWait(20);
    const QRect workspace = program->Main()->MdiArea()->viewport()->rect();
    EXPECT_FALSE(windows[3]->isMaximized());
    EXPECT_TRUE(windows[5]->isMinimized());
    for (int i = 0; i < windows.size(); ++i) {
        if (i == 5)
            continue;
        EXPECT_GE(windows[i]->width(), 260) << i;
        EXPECT_GE(windows[i]->height(), 260) << i;
        EXPECT_TRUE(workspace.contains(windows[i]->geometry())) << i;
    }
}

TEST_F(GuiTest, TheWindowMenuListsTheSetWindows) {
    program->host.ExecuteCommand(ID_FILE_NEW);
    program->host.ExecuteCommand(ID_FILE_NEW);
    const auto listed = [this] {
        QMenu* menu = program->BarMenu(QStringLiteral("&Window"));
        emit menu->aboutToShow();
        QStringList texts;
        bool list = false;
        for (QAction* action : menu->actions()) {
            list = list || action->isSeparator();
            if (list && !action->isSeparator())
                texts << action->text() + (action->isChecked() ? QStringLiteral(" *") : QString());
        }
        return texts;
    };
    EXPECT_EQ(listed(), QStringList({"&1 Quirl31", "&2 Quirl32", "&3 Quirl33 *"}));

    // Choosing one activates it.
    QMenu* menu = program->BarMenu(QStringLiteral("&Window"));
    menu->actions()[menu->actions().size() - 3]->trigger();
    QTest::qWait(20);
    EXPECT_EQ(program->ActiveChildWindow()->windowTitle(), QStringLiteral("Quirl31"));
    EXPECT_EQ(listed(), QStringList({"&1 Quirl31 *", "&2 Quirl32", "&3 Quirl33"}));

    // Nine at most, then a dialog with all of them.
    for (int i = 0; i < 8; ++i)
        program->host.ExecuteCommand(ID_FILE_NEW);
    QStringList expected;
    for (int i = 1; i <= 8; ++i)
        expected << QStringLiteral("&%1 Quirl3%1").arg(i);
    expected << QStringLiteral("&9 Quirl311 *") << QStringLiteral("&More Windows...");
    EXPECT_EQ(listed(), expected);

    QStringList offered;
    WhenModal([&](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("Select Window"));
        auto* list = modal->findChild<QListWidget*>(QStringLiteral("WindowList"));
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->count(); ++i)
            offered << list->item(i)->text();
        list->setCurrentRow(9);
        qobject_cast<QDialog*>(modal)->accept();
    });
    menu->actions().last()->trigger();
    QTest::qWait(20);
    EXPECT_EQ(offered.size(), 11);
    EXPECT_EQ(program->ActiveChildWindow()->windowTitle(), QStringLiteral("Quirl310"));
}

TEST_F(GuiTest, CtrlF6GoesToTheNextSetWindowAndCtrlF4ClosesIt) {
    program->host.ExecuteCommand(ID_FILE_NEW);
    program->host.ExecuteCommand(ID_FILE_NEW);
    program->Main()->activateWindow();
    QApplication::setActiveWindow(program->Main());
    QTest::qWait(20);
    const QString before = program->ActiveChildWindow()->windowTitle();
    QTest::keyClick(program->Main(), Qt::Key_F6, Qt::ControlModifier);
    QTest::qWait(20);
    const QString next = program->ActiveChildWindow()->windowTitle();
    EXPECT_NE(next, before);
    QTest::keyClick(program->Main(), Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::qWait(20);
    EXPECT_EQ(program->ActiveChildWindow()->windowTitle(), before);

    QTest::keyClick(program->Main(), Qt::Key_F4, Qt::ControlModifier);
    QTest::qWait(20);
    EXPECT_EQ(program->Main()->MdiArea()->subWindowList().size(), 2);
    for (QMdiSubWindow* sub : program->Main()->MdiArea()->subWindowList())
        EXPECT_NE(sub->windowTitle(), before);
}
