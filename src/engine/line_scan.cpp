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
    if (m_stepInput.kind == StepInput::Scan) {
        // Counted ahead: the plain loop made count iterations, or none for a
        // point outside the disk, or the limit when it never escaped.
        const std::int32_t count = m_stepInput.scanCount;
        const std::int32_t limit = m_pDoc->m_nIterations;
        const double re = x * m_dScaleX + m_pDoc->m_extents.xMin;
        const double im = y * m_dScaleY + m_pDoc->m_extents.yMin;
        m_nKernelIterations += count != 0                               ? count
                               : limit <= 0 || re * re + im * im >= 4.0 ? 0
                                                                        : limit;
        WriteIndex(x, y, IndexOfCount(count, m_nColors));
    } else {
        WritePixel(x, y);
    }
    ++x;
}
