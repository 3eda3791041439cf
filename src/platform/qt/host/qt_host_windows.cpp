// The backend's windows: the main window with its bars and menus, the set
// windows, titles and arrangement.

#include "platform/qt/host/qt_host.h"

#include "platform/docview/doctemplate.h"
#include "platform/docview/winapp.h"
#include "platform/framework/bars.h"
#include "platform/framework/dialog.h"
#include "platform/framework/frame.h"
#include "platform/framework/std_ids.h"
#include "platform/qt/dialogs/focus_return.h"
#include "platform/qt/dialogs/help_window.h"
#include "platform/qt/dialogs/template_dialog.h"
#include "platform/qt/host/guarded_call.h"
#include "platform/qt/host/image_convert.h"
#include "platform/qt/host/qt_text.h"
#include "platform/qt/host/window_peers.h"
#include "platform/qt/windows/child_window.h"
#include "platform/qt/windows/lock_keys.h"
#include "platform/qt/windows/main_window.h"
#include "platform/qt/windows/menu_bar_style.h"
#include "platform/qt/windows/menu_set.h"
#include "platform/qt/windows/status_bar.h"
#include "platform/qt/windows/tool_bar.h"
#include "platform/qt/windows/view_widget.h"
#include "platform/qt/windows/window_list.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace {

QIcon ResourceIcon(UINT id) {
    const auto& icons = AfxGetResources().icons;
    const auto it = icons.find(id);
    return it == icons.end() ? QIcon() : QIcon(QPixmap::fromImage(BitmapToImage(it->second)));
}

// The Qt key of a virtual-key code of the accelerator table.
int QtKeyOf(UINT vk) {
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key_A + int(vk - 'A');
    if (vk >= '0' && vk <= '9')
        return Qt::Key_0 + int(vk - '0');
    if (vk >= 0x70 && vk <= 0x7B)
        return Qt::Key_F1 + int(vk - 0x70);
    switch (vk) {
    case VK_BACK:
        return Qt::Key_Backspace;
    case VK_INSERT:
        return Qt::Key_Insert;
    case VK_DELETE:
        return Qt::Key_Delete;
    default:
        return 0;
    }
}

QKeySequence KeySequenceOf(const AccelEntry& entry) {
    const int key = QtKeyOf(entry.key);
    if (key == 0)
        return {};
    int modifiers = 0;
    if (entry.modifiers & FCONTROL)
        modifiers |= Qt::CTRL;
    if (entry.modifiers & FSHIFT)
        modifiers |= Qt::SHIFT;
    if (entry.modifiers & FALT)
        modifiers |= Qt::ALT;
    return QKeySequence(modifiers | key);
}

} // namespace

QWidget* QtHost::Owner() const {
    return m_main;
}

BOOL QtHost::CreateMainFrame(CMDIFrameWnd* pFrame, UINT nIDResource) {
    if (m_main)
        return FALSE;
    auto* main = new MainWindow(pFrame);
    m_main = main;
    main->setWindowIcon(ResourceIcon(nIDResource));
    main->setWindowTitle(ToQt(AfxLoadString(nIDResource)));
    // Windows close and files open only between modal loops: a drag of the
    // rubber band still has its view on the stack.
    connect(main, &MainWindow::closeRequested, this, [this] {
        if (m_pump.ModalDepth() == 0)
            ExecuteCommand(ID_APP_EXIT);
    });
    connect(main, &MainWindow::fileDropped, this, [this](const QString& path) {
        if (m_pump.ModalDepth() > 0)
            return;
        GuardedCall([&] {
            if (CWinApp* app = AfxGetApp())
                app->OpenDocumentFile(FromQt(path));
        });
        m_pump.Restart();
    });
    connect(main, &MainWindow::activated, this, [this] {
        if (CMDIFrameWnd* frame = MainFrame())
            GuardedCall([frame] { frame->SendMessage(WM_QUERYNEWPALETTE); });
    });
    connect(main->MdiArea(), &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* sub) { ChildActivated(qobject_cast<ChildWindow*>(sub)); });
    auto* style = new MenuBarStyle;
    style->setParent(main);
    main->menuBar()->setStyle(style);
    m_menus->Show(main->menuBar(), nIDResource);
    CreateShortcuts(nIDResource);
    CreateWindowShortcuts();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize avail = screen->availableGeometry().size();
        main->resize(std::max(640, avail.width() * 3 / 4), std::max(480, avail.height() * 3 / 4));
    }
    pFrame->SetPeer(std::make_unique<MainWindowPeer>(*this, pFrame, main));
    return TRUE;
}

