#pragma once
// The status bar: the message pane ("Ready" while no prompt shows) and the
// key indicators, greyed while their lock is off or unknown.

#include "platform/qt/lock_keys.h"
#include "platform/types.h"

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
    QLabel* Indicator(UINT id) const;

private:
    QLabel* m_idle = nullptr;
    std::map<UINT, QLabel*> m_indicators;
};
