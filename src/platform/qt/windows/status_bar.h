#pragma once
// The status bar: the message pane ("Ready" while no prompt shows) and the
// key indicators, greyed while their lock is off or unknown.

#include "platform/framework/types.h"
#include "platform/qt/windows/lock_keys.h"

#include <QStatusBar>

#include <map>
#include <vector>

class QLabel;

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);

    void SetIndicators(const std::vector<UINT>& ids);
    void UpdateIndicators(const LockKeyState& state);
    QString IdleText() const;
    // A highlighted menu item: one without a prompt leaves the message pane
    // empty, not "Ready", until another item is highlighted or the menu
    // closes.
    void ItemHighlighted(const QString& prompt);
    void MenuClosed();
    QLabel* Indicator(UINT id) const;

private:
    void ShowIdleText();

    QLabel* m_idle = nullptr;
    std::map<UINT, QLabel*> m_indicators;
};