void QtHost::CreateShortcuts(UINT nIDResource) {
    const auto& tables = AfxGetResources().accelerators;
    const auto table = tables.find(nIDResource);
    if (table == tables.end())
        return;
    for (const AccelEntry& entry : table->second) {
        const QKeySequence keys = KeySequenceOf(entry);
        if (keys.isEmpty())
            continue;
        auto* shortcut = new QShortcut(keys, m_main);
        shortcut->setContext(Qt::WindowShortcut);
        const UINT id = entry.command;
        connect(shortcut, &QShortcut::activated, this, [this, id] { ExecuteCommand(id); });
        m_shortcuts.push_back(shortcut);
    }
}

// The keys of the set windows' own menu: Ctrl+F4 closes the active one,
// Ctrl+F6 and Ctrl+Shift+F6 go to the next and the previous one.
void QtHost::CreateWindowShortcuts() {
    const auto add = [this](const QKeySequence& keys, auto action) {
        auto* shortcut = new QShortcut(keys, m_main);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
        m_shortcuts.push_back(shortcut);
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_F4), [this] {
        if (QMdiSubWindow* sub = m_main ? m_main->MdiArea()->currentSubWindow() : nullptr)
            sub->close();
    });
    add(QKeySequence(Qt::CTRL | Qt::Key_F6), [this] {
        if (m_main)
            m_main->MdiArea()->activateNextSubWindow();
    });
    add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6), [this] {
        if (m_main)
            m_main->MdiArea()->activatePreviousSubWindow();
    });
}

void QtHost::ShowWindowList(QMenu* menu) {
    if (!m_main)
        return;
    const auto activate = [this](QMdiSubWindow* sub) {
        auto* child = qobject_cast<ChildWindow*>(sub);
        CMDIChildWnd* frame = FrameOf(child);
        if (frame == nullptr)
            return;
        // A minimised window comes back at its size when chosen.
        if (child->isMinimized())
            child->showNormal();
        ActivateChildFrame(frame);
    };
    const auto more = [this, activate] {
        QMdiSubWindow* chosen = nullptr;
        {
            ModalScope modal(m_pump);
            FocusReturn focus(m_main);
            chosen = ChooseWindow(m_main, m_main->MdiArea());
        }
        if (chosen != nullptr)
            activate(chosen);
    };
    RefreshWindowList(menu, m_main->MdiArea(), WindowListActions{activate, more});
}

BOOL QtHost::CreateToolBar(CToolBar* pBar, CWnd*) {
    if (!m_main)
        return FALSE;
    m_toolBar =
        new ToolBar([this](UINT id, CCmdUI& state) { UpdateCommandState(id, state); }, m_main);
    connect(m_toolBar, &ToolBar::commandChosen, this, &QtHost::ExecuteCommand);
    m_main->addToolBar(Qt::TopToolBarArea, m_toolBar);
    pBar->SetPeer(std::make_unique<QtWindowPeer>(*this, pBar));
    return TRUE;
}

BOOL QtHost::LoadToolBar(CToolBar*, UINT nIDResource) {
    return m_toolBar && m_toolBar->Load(nIDResource) ? TRUE : FALSE;
}

BOOL QtHost::CreateStatusBar(CStatusBar* pBar, CWnd*) {
    if (!m_main)
        return FALSE;
    m_statusBar = new StatusBar;
    m_main->setStatusBar(m_statusBar);
    connect(m_menus.get(), &MenuSet::itemHighlighted, m_statusBar, &StatusBar::ItemHighlighted);
    connect(m_menus.get(), &MenuSet::menuClosed, m_statusBar, &StatusBar::MenuClosed);
    pBar->SetPeer(std::make_unique<QtWindowPeer>(*this, pBar));
    return TRUE;
}

BOOL QtHost::SetIndicators(CStatusBar*, const UINT* ids, int count) {
    if (!m_statusBar || ids == nullptr || count < 0)
        return FALSE;
    m_statusBar->SetIndicators(std::vector<UINT>(ids, ids + count));
    m_statusBar->UpdateIndicators(ReadLockKeys());
    return TRUE;
}

