// The two menus with their texts and states in the situations of the
// program, and the accelerators: a disabled command never runs.

#include "program.h"

#include <QMdiArea>
#include <QMenuBar>
#include <QTest>

namespace {

QStringList Texts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QMenu* Submenu(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
        if (action->menu() != nullptr && action->text() == text)
            return action->menu();
    return nullptr;
}

} // namespace

TEST_F(GuiTest, TheSetMenuHasItsItemsInOrderWithHelpAtTheRight) {
    EXPECT_EQ(program->BarTitles(),
              QStringList({"&File", "&Edit", "&Set", "&Options", "&Window", "|", "&Help"}));
    EXPECT_EQ(Texts(program->BarMenu("&File")),
              QStringList({"&New\tCtrl+N", "&Open...\tCtrl+O", "&Close", "&Save\tCtrl+S",
                           "Save &As...", "-", "&Print...\tCtrl+P", "Print Pre&view",
                           "P&rint Setup...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_EQ(Texts(program->BarMenu("&Edit")), QStringList({"&Undo\tCtrl+Z", "-", "Cu&t\tCtrl+X",
                                                             "&Copy\tCtrl+C", "&Paste\tCtrl+V"}));
    EXPECT_EQ(Texts(program->BarMenu("&Set")),
              QStringList({"Unzoom", "-", "&Compute!", "Stop!", "-", "&Specify...", "&Info..."}));
    QMenu* options = program->BarMenu("&Options");
    EXPECT_EQ(Texts(options), QStringList({"Iterations", "Method", "Colors"}));
    EXPECT_EQ(Texts(Submenu(options, "Iterations")),
              QStringList({"50", "100", "120", "150", "200", "255", "other..."}));
    EXPECT_EQ(Texts(Submenu(options, "Method")), QStringList({"Recursion", "Line-scan", "Random"}));
    EXPECT_EQ(Texts(Submenu(options, "Colors")), QStringList({"Standard", "Grayscale", "B/W"}));
    EXPECT_EQ(Texts(program->BarMenu("&Window")),
              QStringList({"&Cascade", "&Tile", "&Arrange Icons"}));
    EXPECT_EQ(Texts(program->BarMenu("&Help")),
              QStringList({"&Index", "&Using Help", "-", "&About Quirl..."}));

    // Help stands at the right end of the bar.
    QMenuBar* bar = program->Main()->menuBar();
    const QRect help = bar->actionGeometry(program->BarMenu("&Help")->menuAction());
    const QRect window = bar->actionGeometry(program->BarMenu("&Window")->menuAction());
    EXPECT_GT(help.left(), window.right() + 50);
    EXPECT_GE(help.right(), bar->width() - 20);
}

TEST_F(GuiTest, ItemStatesFollowTheComputationAndTheDocument) {
    // While the first picture is computed.
    EXPECT_FALSE(program->MenuItem(ID_SET_COMPUTE).enabled);
    EXPECT_TRUE(program->MenuItem(ID_SET_STOP).enabled);
    ASSERT_TRUE(program->WaitForIdle());
    EXPECT_TRUE(program->MenuItem(ID_SET_COMPUTE).enabled);
    EXPECT_FALSE(program->MenuItem(ID_SET_STOP).enabled);

    EXPECT_FALSE(program->MenuItem(ID_EDIT_UNDO).enabled);
    EXPECT_FALSE(program->MenuItem(ID_EDIT_CUT).enabled);
    EXPECT_TRUE(program->MenuItem(ID_EDIT_COPY).enabled);
    EXPECT_FALSE(program->MenuItem(ID_EDIT_PASTE).enabled);
    EXPECT_FALSE(program->MenuItem(ID_FILE_MRU_FILE1).enabled);
    for (UINT id :
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT,
          ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_APP_EXIT, ID_SET_UNZOOM, ID_SET_SPECIFY,
          ID_SET_INFO, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE, ID_HELP_INDEX,
          ID_HELP_USING, ID_APP_ABOUT})
        EXPECT_TRUE(program->MenuItem(id).enabled) << id;

    EXPECT_TRUE(program->MenuItem(ID_ITER_50).checked);
    EXPECT_FALSE(program->MenuItem(ID_ITER_100).checked);
    EXPECT_FALSE(program->MenuItem(ID_ITER_OTHER).checked);
    EXPECT_TRUE(program->MenuItem(ID_METHOD_RECURSION).checked);
    EXPECT_FALSE(program->MenuItem(ID_METHOD_LINESCAN).checked);
    EXPECT_TRUE(program->MenuItem(ID_COLORS_STANDARD).checked);

    program->host.ExecuteCommand(ID_SET_UNZOOM);
    EXPECT_TRUE(program->MenuItem(ID_EDIT_UNDO).enabled);
    EXPECT_FALSE(program->MenuItem(ID_SET_COMPUTE).enabled);

    program->host.ExecuteCommand(ID_ITER_200);
    program->host.ExecuteCommand(ID_METHOD_LINESCAN);
    program->host.ExecuteCommand(ID_COLORS_GRAYSCALE);
    EXPECT_FALSE(program->MenuItem(ID_ITER_50).checked);
    EXPECT_TRUE(program->MenuItem(ID_ITER_200).checked);
    EXPECT_TRUE(program->MenuItem(ID_METHOD_LINESCAN).checked);
    EXPECT_FALSE(program->MenuItem(ID_METHOD_RECURSION).checked);
    EXPECT_TRUE(program->MenuItem(ID_COLORS_GRAYSCALE).checked);
    EXPECT_FALSE(program->MenuItem(ID_COLORS_STANDARD).checked);
}

