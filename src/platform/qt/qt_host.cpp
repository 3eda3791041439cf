#include "platform/qt/qt_host.h"

#include "platform/dialog.h"
#include "platform/doctemplate.h"
#include "platform/frame.h"
#include "platform/qt/child_window.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/guarded_call.h"
#include "platform/qt/help_window.h"
#include "platform/qt/image_convert.h"
#include "platform/qt/lock_keys.h"
#include "platform/qt/main_window.h"
#include "platform/qt/menu_bar_style.h"
#include "platform/qt/menu_set.h"
#include "platform/qt/posted_message.h"
#include "platform/qt/print_support.h"
#include "platform/qt/rubber_band.h"
#include "platform/qt/status_bar.h"
#include "platform/qt/template_dialog.h"
#include "platform/qt/tool_bar.h"
#include "platform/qt/view_widget.h"
#include "platform/std_ids.h"
#include "platform/winapp.h"

#include <QApplication>
#include <QClipboard>
#include <QLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QTimer>

namespace {

// Drawing done through a window's context shows at most this late.
constexpr int kPresentIntervalMs = 30;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

constexpr UINT MB_ICONMASK = 0x00F0;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ICONHAND = 0x0010;
constexpr UINT MB_ICONASTERISK = 0x0040;

QString ToQt(const CString& s) {
    return QString::fromStdString(s);
}
CString FromQt(const QString& s) {
    return s.toStdString();
}

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

CString SettingsName(const CString& value) {
    return value.empty() ? "Quirl32" : value;
}

} // namespace

QtHost::QtHost() {
    const CommandUi ui{[this](UINT id) { ExecuteCommand(id); },
                       [this](UINT id, CCmdUI& state) { UpdateCommandState(id, state); }};
    m_menus = std::make_unique<MenuSet>(ui);
    m_print = std::make_unique<PrintSupport>(m_pump);
    m_pump.beforeIdle = [this] { FlushPaints(); };
    m_pump.afterIdle = [this](bool more) {
        if (!more && onIdleDone)
            onIdleDone();
    };
}

QtHost::~QtHost() {
    delete m_help;
    delete m_main;
}

MainWindow* QtHost::Main() const {
    return m_main;
}
ToolBar* QtHost::Tools() const {
    return m_toolBar;
}
StatusBar* QtHost::Status() const {
    return m_statusBar;
}
HelpWindow* QtHost::Help() const {
    return m_help;
}
PrintSupport& QtHost::Printing() {
    return *m_print;
}

// ---------------------------------------------------------------- commands

void QtHost::ExecuteCommand(UINT id) {
    GuardedCall([id] {
        if (CWinApp* app = AfxGetApp())
            app->ExecuteCommand(id);
    });
    // A command may change colours: show every view as it now stands.
    for (auto& [view, widget] : m_views)
        widget->update();
    m_pump.Restart();
}

void QtHost::UpdateCommandState(UINT id, CCmdUI& ui) {
    GuardedCall([&] {
        if (CWinApp* app = AfxGetApp())
            app->UpdateCommandUI(id, ui);
    });
}

void QtHost::UpdateToolBarStates() {
    if (m_toolBar)
        m_toolBar->UpdateStates();
    if (m_statusBar)
        m_statusBar->UpdateIndicators(ReadLockKeys());
}

// ---------------------------------------------------------------- windows

QWidget* QtHost::Owner() const {
    return m_main;
}

BOOL QtHost::CreateMainFrame(CMDIFrameWnd* pFrame, UINT nIDResource) {
    if (m_main)
        return FALSE;
    m_pMainFrame = pFrame;
    auto* main = new MainWindow(pFrame);
    m_main = main;
    main->setWindowIcon(ResourceIcon(nIDResource));
    main->setWindowTitle(ToQt(AfxLoadString(nIDResource)));
    main->onCloseRequest = [this] { ExecuteCommand(ID_APP_EXIT); };
    main->onFileDropped = [this](const QString& path) {
        GuardedCall([&] {
            if (CWinApp* app = AfxGetApp())
                app->OpenDocumentFile(FromQt(path));
        });
        m_pump.Restart();
    };
    main->onActivated = [this] {
        if (m_pMainFrame != nullptr && IsLive(m_pMainFrame))
            GuardedCall([this] { m_pMainFrame->SendMessage(WM_QUERYNEWPALETTE); });
    };
    connect(main->MdiArea(), &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* sub) { ChildActivated(qobject_cast<ChildWindow*>(sub)); });
    auto* style = new MenuBarStyle;
    style->setParent(main);
    main->menuBar()->setStyle(style);
    m_menus->Show(main->menuBar(), nIDResource);
    CreateShortcuts(nIDResource);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize avail = screen->availableGeometry().size();
        main->resize(std::max(640, avail.width() * 3 / 4), std::max(480, avail.height() * 3 / 4));
    }
    m_live.insert(pFrame);
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

