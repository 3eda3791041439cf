#include "platform/qt/windows/menu_set.h"

#include "platform/framework/std_ids.h"
#include "platform/qt/shell/recent_file_names.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

const char* const kRecentProperty = "quirl32RecentEntry";

bool HasCommand(const QAction* action) {
    return !action->isSeparator() && action->menu() == nullptr && action->data().isValid();
}

UINT CommandOf(const QAction* action) {
    return action->data().toUInt();
}

} // namespace

MenuSet::MenuSet(CommandStateQuery query) : m_query(std::move(query)) {}

MenuSet::~MenuSet() = default;

MenuSet::Built& MenuSet::Build(UINT id) {
    auto it = m_built.find(id);
    if (it != m_built.end())
        return it->second;
    Built& built = m_built[id];
    const auto& menus = AfxGetResources().menus;
    const auto res = menus.find(id);
    if (res == menus.end())
        return built;
    for (const MenuItem& popup : res->second.popups) {
        if (popup.kind == MenuItem::Separator) {
            // A separator in the bar puts the menus after it at the right end.
            auto* separator = new QAction(this);
            separator->setSeparator(true);
            built.barActions.append(separator);
            continue;
        }
        QMenu* menu = BuildPopup(popup);
        built.menus.emplace_back(menu);
        built.barActions.append(menu->menuAction());
    }
    return built;
}

QMenu* MenuSet::BuildPopup(const MenuItem& popup) {
    auto* menu = new QMenu(QString::fromStdString(popup.text));
    menu->setToolTipsVisible(false);
    for (const MenuItem& item : popup.items) {
        switch (item.kind) {
        case MenuItem::Separator:
            menu->addSeparator();
            break;
        case MenuItem::Popup: {
            QMenu* sub = BuildPopup(item);
            sub->setParent(menu, sub->windowFlags());
            menu->addMenu(sub);
            break;
        }
        case MenuItem::Command:
            BuildCommand(menu, item);
            break;
        }
    }
    bool windowMenu = false;
    for (const MenuItem& item : popup.items)
        windowMenu = windowMenu || (item.kind == MenuItem::Command && item.id == ID_WINDOW_CASCADE);
    connect(menu, &QMenu::aboutToShow, this, [this, menu, windowMenu] {
        UpdateStates(menu);
        if (windowMenu)
            emit windowMenuShown(menu);
    });
    connect(menu, &QMenu::hovered, this, [this](QAction* action) {
        if (HasCommand(action))
            emit itemHighlighted(action->statusTip());
    });
    connect(menu, &QMenu::aboutToHide, this, &MenuSet::menuClosed);
    return menu;
}

QAction* MenuSet::BuildCommand(QMenu* menu, const MenuItem& item) {
    // The text after "\t" is shown as the key of the item; the keys
    // themselves are the accelerator table's shortcuts.
    auto* action = menu->addAction(QString::fromStdString(item.text));
    const UINT id = item.id;
    action->setData(id);
    action->setStatusTip(CommandPrompt(id));
    action->setEnabled(!item.initiallyDisabled);
    action->setCheckable(item.initiallyChecked);
    action->setChecked(item.initiallyChecked);
    connect(action, &QAction::triggered, this, [this, id] { emit commandChosen(id); });
    return action;
}

bool MenuSet::Show(QMenuBar* bar, UINT id) {
    Built& built = Build(id);
    if (built.barActions.isEmpty())
        return false;
    bar->clear();
    bar->addActions(built.barActions);
    m_current = id;
    return true;
}

void MenuSet::SetRecentFiles(const std::vector<CString>& paths) {
    m_recentFiles = paths;
    for (auto& [id, built] : m_built)
        for (auto& menu : built.menus)
            RefreshRecentFiles(menu.get());
}

void MenuSet::RefreshRecentFiles(QMenu* menu) {
    QAction* placeholder = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->property(kRecentProperty).toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        } else if (HasCommand(action) && CommandOf(action) == ID_FILE_MRU_FILE1) {
            placeholder = action;
        }
    }
    if (placeholder == nullptr)
        return;
    placeholder->setVisible(m_recentFiles.empty());
    placeholder->setEnabled(false);
    for (std::size_t i = 0; i < m_recentFiles.size(); ++i) {
        const UINT id = ID_FILE_MRU_FILE1 + UINT(i);
        auto* entry = new QAction(RecentFileMenuText(int(i), m_recentFiles[i]), menu);
        entry->setData(id);
        entry->setProperty(kRecentProperty, true);
        entry->setStatusTip(CommandPrompt(id));
        connect(entry, &QAction::triggered, this, [this, id] { emit commandChosen(id); });
        menu->insertAction(placeholder, entry);
    }
}

void MenuSet::UpdateStates(QMenu* menu) {
    RefreshRecentFiles(menu);
    for (QAction* action : menu->actions()) {
        if (!HasCommand(action) || !action->isVisible())
            continue;
        CCmdUI ui(CommandOf(action));
        m_query(ui.m_nID, ui);
        action->setEnabled(ui.m_bEnabled != FALSE);
        action->setCheckable(ui.m_nCheck != 0);
        action->setChecked(ui.m_nCheck != 0);
    }
}

QAction* MenuSet::FindAction(UINT resourceId, UINT commandId) {
    std::vector<QMenu*> pending;
    for (auto& menu : Build(resourceId).menus)
        pending.push_back(menu.get());
    while (!pending.empty()) {
        QMenu* menu = pending.back();
        pending.pop_back();
        for (QAction* action : menu->actions()) {
            if (action->menu() != nullptr)
                pending.push_back(action->menu());
            else if (HasCommand(action) && CommandOf(action) == commandId)
                return action;
        }
    }
    return nullptr;
}

QList<QMenu*> MenuSet::Menus(UINT resourceId) {
    QList<QMenu*> list;
    for (auto& menu : Build(resourceId).menus)
        list.append(menu.get());
    return list;
}
