#pragma once
// The main window: set windows in an MDI area, the menu bar, the toolbar
// and the status bar. Files dropped on it are opened.

#include <QMainWindow>

#include <functional>

class CMDIFrameWnd;
class QMdiArea;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(CMDIFrameWnd* pFrame);

    CMDIFrameWnd* Frame() const { return m_pFrame; }
    void Detach() { m_pFrame = nullptr; }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    // Lines the minimised set windows up along the bottom edge.
    void ArrangeIcons();

    std::function<void()> onCloseRequest;
    std::function<void(const QString& path)> onFileDropped;
    std::function<void()> onActivated;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    CMDIFrameWnd* m_pFrame;
    QMdiArea* m_mdiArea;
};
