#pragma once
// The set window: a child frame of the main window holding one set view.

#include "platform/framework/frame.h"

class CChildFrame : public CMDIChildWnd {
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
