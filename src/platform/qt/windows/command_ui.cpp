#include "platform/qt/windows/command_ui.h"

#include "platform/framework/resources.h"

QString CommandPrompt(UINT id) {
    const CString text = AfxLoadString(id);
    return QString::fromStdString(text.substr(0, text.find('\n')));
}

QString CommandTooltip(UINT id) {
    const CString text = AfxLoadString(id);
    const auto newline = text.find('\n');
    return newline == CString::npos ? QString() : QString::fromStdString(text.substr(newline + 1));
}

namespace {

const MenuItem* FindItem(const std::vector<MenuItem>& items, UINT id) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Command && item.id == id)
            return &item;
        if (item.kind == MenuItem::Popup)
            if (const MenuItem* found = FindItem(item.items, id))
                return found;
    }
    return nullptr;
}

} // namespace

QString CommandMenuText(UINT id) {
    for (const auto& [resource, menu] : AfxGetResources().menus) {
        const MenuItem* item = FindItem(menu.popups, id);
        if (item == nullptr)
            continue;
        const CString& text = item->text;
        QString plain;
        for (std::size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
            // "&&" stands for one "&"; a single one marks the mnemonic.
            if (text[i] == '&' && ++i >= text.size())
                break;
            plain += QChar::fromLatin1(text[i]);
        }
        return plain;
    }
    return {};
}
