#include "platform/qt/windows/window_list.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QVBoxLayout>

namespace {

const char* const kListEntry = "quirl32WindowListEntry";
constexpr int kListed = 9;

// A title shown as menu text: a "&" of its own is doubled, so that it is
// no mnemonic.
QString MenuTitle(const QString& title) {
    QString text = title;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QList<QMdiSubWindow*> OpenWindows(QMdiArea* area) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::CreationOrder))
        if (!sub->isHidden())
            windows.append(sub);
    return windows;
}

} // namespace

void RefreshWindowList(QMenu* menu, QMdiArea* area, const WindowListActions& actions) {
    for (QAction* action : menu->actions())
        if (action->property(kListEntry).toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    const QList<QMdiSubWindow*> windows = OpenWindows(area);
    if (windows.isEmpty())
        return;
    QMdiSubWindow* active = area->currentSubWindow();
    QList<QMdiSubWindow*> listed = windows.mid(0, kListed);
    // The active window is always in the list: in the last place when it
    // comes later.
    if (active != nullptr && !listed.contains(active) && windows.contains(active))
        listed.last() = active;

    auto add = [&](QAction* action) {
        action->setProperty(kListEntry, true);
        menu->addAction(action);
    };
    auto* separator = new QAction(menu);
    separator->setSeparator(true);
    add(separator);
    for (int i = 0; i < listed.size(); ++i) {
        QPointer<QMdiSubWindow> sub = listed[i];
        auto* entry = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(MenuTitle(sub->windowTitle())), menu);
        entry->setCheckable(true);
        entry->setChecked(sub == active);
        QObject::connect(entry, &QAction::triggered, menu, [sub, activate = actions.activate] {
            if (sub && activate)
                activate(sub);
        });
        add(entry);
    }
    if (windows.size() > kListed) {
        auto* more = new QAction(QStringLiteral("&More Windows..."), menu);
        QObject::connect(more, &QAction::triggered, menu, [more = actions.moreWindows] {
            if (more)
                more();
        });
        add(more);
    }
}

QMdiSubWindow* ChooseWindow(QWidget* parent, QMdiArea* area) {
    const QList<QMdiSubWindow*> windows = OpenWindows(area);
    QDialog dialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog.setObjectName(QStringLiteral("SelectWindow"));
    dialog.setWindowTitle(QStringLiteral("Select Window"));
    auto* label = new QLabel(QStringLiteral("&Select Window:"), &dialog);
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("WindowList"));
    label->setBuddy(list);
    for (QMdiSubWindow* sub : windows) {
        list->addItem(sub->windowTitle());
        if (sub == area->currentSubWindow())
            list->setCurrentRow(list->count() - 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    list->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    // A window may have closed meanwhile (not while the dialog is modal,
    // but the list is only names): take it by its row.
    const int row = list->currentRow();
    const QList<QMdiSubWindow*> now = OpenWindows(area);
    return row >= 0 && row < windows.size() && now.contains(windows[row]) ? windows[row] : nullptr;
}
