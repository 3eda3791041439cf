#pragma once
// What menus and the toolbar need from the framework besides their signals:
// a command's state, which the framework fills in. Prompts come from the
// string table: the status-bar text before "\n" and the tooltip after it.

#include "platform/framework/cmdtarget.h"

#include <QString>

#include <functional>

using CommandStateQuery = std::function<void(UINT id, CCmdUI& ui)>;

QString CommandPrompt(UINT id);
QString CommandTooltip(UINT id);
// The command's text in the menus without its mnemonic marks and key text
// ("&Compute!" gives "Compute!"); empty when no menu has the command.
QString CommandMenuText(UINT id);
