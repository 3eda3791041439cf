#pragma once
// What menus, toolbar and shortcuts need from the framework: run a command
// and ask for its state. Prompts come from the string table: the status-bar
// text before "\n" and the tooltip after it.

#include "platform/framework/cmdtarget.h"

#include <QString>

#include <functional>

struct CommandUi {
    std::function<void(UINT id)> execute;
    std::function<void(UINT id, CCmdUI& ui)> update;
};

QString CommandPrompt(UINT id);
QString CommandTooltip(UINT id);
// The command's text in the menus without its mnemonic marks and key text
// ("&Compute!" gives "Compute!"); empty when no menu has the command.
QString CommandMenuText(UINT id);