BOOL QtHost::CreateToolBar(CToolBar* pBar, CWnd*) {
    if (!m_main)
        return FALSE;
    const CommandUi ui{[this](UINT id) { ExecuteCommand(id); },
                       [this](UINT id, CCmdUI& state) { UpdateCommandState(id, state); }};
    m_toolBar = new ToolBar(ui, m_main);
    m_main->addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_live.insert(reinterpret_cast<CWnd*>(pBar));
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
    m_live.insert(reinterpret_cast<CWnd*>(pBar));
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
    child->onCloseRequest = [this](ChildWindow* c) {
        CMDIChildWnd* frame = c->Frame();
        if (frame != nullptr && IsLive(frame))
            GuardedCall([frame] { frame->MDIDestroy(); });
        m_pump.Restart();
    };
    m_main->MdiArea()->addSubWindow(child);
    child->resize(cs.cx > 0 ? cs.cx : 260, cs.cy > 0 ? cs.cy : 260);
    // Lay the window out now, so that the view has its client size before
    // it is shown.
    child->ensurePolished();
    view->ensurePolished();
    if (child->layout() != nullptr)
        child->layout()->activate();
    m_children[pFrame] = child;
    m_views[pView] = view;
    m_live.insert(pFrame);
    m_live.insert(pView);
    view->NotifyCreated();
    return TRUE;
}

void QtHost::DestroyWindow(CWnd* pWnd) {
    if (pWnd == nullptr)
        return;
    if (auto it = m_children.find(pWnd); it != m_children.end()) {
        ChildWindow* child = it->second;
        m_children.erase(it);
        if (ViewWidget* view = child->View(); view != nullptr && view->View() != nullptr) {
            m_live.erase(view->View());
            m_views.erase(view->View());
        }
        child->Detach();
        if (m_main)
            m_main->MdiArea()->removeSubWindow(child);
        child->hide();
        child->deleteLater();
    } else if (auto v = m_views.find(pWnd); v != m_views.end()) {
        v->second->Detach();
        m_views.erase(v);
    } else if (pWnd == m_pMainFrame) {
        for (auto& [frame, child] : m_children)
            child->Detach();
        for (auto& [view, widget] : m_views)
            widget->Detach();
        m_children.clear();
        m_views.clear();
        m_pMainFrame = nullptr;
        if (m_main) {
            m_main->Detach();
            m_main->hide();
            m_main->deleteLater();
        }
        if (m_help)
            m_help->close();
    }
    m_live.erase(pWnd);
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
    auto* child = qobject_cast<ChildWindow*>(sub);
    if (child == nullptr || child->Frame() == nullptr || !IsLive(child->Frame()))
        return nullptr;
    return child->Frame();
}

void QtHost::ChildActivated(ChildWindow* child) {
    if (child == nullptr || child->Frame() == nullptr || !IsLive(child->Frame()))
        return;
    // The menu bar and the title follow the window the user activated.
    if (m_pMainFrame != nullptr && IsLive(m_pMainFrame))
        GuardedCall([this] { m_pMainFrame->OnActiveChildChanged(); });
}

void QtHost::ShowWindow(CWnd* pWnd, int nCmdShow) {
    QWidget* w = nullptr;
    if (pWnd == m_pMainFrame)
        w = m_main;
    else if (ChildWindow* child = ChildWindowOf(pWnd))
        w = child;
    if (w == nullptr)
        return;
    switch (nCmdShow) {
    case SW_HIDE:
        w->hide();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        w->showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        w->showMaximized();
        break;
    case SW_RESTORE:
        w->showNormal();
        break;
    default:
        w->show();
        break;
    }
}

void QtHost::SetWindowText(CWnd* pWnd, const CString& text) {
    if (pWnd == m_pMainFrame && m_main)
        m_main->setWindowTitle(ToQt(text));
    else if (ChildWindow* child = ChildWindowOf(pWnd))
        child->setWindowTitle(ToQt(text));
    else if (auto* dialog = dynamic_cast<CDialog*>(pWnd))
        if (TemplateDialog* d = DialogOf(*dialog))
            d->setWindowTitle(ToQt(text));
}

CSize QtHost::GetClientSize(const CWnd* pWnd) {
    QSize size;
    if (ViewWidget* view = ViewWidgetOf(pWnd))
        size = view->ClientSize();
    else if (ChildWindow* child = ChildWindowOf(pWnd))
        size = child->contentsRect().size();
    else if (pWnd == m_pMainFrame && m_main)
        size = m_main->size();
    else if (auto* dialog = dynamic_cast<const CDialog*>(pWnd))
        if (TemplateDialog* d = DialogOf(*dialog))
            size = d->size();
    return CSize{size.width(), size.height()};
}

