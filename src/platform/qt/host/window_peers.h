#pragma once
// The Qt side of the framework's windows. Each peer holds its widget
// through a QPointer, since Qt may delete a widget first (a set window goes
// with the main window); destroying a peer detaches its widget from the
// window and, for frames, closes it.

#include "platform/framework/window_peer.h"

#include <QObject>
#include <QPointer>

class CDialog;
class CMDIChildWnd;
class CMDIFrameWnd;
class CView;
class CWnd;
class ChildWindow;
class MainWindow;
class QtHost;
class QWidget;
class TemplateDialog;
class ViewWidget;

// A window without a widget of its own (the bars): it takes posted
// messages, which the host delivers while the peer lives.
class QtWindowPeer : public QObject, public WindowPeer {
public:
    QtWindowPeer(QtHost& host, CWnd* owner);

    CWnd* Owner() const { return m_owner; }
    void Post(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QtHost* Host() const;

private:
    QPointer<QtHost> m_host;
    CWnd* m_owner;
};

class MainWindowPeer : public QtWindowPeer {
public:
    MainWindowPeer(QtHost& host, CMDIFrameWnd* owner, MainWindow* window);
    ~MainWindowPeer() override;

    void Show(int nCmdShow) override;
    void SetText(const CString& text) override;
    CSize ClientSize() const override;
    void Invalidate() override;
    void DragAcceptFiles(bool accept) override;

private:
    QPointer<MainWindow> m_window;
};

class ChildWindowPeer : public QtWindowPeer {
public:
    ChildWindowPeer(QtHost& host, CMDIChildWnd* owner, ChildWindow* window);
    ~ChildWindowPeer() override;

    ChildWindow* Window() const;
    void Show(int nCmdShow) override;
    void SetText(const CString& text) override;
    CSize ClientSize() const override;
    void Invalidate() override;

private:
    QPointer<ChildWindow> m_window;
};

class ViewPeer : public QtWindowPeer {
public:
    ViewPeer(QtHost& host, CView* owner, ViewWidget* widget);
    ~ViewPeer() override;

    ViewWidget* Widget() const;
    CSize ClientSize() const override;
    Surface* WindowSurface() override;
    void Invalidate() override;
    void Update() override;

private:
    QPointer<ViewWidget> m_widget;
};

// A template dialog while it runs.
class DialogPeer : public QtWindowPeer {
public:
    DialogPeer(QtHost& host, CDialog* owner, TemplateDialog* window);

    TemplateDialog* Window() const;
    void SetText(const CString& text) override;
    CSize ClientSize() const override;

private:
    QPointer<TemplateDialog> m_window;
};
