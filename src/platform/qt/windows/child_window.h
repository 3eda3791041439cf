#pragma once
// A set window: an MDI child holding one view widget.

#include <QMdiSubWindow>

class CMDIChildWnd;
class ViewWidget;

class ChildWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    ChildWindow(CMDIChildWnd* pFrame, ViewWidget* view);

    CMDIChildWnd* Frame() const { return m_pFrame; }
    ViewWidget* View() const { return m_view; }
    // The frame is going away: no more calls into it.
    void Detach();

signals:
    // The close box and Ctrl+F4 ask the framework, which destroys the window.
    void closeRequested(ChildWindow* window);
    // After a change of minimised, maximised or normal.
    void stateChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CMDIChildWnd* m_pFrame;
    ViewWidget* m_view;
};
