// The line scan: one pixel per step, row by row, both ends included.

#include "view/quirl32_view.h"

void CQuirl32View::StepLineScan(int& x, int& y, int left, int top, int right, int bottom) {
    if (y == 0 && x == 0) {
        y = top;
        x = left;
    }
    if (x > right) {
        x = left;
        ++y;
    }
    if (y > bottom) {
        x = 0;
        y = 0;
        FinishComputation();
        return;
    }
    WritePixel(x, y);
    ++x;
}
