#include "platform/qt/dialogs/file_dialog.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QTimer>

namespace {

bool MatchesEverything(const QString& name) {
    return name.contains(QStringLiteral("(*.*)")) || name.contains(QStringLiteral("(*)"));
}

} // namespace

QStringList FilterNames(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList names;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i];
        const QString pattern = parts[i + 1];
        if (name.isEmpty())
            continue;
        names.append(
            name.contains(QLatin1Char('(')) ? name : QStringLiteral("%1 (%2)").arg(name, pattern));
    }
    return names;
}

bool PromptFileName(QWidget* parent, QString& path, bool open, const QString& filter,
                    const QString& defaultExt) {
    QFileDialog dialog(parent, open ? QStringLiteral("Open") : QStringLiteral("Save As"));
    dialog.setObjectName(open ? QStringLiteral("OpenDialog") : QStringLiteral("SaveAsDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList names = FilterNames(filter);
    if (!names.isEmpty())
        dialog.setNameFilters(names);
    QString ext = defaultExt;
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    if (!open && !ext.isEmpty())
        dialog.setDefaultSuffix(ext);
    if (!path.isEmpty())
        dialog.selectFile(path);

    // Qt reads "*.*" as names with a dot; the all-files filter shows all.
    const auto showAll = [&dialog](const QString& name) {
        if (!MatchesEverything(name))
            return;
        QTimer::singleShot(0, &dialog, [&dialog] {
            if (auto* model = dialog.findChild<QFileSystemModel*>())
                model->setNameFilters({QStringLiteral("*")});
        });
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, showAll);
    if (!names.isEmpty())
        showAll(names.first());

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().first();
    return true;
}
