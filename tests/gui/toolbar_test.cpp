// The toolbar: twelve buttons in four groups, their states with and without
// a set window, tooltips only where the string table has one, and what
// assistive tools learn of them.

#include "program.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QToolButton>

#include <map>
#include <set>

namespace {

std::vector<UINT> Layout(ToolBar* bar) {
    std::vector<UINT> ids;
    for (QAction* action : bar->actions())
        ids.push_back(action->isSeparator() ? ID_SEPARATOR : action->data().toUInt());
    return ids;
}

struct ButtonState {
    bool enabled;
    bool checked;
};

ButtonState State(Program& p, UINT id) {
    p.host.UpdateToolBarStates();
    QAction* action = p.host.Tools()->ActionFor(id);
    return {action->isEnabled(), action->isChecked()};
}

} // namespace

TEST_F(GuiTest, ToolbarButtonsStandInTheirOrderWithPictures) {
    ToolBar* bar = program->host.Tools();
    EXPECT_EQ(
        Layout(bar),
        (std::vector<UINT>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR,
                           ID_METHOD_LINESCAN, ID_METHOD_RANDOM, ID_METHOD_RECURSION, ID_SEPARATOR,
                           ID_SET_COMPUTE, ID_SET_STOP, ID_SEPARATOR, ID_COLORS_STANDARD,
                           ID_COLORS_BW, ID_COLORS_GRAYSCALE, ID_SEPARATOR, ID_SET_INFO}));
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));
    QImage previous;
    for (auto& [id, action] : bar->Actions()) {
        const QImage image = action->icon().pixmap(QSize(16, 15)).toImage();
        EXPECT_EQ(image.size(), QSize(16, 15)) << id;
        EXPECT_NE(image, previous) << id;
        previous = image;
    }
    EXPECT_EQ(bar->ActionFor(ID_FILE_NEW)->toolTip(), QStringLiteral("New"));
    EXPECT_EQ(bar->ActionFor(ID_FILE_SAVE)->toolTip(), QStringLiteral("Save"));
    EXPECT_TRUE(bar->ActionFor(ID_SET_COMPUTE)->toolTip().isEmpty());
    EXPECT_TRUE(bar->ActionFor(ID_COLORS_BW)->toolTip().isEmpty());
    EXPECT_EQ(bar->ActionFor(ID_COLORS_BW)->statusTip(), QStringLiteral("Use monochrome palette"));
}

TEST_F(GuiTest, ToolbarStatesWithASetWindow) {
    ASSERT_TRUE(program->WaitForIdle());
    Program& p = *program;
    for (UINT id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_METHOD_LINESCAN, ID_METHOD_RANDOM,
                    ID_METHOD_RECURSION, ID_SET_COMPUTE, ID_COLORS_STANDARD, ID_COLORS_BW,
                    ID_COLORS_GRAYSCALE, ID_SET_INFO})
        EXPECT_TRUE(State(p, id).enabled) << id;
    EXPECT_FALSE(State(p, ID_SET_STOP).enabled);
    EXPECT_TRUE(State(p, ID_METHOD_RECURSION).checked);
    EXPECT_FALSE(State(p, ID_METHOD_RANDOM).checked);
    EXPECT_TRUE(State(p, ID_COLORS_STANDARD).checked);

    // A press runs the command; the buttons follow at once.
    p.host.Tools()->ActionFor(ID_METHOD_RANDOM)->trigger();
    EXPECT_EQ(p.ActiveView()->m_nMethod, Random);
    EXPECT_TRUE(p.host.Tools()->ActionFor(ID_METHOD_RANDOM)->isChecked());
    EXPECT_FALSE(p.host.Tools()->ActionFor(ID_METHOD_RECURSION)->isChecked());
    p.host.Tools()->ActionFor(ID_SET_COMPUTE)->trigger();
    EXPECT_TRUE(p.host.Tools()->ActionFor(ID_SET_STOP)->isEnabled());
    EXPECT_FALSE(p.host.Tools()->ActionFor(ID_SET_COMPUTE)->isEnabled());
    p.host.Tools()->ActionFor(ID_SET_STOP)->trigger();
    EXPECT_EQ(p.ActiveView()->m_bWorking, 0);

    // Pressing a checked colour button keeps it pressed.
    p.host.Tools()->ActionFor(ID_COLORS_BW)->trigger();
    p.host.Tools()->ActionFor(ID_COLORS_BW)->trigger();
    EXPECT_TRUE(p.host.Tools()->ActionFor(ID_COLORS_BW)->isChecked());
    EXPECT_FALSE(p.host.Tools()->ActionFor(ID_COLORS_STANDARD)->isChecked());
}

