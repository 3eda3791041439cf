// The first start: the main window, its first set window, bars and the
// picture computed at once.

#include "program.h"

#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QTest>

TEST_F(GuiTest, FirstWindowShowsTheDefaultSetTitledQuirl31) {
    MainWindow* main = program->Main();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Quirl32 - Quirl31"));

    ChildWindow* child = program->ActiveChildWindow();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->windowTitle(), QStringLiteral("Quirl31"));
    EXPECT_EQ(child->size(), QSize(260, 260));
    EXPECT_EQ(main->MdiArea()->subWindowList().size(), 1);

    // The view fills the client area and computes the picture by itself.
    ViewWidget* view = program->ActiveViewWidget();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->size(), child->contentsRect().size());
    RECT rc;
    program->ActiveView()->GetClientRect(&rc);
    EXPECT_EQ(rc.right, view->width());
    EXPECT_EQ(rc.bottom, view->height());
    ASSERT_TRUE(program->WaitForIdle());
    EXPECT_EQ(program->ActiveView()->m_bWorking, 0);
    const QImage picture = view->Picture();
    EXPECT_EQ(picture.size(), view->size());
    // The default set: black inside, around the centre of the main bulb.
    EXPECT_EQ(picture.pixelColor(picture.width() * 3 / 4, picture.height() / 2), QColor(Qt::black));
    // Colour bands outside; the window is no longer blank.
    EXPECT_NE(picture.pixelColor(2, 2), QColor(Qt::white));
}

TEST_F(GuiTest, BarsAreDockedAndTheStatusBarIsReady) {
    MainWindow* main = program->Main();
    ToolBar* tools = program->host.Tools();
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(main->toolBarArea(tools), Qt::TopToolBarArea);
    EXPECT_TRUE(tools->isMovable());
    EXPECT_TRUE(tools->isFloatable());

    StatusBar* status = program->host.Status();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->IdleText(), QStringLiteral("Ready"));
    const UINT indicators[] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    const char* texts[] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        QLabel* label = status->Indicator(indicators[i]);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromLatin1(texts[i]));
        EXPECT_TRUE(label->isVisibleTo(main));
    }
    // The offscreen platform tells no lock state: the indicators stay grey.
    EXPECT_FALSE(status->Indicator(ID_INDICATOR_CAPS)->isEnabled());
}

TEST_F(GuiTest, HoveringAnItemShowsItsPromptAndThenReadyAgain) {
    QAction* compute = program->host.Tools()->ActionFor(ID_SET_COMPUTE);
    ASSERT_NE(compute, nullptr);
    EXPECT_EQ(compute->statusTip(),
              QStringLiteral("Start computation of the current set with selected algorithm"));
    compute->showStatusText(program->Main());
    EXPECT_EQ(program->host.Status()->currentMessage(),
              QStringLiteral("Start computation of the current set with selected algorithm"));
    program->host.Status()->clearMessage();
    EXPECT_TRUE(program->host.Status()->currentMessage().isEmpty());
    EXPECT_EQ(program->host.Status()->IdleText(), QStringLiteral("Ready"));
}

TEST_F(GuiTest, NewSetWindowsAre260PixelsAndClosingTheLastGivesTheMainMenu) {
    program->host.ExecuteCommand(ID_FILE_NEW);
    ChildWindow* second = program->ActiveChildWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->windowTitle(), QStringLiteral("Quirl32"));
    EXPECT_EQ(second->size(), QSize(260, 260));
    EXPECT_EQ(program->Main()->windowTitle(), QStringLiteral("Quirl32 - Quirl32"));
    EXPECT_EQ(program->Main()->MdiArea()->subWindowList().size(), 2);

    program->host.ExecuteCommand(ID_FILE_CLOSE);
    QTest::qWait(20);
    EXPECT_EQ(program->Main()->MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(program->Main()->windowTitle(), QStringLiteral("Quirl32 - Quirl31"));

    // The close box closes a set window without asking.
    program->ActiveChildWindow()->close();
    QTest::qWait(20);
    EXPECT_EQ(program->ActiveFrame(), nullptr);
    EXPECT_TRUE(program->Main()->MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(program->Main()->windowTitle(), QStringLiteral("Quirl32"));
    EXPECT_EQ(program->BarTitles(), QStringList({QStringLiteral("&File"), QStringLiteral("&View"),
                                                 QStringLiteral("&Help")}));
}

TEST_F(GuiTest, AnIterationPresetLeavesTheMessagePaneEmpty) {
    StatusBar* status = program->host.Status();
    QMenu* options = program->BarMenu(QStringLiteral("&Options"));
    ASSERT_NE(options, nullptr);
    QMenu* iterations = options->actions().first()->menu();
    ASSERT_NE(iterations, nullptr);
    const QList<QAction*> items = iterations->actions();
    options->popup(QPoint(10, 10));
    iterations->popup(QPoint(60, 10));
    QTest::qWait(20);
    const auto pane = [status] {
        return status->currentMessage().isEmpty() ? status->IdleText() : status->currentMessage();
    };

    iterations->setActiveAction(items[1]); // "100"
    QTest::qWait(20);
    EXPECT_EQ(pane(), QString());
    iterations->setActiveAction(items.last()); // "other..."
    QTest::qWait(20);
    EXPECT_EQ(pane(), QStringLiteral("Specify maximum itarations done for one pixel"));
    iterations->setActiveAction(items[0]); // "50"
    QTest::qWait(20);
    EXPECT_EQ(pane(), QString());

    // The menu closes: "Ready" again.
    iterations->hide();
    options->hide();
    QTest::qWait(20);
    EXPECT_EQ(pane(), QStringLiteral("Ready"));
}
