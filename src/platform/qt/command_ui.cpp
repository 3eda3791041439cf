#include "platform/qt/command_ui.h"

#include "platform/resources.h"

QString CommandPrompt(UINT id) {
    const CString text = AfxLoadString(id);
    return QString::fromStdString(text.substr(0, text.find('\n')));
}

QString CommandTooltip(UINT id) {
    const CString text = AfxLoadString(id);
    const auto newline = text.find('\n');
    return newline == CString::npos ? QString() : QString::fromStdString(text.substr(newline + 1));
}
