#pragma once
// The toolbar from its resource: one button per command with its image
// from the bitmap strip, greyed while the command is disabled and pressed
// while it is checked. Buttons show a tooltip only where the command's
// string has one.

#include "platform/qt/windows/command_ui.h"

#include <QToolBar>

#include <map>

class ToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit ToolBar(CommandStateQuery query, QWidget* parent = nullptr);

    bool Load(UINT resourceId);
    void UpdateStates();
    QAction* ActionFor(UINT id) const;
    const std::map<UINT, QAction*>& Actions() const { return m_actions; }

signals:
    // A button was pressed; its state follows the command's afterwards.
    void commandChosen(UINT id);

private:
    CommandStateQuery m_query;
    std::map<UINT, QAction*> m_actions;
};
