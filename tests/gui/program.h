#pragma once
// The real program in the test process: the Qt backend, the application and
// its start-up, on the offscreen platform, with settings in a folder of the
// test's own. Modal dialogs are answered by actions queued before the
// command that opens them.

#include "app/quirl32_app.h"
#include "commands/resource_ids.h"
#include "doc/quirl32_doc.h"
#include "platform/framework/frame.h"
#include "platform/qt/dialogs/template_dialog.h"
#include "platform/qt/host/qt_host.h"
#include "platform/qt/windows/child_window.h"
#include "platform/qt/windows/main_window.h"
#include "platform/qt/windows/menu_set.h"
#include "platform/qt/windows/status_bar.h"
#include "platform/qt/windows/tool_bar.h"
#include "platform/qt/windows/view_widget.h"
#include "qt_print.h"
#include "view/quirl32_view.h"

#include <QAction>
#include <QMenu>
#include <QString>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    QtHost host;
    CQuirl32App app;

    MainWindow* Main() { return host.Main(); }
    CMDIChildWnd* ActiveFrame() { return host.GetActiveChildFrame(); }
    CQuirl32View* ActiveView();
    CQuirl32Doc* ActiveDoc();
    ViewWidget* ActiveViewWidget();
    ChildWindow* ActiveChildWindow();

    // Until no view has work left (the idle loop has stopped).
    bool WaitForIdle(int timeoutMs = 20000);

    // The command's state as its menu item shows it when the menu opens.
    struct ItemState {
        bool found = false;
        bool enabled = false;
        bool checked = false;
        QString text;
    };
    ItemState MenuItem(UINT commandId);
    // The menu of the bar whose title is text ("&File").
    QMenu* BarMenu(const QString& text);
    QStringList BarTitles();
};

// Runs action on the next modal widget that opens (a dialog, message box,
// file or print dialog), once.
void WhenModal(std::function<void(QWidget*)> action);
// Forgets the answers whose modal widget never opened; returns how many.
int DropPendingAnswers();
// Presses a template dialog's button by its control id.
void Press(QWidget* modal, int id);
void SetText(QWidget* modal, int id, const QString& text);
QString Text(QWidget* modal, int id);

// A test with the program started.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<Program> program;

private:
    std::unique_ptr<QTimer> watchdog;
    QWidget* lastModal = nullptr;
};
