#include "platform/qt/dialogs/template_dialog.h"

#include "platform/framework/dialog.h"
#include "platform/qt/dialogs/group_frame.h"
#include "platform/qt/host/guarded_call.h"
#include "platform/qt/host/image_convert.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <vector>

namespace {

QPixmap IconPixmap(UINT iconId) {
    const auto& icons = AfxGetResources().icons;
    const auto it = icons.find(iconId);
    return it == icons.end() ? QPixmap() : QPixmap::fromImage(BitmapToImage(it->second));
}

} // namespace

TemplateDialog::TemplateDialog(CDialog& dialog, const DialogTemplate& t, QWidget* owner)
    : QDialog(owner), m_dialog(dialog), m_template(t), m_units(t) {
    setObjectName(QStringLiteral("Dialog%1").arg(t.id));
    setWindowTitle(QString::fromStdString(t.title));
    setFont(m_units.Font());
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (t.systemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    setFixedSize(m_units.X(t.cx), m_units.Y(t.cy));

    std::vector<QWidget*> tabStops;
    std::vector<QWidget*> frames;
    for (const DialogControl& c : t.controls) {
        QWidget* w = MakeControl(c);
        if (c.id != IDC_STATIC)
            m_controls[c.id] = w;
        if (c.kind == ControlKind::GroupBox)
            frames.push_back(w);
        if (c.flags & CS_TABSTOP)
            tabStops.push_back(w);
        else
            w->setFocusPolicy(Qt::NoFocus);
    }
    // Frames stay behind the controls they surround.
    for (QWidget* frame : frames)
        frame->lower();
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        setTabOrder(tabStops[i - 1], tabStops[i]);
    if (!tabStops.empty())
        m_firstTabStop = tabStops.front();
}

QWidget* TemplateDialog::MakeControl(const DialogControl& c) {
    const QString text = QString::fromStdString(c.text);
    QWidget* w = nullptr;
    switch (c.kind) {
    case ControlKind::DefPushButton:
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(true);
        button->setDefault(c.kind == ControlKind::DefPushButton);
        const int id = c.id;
        connect(button, &QPushButton::clicked, this, [this, id] {
            if (id == IDOK)
                accept();
            else if (id == IDCANCEL)
                reject();
        });
        w = button;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, this);
        edit->setFrame((c.flags & CS_BORDER) != 0);
        w = edit;
        break;
    }
    case ControlKind::GroupBox:
        w = new GroupFrame(text, this);
        break;
    case ControlKind::Icon: {
        auto* label = new QLabel(this);
        label->setPixmap(IconPixmap(text.toUInt()));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = label;
        break;
    }
    case ControlKind::Static: {
        auto* label = new QLabel(text, this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = label;
        break;
    }
    }
    w->setObjectName(c.id != IDC_STATIC ? QStringLiteral("Control%1").arg(c.id) : QString());
    QRect r = m_units.Rect(c.x, c.y, c.cx, c.cy);
    if (c.kind == ControlKind::Icon) {
        // An icon control takes the size of its icon.
        const QSize icon = static_cast<QLabel*>(w)->pixmap().size();
        if (!icon.isEmpty())
            r.setSize(icon);
    }
    w->setGeometry(r);
    return w;
}

QWidget* TemplateDialog::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QString TemplateDialog::ControlText(int id) const {
    QWidget* w = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QPushButton*>(w))
        return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(w))
        return box->title();
    return {};
}

void TemplateDialog::SetControlText(int id, const QString& text) {
    QWidget* w = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        button->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        box->setTitle(text);
    }
}

void TemplateDialog::SetControlIcon(int id, UINT iconId) {
    if (auto* label = qobject_cast<QLabel*>(Control(id)))
        label->setPixmap(IconPixmap(iconId));
}

void TemplateDialog::Place(QWidget* owner) {
    if (owner == nullptr)
        return;
    QPoint pos;
    if (m_template.centerOnOwner) {
        const QRect frame = owner->frameGeometry();
        pos = frame.center() - QPoint(width() / 2, height() / 2);
    } else {
        // The owner's client area starts below its menu bar.
        int top = 0;
        if (auto* main = qobject_cast<QMainWindow*>(owner))
            if (main->menuWidget() != nullptr && main->menuWidget()->isVisible())
                top = main->menuWidget()->height();
        pos = owner->mapToGlobal(QPoint(0, top)) +
              QPoint(m_units.X(m_template.x), m_units.Y(m_template.y));
    }
    move(pos);
}

void TemplateDialog::FocusFirstTabStop() {
    if (m_firstTabStop != nullptr)
        m_firstTabStop->setFocus(Qt::OtherFocusReason);
}

void TemplateDialog::accept() {
    GuardedCall([this] { m_dialog.OnOK(); });
}

void TemplateDialog::reject() {
    GuardedCall([this] { m_dialog.OnCancel(); });
}

void TemplateDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Some window managers give every dialog a minimise and a maximise
    // button, whatever it asks for. A modal dialog that went away would
    // leave nothing to work with: it comes back at once, at its size.
    if (event->type() == QEvent::WindowStateChange &&
        (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        QTimer::singleShot(0, this, [this] {
            setWindowState(Qt::WindowNoState);
            show();
            activateWindow();
        });
}

void TemplateDialog::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    GuardedCall([&] { m_dialog.SendMessage(WM_LBUTTONDBLCLK, 0x0001, MAKELPARAM(p.x(), p.y())); });
}