TEST_F(GuiTest, TheMainMenuWithNoSetWindow) {
    program->host.ExecuteCommand(ID_FILE_CLOSE);
    QTest::qWait(20);
    ASSERT_EQ(program->ActiveFrame(), nullptr);
    EXPECT_EQ(Texts(program->BarMenu("&File")),
              QStringList({"&New\tCtrl+N", "&Open...\tCtrl+O", "-", "P&rint Setup...", "-",
                           "Recent File", "-", "E&xit"}));
    EXPECT_EQ(Texts(program->BarMenu("&View")), QStringList({"&Toolbar", "&Status Bar"}));
    EXPECT_EQ(Texts(program->BarMenu("&Help")), QStringList({"&About Quirl32..."}));
    EXPECT_TRUE(program->MenuItem(ID_VIEW_TOOLBAR).checked);
    EXPECT_TRUE(program->MenuItem(ID_VIEW_STATUS_BAR).checked);
    EXPECT_FALSE(program->MenuItem(ID_FILE_MRU_FILE1).enabled);

    // The View items hide and show the bars.
    program->host.ExecuteCommand(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(program->host.Tools()->isHidden());
    EXPECT_FALSE(program->MenuItem(ID_VIEW_TOOLBAR).checked);
    program->host.ExecuteCommand(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(program->host.Status()->isHidden());
    program->host.ExecuteCommand(ID_VIEW_TOOLBAR);
    program->host.ExecuteCommand(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(program->host.Tools()->isHidden());
    EXPECT_FALSE(program->host.Status()->isHidden());

    // New from the main menu opens a set window and its menu again.
    QAction* item = program->host.Menus().FindAction(IDR_MAINFRAME, ID_FILE_NEW);
    ASSERT_NE(item, nullptr);
    item->trigger();
    ASSERT_NE(program->ActiveFrame(), nullptr);
    EXPECT_EQ(program->host.Menus().Current(), IDR_QUIRL3TYPE);
}

TEST_F(GuiTest, ShortcutsRunOnlyEnabledCommands) {
    ASSERT_TRUE(program->WaitForIdle());
    CQuirl32Doc* doc = program->ActiveDoc();
    const SetExtents before = doc->m_extents;
    QWidget* view = program->ActiveViewWidget();
    view->setFocus();

    // Undo is disabled: Ctrl+Z and Alt+Backspace do nothing.
    QTest::keyClick(program->Main(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(program->Main(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(doc->m_extents.xMin, before.xMin);
    EXPECT_EQ(doc->m_extents.yMax, before.yMax);
    EXPECT_EQ(program->ActiveView()->m_bWorking, 0);

    program->host.ExecuteCommand(ID_SET_UNZOOM);
    EXPECT_DOUBLE_EQ(doc->m_extents.yMax, 2.4);
    QTest::keyClick(program->Main(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(doc->m_extents.yMax, before.yMax);
    EXPECT_EQ(doc->m_extents.xMin, before.xMin);
    EXPECT_FALSE(program->MenuItem(ID_EDIT_UNDO).enabled);

    // Cut, Paste and the pane keys are never enabled; Ctrl+N works.
    for (auto [key, mods] :
         {std::pair{Qt::Key_X, Qt::ControlModifier}, std::pair{Qt::Key_V, Qt::ControlModifier},
          std::pair{Qt::Key_Delete, Qt::ShiftModifier}, std::pair{Qt::Key_F6, Qt::NoModifier},
          std::pair{Qt::Key_F6, Qt::ShiftModifier}})
        QTest::keyClick(program->Main(), key, mods);
    EXPECT_EQ(program->Main()->MdiArea()->subWindowList().size(), 1);
    QTest::keyClick(program->Main(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(program->Main()->MdiArea()->subWindowList().size(), 2);
}
