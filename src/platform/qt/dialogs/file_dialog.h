#pragma once
// The Open and Save As dialogs. The filter comes as pairs of name and
// pattern: "Quirl3 Files (*.qrl)|*.qrl|All Files (*.*)|*.*"; "*.*" matches
// every file, also one without a dot.

#include <QString>
#include <QStringList>

class QWidget;

// Names of the filters, in order, as the dialog lists them.
QStringList FilterNames(const QString& filter);

// path: in, the proposed name; out, the chosen file. Saving adds the default
// extension to a name without one and asks before replacing a file.
bool PromptFileName(QWidget* parent, QString& path, bool open, const QString& filter,
                    const QString& defaultExt);
