#pragma once
// The menu bars built from menu resources: one set of menus per resource,
// made when first shown. Before a menu opens, each item asks its command's
// state; the recent-file entries replace the "Recent File" item.

#include "platform/framework/resources.h"
#include "platform/qt/windows/command_ui.h"

#include <QList>
#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

class MenuSet : public QObject {
    Q_OBJECT
public:
    explicit MenuSet(CommandStateQuery query);
    ~MenuSet() override;

    // Puts the menus of resource id into the bar; false when there is none.
    bool Show(QMenuBar* bar, UINT id);
    UINT Current() const { return m_current; }
    void SetRecentFiles(const std::vector<CString>& paths);
    // Refreshes the states of one menu's items.
    void UpdateStates(QMenu* menu);
    // The item of a command in the menus of a resource, for tests.
    QAction* FindAction(UINT resourceId, UINT commandId);
    QList<QMenu*> Menus(UINT resourceId);
signals:
    // A command's item was chosen.
    void commandChosen(UINT id);
    // The Window menu (the one with Cascade) opens and its items have their
    // states: the list of windows goes at its end.
    void windowMenuShown(QMenu* menu);
    // An item was highlighted, by the pointer or the keyboard: its prompt,
    // empty for an item without one.
    void itemHighlighted(const QString& prompt);
    void menuClosed();

private:
    struct Built {
        std::vector<std::unique_ptr<QMenu>> menus;
        QList<QAction*> barActions; // menus and the right-alignment separators
    };
    Built& Build(UINT id);
    QMenu* BuildPopup(const MenuItem& popup);
    QAction* BuildCommand(QMenu* menu, const MenuItem& item);
    void RefreshRecentFiles(QMenu* menu);

    CommandStateQuery m_query;
    std::map<UINT, Built> m_built;
    std::vector<CString> m_recentFiles;
    UINT m_current = 0;
};
