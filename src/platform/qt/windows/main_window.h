#pragma once
// The main window: set windows in an MDI area, the menu bar, the toolbar
// and the status bar. Files dropped on it are opened.

#include <QMainWindow>

class CMDIFrameWnd;
class QMdiArea;
class QMdiSubWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(CMDIFrameWnd* pFrame);

    CMDIFrameWnd* Frame() const { return m_pFrame; }
    void Detach() { m_pFrame = nullptr; }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    // Lines the minimised set windows up along the bottom edge.
    void ArrangeIcons();
    // Overlaps the set windows from the top-left corner, each one title bar
    // lower and further right, the active one in front. Windows keep their
    // size, so their pictures stay; a series that would leave the
    // workspace starts again at the corner. Minimised windows stay put.
    void Cascade();
    // Where a new set window goes: the next step of the cascade, or the
    // corner again when the window would not fit in the workspace there.
    // The window has its size already.
    void PlaceNewWindow(QMdiSubWindow* sub);

signals:
    // The close box: the framework closes the documents and then the window.
    void closeRequested();
    void fileDropped(const QString& path);
    // The window became the active one.
    void activated();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    CMDIFrameWnd* m_pFrame;
    // The step between cascaded windows: a title bar and its frame.
    static int CascadeStep(const QMdiSubWindow* sub);
    bool FitsAt(const QMdiSubWindow* sub, int index) const;

    QMdiArea* m_mdiArea;
    int m_nextPlace = 0;
};