TEST_F(GuiTest, ToolbarStatesFollowAtIdleTime) {
    // The first picture ends by itself; its finish refreshes the buttons.
    ASSERT_TRUE(program->WaitForIdle());
    QTest::qWait(50);
    EXPECT_TRUE(program->host.Tools()->ActionFor(ID_SET_COMPUTE)->isEnabled());
    EXPECT_FALSE(program->host.Tools()->ActionFor(ID_SET_STOP)->isEnabled());
}

TEST_F(GuiTest, ToolbarStatesWithoutASetWindow) {
    program->host.ExecuteCommand(ID_FILE_CLOSE);
    QTest::qWait(20);
    ASSERT_EQ(program->ActiveFrame(), nullptr);
    Program& p = *program;
    for (UINT id : {ID_FILE_SAVE, ID_METHOD_LINESCAN, ID_METHOD_RANDOM, ID_METHOD_RECURSION,
                    ID_SET_COMPUTE, ID_SET_STOP, ID_SET_INFO})
        EXPECT_FALSE(State(p, id).enabled) << id;
    for (UINT id :
         {ID_FILE_NEW, ID_FILE_OPEN, ID_COLORS_STANDARD, ID_COLORS_BW, ID_COLORS_GRAYSCALE})
        EXPECT_TRUE(State(p, id).enabled) << id;
    EXPECT_TRUE(State(p, ID_COLORS_STANDARD).checked);
    EXPECT_FALSE(State(p, ID_METHOD_RECURSION).checked);

    // A greyed button does nothing when pressed.
    p.host.Tools()->ActionFor(ID_SET_INFO)->trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    p.host.Tools()->ActionFor(ID_COLORS_GRAYSCALE)->trigger();
    EXPECT_TRUE(State(p, ID_COLORS_GRAYSCALE).checked);
    EXPECT_EQ(p.app.m_paletteScheme, Grayscale);
}

TEST_F(GuiTest, ToolbarButtonsTellAssistiveToolsTheirCommands) {
    ASSERT_TRUE(program->WaitForIdle());
    program->host.UpdateToolBarStates();
    ToolBar* bar = program->host.Tools();
    const std::map<UINT, QString> names = {{ID_FILE_NEW, "New"},
                                           {ID_FILE_OPEN, "Open..."},
                                           {ID_FILE_SAVE, "Save"},
                                           {ID_METHOD_LINESCAN, "Line-scan"},
                                           {ID_METHOD_RANDOM, "Random"},
                                           {ID_METHOD_RECURSION, "Recursion"},
                                           {ID_SET_COMPUTE, "Compute!"},
                                           {ID_SET_STOP, "Stop!"},
                                           {ID_COLORS_STANDARD, "Standard"},
                                           {ID_COLORS_BW, "B/W"},
                                           {ID_COLORS_GRAYSCALE, "Grayscale"},
                                           {ID_SET_INFO, "Info..."}};
    const std::set<UINT> states = {ID_METHOD_LINESCAN, ID_METHOD_RANDOM, ID_METHOD_RECURSION,
                                   ID_COLORS_STANDARD, ID_COLORS_BW,     ID_COLORS_GRAYSCALE};
    ASSERT_EQ(bar->Actions().size(), names.size());
    for (const auto& [id, name] : names) {
        QWidget* button = bar->widgetForAction(bar->ActionFor(id));
        ASSERT_NE(button, nullptr) << id;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(a, nullptr) << id;
        EXPECT_EQ(a->text(QAccessible::Name), name) << id;
        EXPECT_EQ(a->text(QAccessible::Description), CommandPrompt(id)) << id;
        EXPECT_FALSE(a->text(QAccessible::Description).isEmpty()) << id;
        const bool checkable = states.count(id) != 0;
        EXPECT_EQ(bar->ActionFor(id)->isCheckable(), checkable) << id;
        EXPECT_EQ(bool(a->state().checkable), checkable) << id;
        EXPECT_EQ(a->role() == QAccessible::CheckBox, checkable) << id;
    }
    // No tooltip where the string table has none.
    EXPECT_TRUE(bar->ActionFor(ID_SET_COMPUTE)->toolTip().isEmpty());
    EXPECT_TRUE(bar->ActionFor(ID_SET_INFO)->toolTip().isEmpty());

    // A push button stays up when pressed; Compute! runs.
    program->host.ExecuteCommand(ID_SET_STOP);
    bar->ActionFor(ID_SET_COMPUTE)->trigger();
    EXPECT_FALSE(bar->ActionFor(ID_SET_COMPUTE)->isChecked());
    EXPECT_EQ(program->ActiveView()->m_bWorking, 1);
}
