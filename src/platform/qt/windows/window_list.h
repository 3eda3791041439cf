#pragma once
// The list of set windows at the end of the Window menu: "&1 Quirl31",
// "&2 Quirl32", ... for the first nine, the active one checked, then
// "&More Windows..." when there are more, which offers all of them in a
// dialog. Choosing one activates it.

#include <QList>

#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QWidget;

struct WindowListActions {
    std::function<void(QMdiSubWindow*)> activate;
    // Runs the "Select Window" dialog; gets the window chosen, or none.
    std::function<void()> moreWindows;
};

// Replaces the list at the end of menu by the windows of area.
void RefreshWindowList(QMenu* menu, QMdiArea* area, const WindowListActions& actions);

// The "Select Window" dialog over all windows of area, the active one
// selected; the window chosen with OK or a double-click, or nullptr.
QMdiSubWindow* ChooseWindow(QWidget* parent, QMdiArea* area);