Surface* QtHost::GetWindowSurface(CWnd* pWnd) {
    ViewWidget* view = ViewWidgetOf(pWnd);
    if (view == nullptr)
        return nullptr;
    // Whoever takes the surface may draw on it: show it soon.
    view->MarkChanged();
    if (!m_presentScheduled) {
        m_presentScheduled = true;
        QTimer::singleShot(kPresentIntervalMs, this, [this] {
            m_presentScheduled = false;
            PresentChangedViews();
        });
    }
    return &view->WindowSurface();
}

void QtHost::PresentChangedViews() {
    for (auto& [pView, widget] : m_views)
        if (widget->TakeChanged())
            widget->update();
}

void QtHost::FlushPaints() {
    std::vector<ViewWidget*> due;
    for (auto& [pView, widget] : m_views)
        if (widget->NeedsPaint() && widget->isVisible())
            due.push_back(widget);
    for (ViewWidget* widget : due)
        widget->FlushPaint();
}

void QtHost::Invalidate(CWnd* pWnd) {
    if (ViewWidget* view = ViewWidgetOf(pWnd))
        view->Invalidate();
    else if (ChildWindow* child = ChildWindowOf(pWnd))
        child->update();
    else if (pWnd == m_pMainFrame && m_main)
        m_main->update();
}

void QtHost::UpdateWindow(CWnd* pWnd) {
    if (ViewWidget* view = ViewWidgetOf(pWnd))
        view->FlushPaint();
}

void QtHost::PostMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    QCoreApplication::postEvent(this, new PostedMessageEvent(pWnd, message, wParam, lParam));
}

bool QtHost::event(QEvent* event) {
    if (event->type() != PostedMessageEvent::Type())
        return QObject::event(event);
    auto* posted = static_cast<PostedMessageEvent*>(event);
    // A window closed since the message was posted gets nothing.
    if (IsLive(posted->m_pWnd))
        GuardedCall([posted] {
            posted->m_pWnd->SendMessage(posted->m_message, posted->m_wParam, posted->m_lParam);
        });
    m_pump.Restart();
    return true;
}

