#pragma once
// A modal dialog built from its template table: controls placed in dialog
// units, tab order in template order, the default button, Esc for Cancel, a
// title bar without minimise and maximise boxes, and no close box where the
// template has no system menu. OK and Cancel go to
// the dialog's OnOK and OnCancel, which end it; a double-click reaches its
// message table.

#include "platform/qt/dialogs/dialog_units.h"

#include <QDialog>

#include <map>

class CDialog;

class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    TemplateDialog(CDialog& dialog, const DialogTemplate& t, QWidget* owner);

    CDialog& Dialog() const { return m_dialog; }
    QWidget* Control(int id) const;
    QString ControlText(int id) const;
    void SetControlText(int id, const QString& text);
    void SetControlIcon(int id, UINT iconId);
    // Where the template puts it: centred on the owner or measured from the
    // top-left of the owner's client area.
    void Place(QWidget* owner);
    // Focus to the first control with a tab stop.
    void FocusFirstTabStop();

    void accept() override;
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QWidget* MakeControl(const DialogControl& c);

    CDialog& m_dialog;
    const DialogTemplate& m_template;
    DialogUnits m_units;
    std::map<int, QWidget*> m_controls;
    QWidget* m_firstTabStop = nullptr;
};
