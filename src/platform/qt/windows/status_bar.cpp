#include "platform/qt/windows/status_bar.h"

#include "platform/framework/resources.h"
#include "platform/framework/std_ids.h"

#include <QLabel>

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(true);
    // A prompt replaces the empty pane; when it goes, "Ready" comes back.
    connect(this, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (!message.isEmpty())
            ShowIdleText();
    });
}

void StatusBar::SetIndicators(const std::vector<UINT>& ids) {
    for (auto& [id, label] : m_indicators)
        delete label;
    m_indicators.clear();
    delete m_idle;
    m_idle = nullptr;
    for (UINT id : ids) {
        if (id == ID_SEPARATOR) {
            // The message pane takes the free width.
            m_idle = new QLabel(QString::fromStdString(AfxLoadString(AFX_IDS_IDLEMESSAGE)));
            m_idle->setObjectName(QStringLiteral("IdleMessage"));
            addWidget(m_idle, 1);
            continue;
        }
        const QString text = QString::fromStdString(AfxLoadString(id));
        auto* label = new QLabel(text);
        label->setObjectName(QStringLiteral("Indicator%1").arg(id));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 12);
        label->setEnabled(false);
        addPermanentWidget(label);
        m_indicators[id] = label;
    }
}

void StatusBar::UpdateIndicators(const LockKeyState& state) {
    const auto set = [this](UINT id, bool on) {
        const auto it = m_indicators.find(id);
        if (it != m_indicators.end())
            it->second->setEnabled(on);
    };
    set(ID_INDICATOR_CAPS, state.known && state.caps);
    set(ID_INDICATOR_NUM, state.known && state.num);
    set(ID_INDICATOR_SCRL, state.known && state.scroll);
}

QString StatusBar::IdleText() const {
    return m_idle != nullptr ? m_idle->text() : QString();
}

void StatusBar::ItemHighlighted(const QString& prompt) {
    if (!prompt.isEmpty()) {
        showMessage(prompt);
        return;
    }
    clearMessage();
    if (m_idle != nullptr)
        m_idle->clear();
}

void StatusBar::MenuClosed() {
    clearMessage();
    ShowIdleText();
}

void StatusBar::ShowIdleText() {
    if (m_idle != nullptr)
        m_idle->setText(QString::fromStdString(AfxLoadString(AFX_IDS_IDLEMESSAGE)));
}

QLabel* StatusBar::Indicator(UINT id) const {
    const auto it = m_indicators.find(id);
    return it == m_indicators.end() ? nullptr : it->second;
}