void QtHost::ArrangeChildren(UINT nCommand) {
    if (!m_main)
        return;
    switch (nCommand) {
    case ID_WINDOW_CASCADE:
        m_main->MdiArea()->cascadeSubWindows();
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

void QtHost::DragAcceptFiles(CWnd* pWnd, bool accept) {
    if (pWnd == m_pMainFrame && m_main)
        m_main->setAcceptDrops(accept);
}

void QtHost::SetMenu(CMDIFrameWnd*, UINT nIDResource) {
    if (m_main)
        m_menus->Show(m_main->menuBar(), nIDResource);
}

void QtHost::RecentFilesChanged() {
    if (CWinApp* app = AfxGetApp())
        m_menus->SetRecentFiles(app->GetRecentFiles());
}

ViewWidget* QtHost::ViewWidgetOf(const CWnd* pView) const {
    const auto it = m_views.find(pView);
    return it == m_views.end() ? nullptr : it->second;
}

ChildWindow* QtHost::ChildWindowOf(const CWnd* pFrame) const {
    const auto it = m_children.find(pFrame);
    return it == m_children.end() ? nullptr : it->second;
}

TemplateDialog* QtHost::DialogOf(const CDialog& dialog) const {
    const auto it = m_dialogs.find(&dialog);
    return it == m_dialogs.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- modal loops

BOOL QtHost::TrackRubberBand(CWnd* pWnd, CPoint start, BOOL bAllowInvert, CRect& result) {
    ViewWidget* view = ViewWidgetOf(pWnd);
    if (view == nullptr)
        return FALSE;
    const TrackResult track =
        ::TrackRubberBand(view, QPoint(start.x, start.y), bAllowInvert != FALSE, m_pump);
    result = CRect(track.rect.left(), track.rect.top(), track.rect.right(), track.rect.bottom());
    return track.changed ? TRUE : FALSE;
}

long QtHost::RunModalDialog(CDialog& dialog) {
    const DialogTemplate* t = dialog.GetTemplate();
    if (t == nullptr)
        return -1;
    TemplateDialog window(dialog, *t, Owner());
    m_dialogs[&dialog] = &window;
    m_live.insert(&dialog);
    const BOOL defaultFocus = GuardedCall([&] { return dialog.OnInitDialog(); }, TRUE);
    if (defaultFocus)
        window.FocusFirstTabStop();
    window.Place(Owner());
    long result = -1;
    {
        ModalScope modal(m_pump);
        result = window.exec();
    }
    m_dialogs.erase(&dialog);
    m_live.erase(&dialog);
    return result;
}

void QtHost::EndDialog(CDialog& dialog, int nResult) {
    if (TemplateDialog* window = DialogOf(dialog))
        window->done(nResult);
}

CString QtHost::GetDialogItemText(const CDialog& dialog, int nID) {
    TemplateDialog* window = DialogOf(dialog);
    return window != nullptr ? FromQt(window->ControlText(nID)) : CString();
}

void QtHost::SetDialogItemText(CDialog& dialog, int nID, const CString& text) {
    if (TemplateDialog* window = DialogOf(dialog))
        window->SetControlText(nID, ToQt(text));
}

BOOL QtHost::GetDialogItemRect(const CDialog& dialog, int nID, RECT& rect) {
    TemplateDialog* window = DialogOf(dialog);
    QWidget* control = window != nullptr ? window->Control(nID) : nullptr;
    if (control == nullptr)
        return FALSE;
    const QRect r = control->geometry();
    rect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return TRUE;
}

void QtHost::SetDialogItemIcon(CDialog& dialog, int nID, UINT nIconId) {
    if (TemplateDialog* window = DialogOf(dialog))
        window->SetControlIcon(nID, nIconId);
}

int QtHost::MessageBox(const CString& text, const CString& caption, UINT nType) {
    CString title = caption;
    if (title.empty())
        if (CWinApp* app = AfxGetApp())
            title = app->m_pszAppName;
    QMessageBox box(Owner());
    box.setWindowTitle(ToQt(title));
    box.setText(ToQt(text));
    switch (nType & MB_ICONMASK) {
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONHAND:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONASTERISK:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    int answer = 0;
    {
        ModalScope modal(m_pump);
        answer = box.exec();
    }
    switch (answer) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

BOOL QtHost::PromptFileName(CString& path, BOOL bOpen, const CString& filter,
                            const CString& defaultExt) {
    QString chosen = ToQt(path);
    bool ok = false;
    {
        ModalScope modal(m_pump);
        ok = ::PromptFileName(Owner(), chosen, bOpen != FALSE, ToQt(filter), ToQt(defaultExt));
    }
    if (ok)
        path = FromQt(chosen);
    return ok ? TRUE : FALSE;
}

// ---------------------------------------------------------------- services

void QtHost::SetClipboardImage(const Surface& rgb) {
    QGuiApplication::clipboard()->setImage(SurfaceToImage(rgb, nullptr));
}

BOOL QtHost::PrintDialog(CPrintInfo& info) {
    return m_print->PrintDialog(info, Owner());
}

BOOL QtHost::RunPrintJob(CView* pView, CPrintInfo& info) {
    if (pView == nullptr)
        return FALSE;
    ViewWidget* view = ViewWidgetOf(pView);
    const QSize client = view != nullptr ? view->ClientSize() : QSize();
    return m_print->RunPrintJob(pView, info, client, Owner()) ? TRUE : FALSE;
}

void QtHost::PrintSetupDialog() {
    m_print->PageSetupDialog(Owner());
}

void QtHost::ShowHelp(UINT nCommand) {
    if (!m_help)
        m_help = new HelpWindow(m_main);
    m_help->ShowPage(nCommand == HELP_HELPONHELP ? QStringLiteral("using-help.html")
                                                 : QStringLiteral("index.html"));
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

CString QtHost::GetProfileString(const CString& section, const CString& entry,
                                 const CString& defaultValue) {
    CWinApp* app = AfxGetApp();
    QSettings settings(ToQt(SettingsName(app != nullptr ? app->m_pszRegistryKey : CString())),
                       ToQt(SettingsName(app != nullptr ? app->m_pszAppName : CString())));
    settings.beginGroup(ToQt(section));
    return FromQt(settings.value(ToQt(entry), ToQt(defaultValue)).toString());
}

BOOL QtHost::WriteProfileString(const CString& section, const CString& entry,
                                const CString& value) {
    CWinApp* app = AfxGetApp();
    QSettings settings(ToQt(SettingsName(app != nullptr ? app->m_pszRegistryKey : CString())),
                       ToQt(SettingsName(app != nullptr ? app->m_pszAppName : CString())));
    settings.beginGroup(ToQt(section));
    settings.setValue(ToQt(entry), ToQt(value));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError ? TRUE : FALSE;
}

int QtHost::RunMessageLoop(CWinApp&) {
    m_pump.Restart();
    return QApplication::exec();
}

void QtHost::Quit(int exitCode) {
    QCoreApplication::exit(exitCode);
}
