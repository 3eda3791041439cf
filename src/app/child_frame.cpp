#include "app/child_frame.h"

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs) {
    cs.cx = 260;
    cs.cy = 260;
    return CMDIChildWnd::PreCreateWindow(cs);
}
