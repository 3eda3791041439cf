// The toolbar: twelve buttons in four groups, their states with and without
// a set window, tooltips only where the string table has one.

#include "program.h"

#include <QApplication>
#include <QToolButton>

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
    Program::Process(50);
    EXPECT_TRUE(program->host.Tools()->ActionFor(ID_SET_COMPUTE)->isEnabled());
    EXPECT_FALSE(program->host.Tools()->ActionFor(ID_SET_STOP)->isEnabled());
}

TEST_F(GuiTest, ToolbarStatesWithoutASetWindow) {
    program->host.ExecuteCommand(ID_FILE_CLOSE);
    Program::Process();
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