BOOL QtHost::CreateChildFrame(CMDIChildWnd* pFrame, CView* pView, const CREATESTRUCT& cs) {
    if (!m_main)
        return FALSE;
    auto* view = new ViewWidget(pView);
    view->setObjectName(QStringLiteral("SetView"));
    auto* child = new ChildWindow(pFrame, view);
    child->setObjectName(QStringLiteral("SetWindow"));
    // Set windows show the icon of their document template.
    QIcon icon;
    if (CDocument* doc = pView != nullptr ? pView->GetDocument() : nullptr)
        if (CDocTemplate* tmpl = doc->GetDocTemplate())
            icon = ResourceIcon(tmpl->GetResourceId());
    child->setWindowIcon(icon.isNull() ? m_main->windowIcon() : icon);
    connect(child, &ChildWindow::closeRequested, this, [this](ChildWindow* c) {
        CMDIChildWnd* frame = FrameOf(c);
        if (frame != nullptr && m_pump.ModalDepth() == 0)
            GuardedCall([frame] { frame->MDIDestroy(); });
        m_pump.Restart();
    });
    connect(child, &ChildWindow::stateChanged, this,
            [this] { QTimer::singleShot(0, this, [this] { ApplyMainTitle(); }); });
    // Sized before it joins the workspace, so that it is placed at its
    // own size.
    child->resize(cs.cx > 0 ? cs.cx : 260, cs.cy > 0 ? cs.cy : 260);
    m_main->MdiArea()->addSubWindow(child);
    // Lay the window out now, so that the view has its client size before
    // it is shown.
    child->ensurePolished();
    view->ensurePolished();
    if (child->layout() != nullptr)
        child->layout()->activate();
    m_main->PlaceNewWindow(child);
    pFrame->SetPeer(std::make_unique<ChildWindowPeer>(*this, pFrame, child));
    if (pView != nullptr)
        pView->SetPeer(std::make_unique<ViewPeer>(*this, pView, view));
    view->NotifyCreated();
    return TRUE;
}

void QtHost::ActivateChildFrame(CMDIChildWnd* pFrame) {
    ChildWindow* child = ChildWindowOf(pFrame);
    if (child == nullptr || !m_main)
        return;
    if (child->isHidden())
        child->show();
    if (m_main->MdiArea()->currentSubWindow() != child)
        m_main->MdiArea()->setActiveSubWindow(child);
}

CMDIChildWnd* QtHost::GetActiveChildFrame() {
    if (!m_main)
        return nullptr;
    QMdiSubWindow* sub = m_main->MdiArea()->currentSubWindow();
    return FrameOf(qobject_cast<ChildWindow*>(sub));
}

void QtHost::ChildActivated(ChildWindow* child) {
    if (FrameOf(child) == nullptr)
        return;
    // The menu bar and the title follow the window the user activated.
    if (CMDIFrameWnd* frame = MainFrame())
        GuardedCall([frame] { frame->OnActiveChildChanged(); });
}

// A maximised set window shows its title in the main window's caption as
// "Quirl32 - [Quirl31]": Qt adds the bracketed part, so the caption itself
// then holds the program's name only.
void QtHost::ApplyMainTitle() {
    if (!m_main)
        return;
    QString title = m_mainTitle;
    if (QMdiSubWindow* sub = m_main->MdiArea()->currentSubWindow();
        sub != nullptr && sub->isMaximized()) {
        const QString suffix = QStringLiteral(" - ") + sub->windowTitle();
        if (title.endsWith(suffix))
            title.chop(suffix.size());
    }
    if (m_main->windowTitle() != title)
        m_main->setWindowTitle(title);
}

void QtHost::SetMainTitle(const QString& title) {
    m_mainTitle = title;
    ApplyMainTitle();
}

void QtHost::ArrangeChildren(UINT nCommand) {
    if (!m_main)
        return;
    switch (nCommand) {
    case ID_WINDOW_CASCADE:
        m_main->Cascade();
        break;
    case ID_WINDOW_TILE_HORZ:
        m_main->MdiArea()->tileSubWindows();
        break;
    case ID_WINDOW_ARRANGE:
        m_main->ArrangeIcons();
        break;
    default:
        break;
    }
}

void QtHost::ShowControlBar(UINT nBarId, bool show) {
    if (nBarId == AFX_IDW_TOOLBAR && m_toolBar)
        m_toolBar->setVisible(show);
    if (nBarId == AFX_IDW_STATUS_BAR && m_statusBar)
        m_statusBar->setVisible(show);
}

bool QtHost::IsControlBarVisible(UINT nBarId) {
    if (nBarId == AFX_IDW_TOOLBAR)
        return m_toolBar && !m_toolBar->isHidden();
    if (nBarId == AFX_IDW_STATUS_BAR)
        return m_statusBar && !m_statusBar->isHidden();
    return false;
}

void QtHost::SetMenu(CMDIFrameWnd*, UINT nIDResource) {
    if (m_main)
        m_menus->Show(m_main->menuBar(), nIDResource);
}

void QtHost::RecentFilesChanged() {
    if (CWinApp* app = AfxGetApp())
        m_menus->SetRecentFiles(app->GetRecentFiles());
}
