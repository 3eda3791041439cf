#include "platform/qt/windows/tool_bar.h"

#include "platform/framework/resources.h"
#include "platform/framework/std_ids.h"
#include "platform/qt/host/image_convert.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>

ToolBar::ToolBar(CommandStateQuery query, QWidget* parent)
    : QToolBar(parent), m_query(std::move(query)) {
    setObjectName(QStringLiteral("ToolBar"));
    setWindowTitle(QStringLiteral("Toolbar"));
    setMovable(true);
    setFloatable(true);
    setAllowedAreas(Qt::AllToolBarAreas);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

bool ToolBar::Load(UINT resourceId) {
    const ResourceTable& res = AfxGetResources();
    const auto bar = res.toolbars.find(resourceId);
    if (bar == res.toolbars.end())
        return false;
    const auto strip = res.bitmaps.find(resourceId);
    const int w = bar->second.buttonWidth;
    const int h = bar->second.buttonHeight;
    setIconSize(QSize(w, h));
    clear();
    m_actions.clear();
    int image = 0;
    for (UINT id : bar->second.buttons) {
        if (id == ID_SEPARATOR) {
            addSeparator();
            continue;
        }
        // No text: the button's tooltip is only what the string table says.
        auto* action = addAction(QString());
        if (strip != res.bitmaps.end())
            action->setIcon(QIcon(QPixmap::fromImage(StripImage(strip->second, image, w, h))));
        ++image;
        action->setData(id);
        action->setStatusTip(CommandPrompt(id));
        action->setToolTip(CommandTooltip(id));
        // Assistive tools read the command's name and prompt; the button
        // itself shows neither, and no tooltip is made from them.
        if (QWidget* button = widgetForAction(action)) {
            button->setAccessibleName(CommandMenuText(id));
            button->setAccessibleDescription(CommandPrompt(id));
        }
        connect(action, &QAction::triggered, this, [this, id, action] {
            // The button shows the command's state, not its own.
            if (action->isCheckable())
                action->setChecked(!action->isChecked());
            emit commandChosen(id);
            UpdateStates();
        });
        m_actions[id] = action;
    }
    return true;
}

void ToolBar::UpdateStates() {
    for (auto& [id, action] : m_actions) {
        CCmdUI ui(id);
        m_query(id, ui);
        action->setEnabled(ui.m_bEnabled != FALSE);
        // A button becomes a check box once its command shows a check
        // mark state, and stays one.
        if (ui.m_bCheckChanged)
            action->setCheckable(true);
        action->setChecked(action->isCheckable() && ui.m_nCheck != 0);
    }
}

QAction* ToolBar::ActionFor(UINT id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}
