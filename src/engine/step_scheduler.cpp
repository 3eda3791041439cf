// One computation step of a view at idle time, and the finish of a method.

#include "platform/files/exceptions.h"
#include "platform/framework/msgbox.h"
#include "view/quirl32_view.h"

#include <new>

BOOL CQuirl32View::IdleStep() {
    if (m_bWorking == 0 || m_pDoc == nullptr)
        return FALSE;
    bool outOfMemory = false;
    try {
        // Not ready: no step now. The workers wake the message loop when
        // they deliver, and the step is asked for again.
        if (!PrepareStep())
            return FALSE;
    } catch (const CMemoryException&) {
        outOfMemory = true;
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    }
    m_pWindowDC = GetDC();
    if (!outOfMemory) {
        try {
            ComputeStep(m_rcClient.left, m_rcClient.top, m_rcClient.right, m_rcClient.bottom);
        } catch (const CMemoryException&) {
            outOfMemory = true;
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
    }
    m_stepInput = StepInput{};
    if (!m_bStepGoesOn)
        ++m_nStepsTaken;
    m_bStepGoesOn = false;
    m_pDoc->m_bPictureValid = 1;
    ReleaseDC(m_pWindowDC);
    m_pWindowDC = nullptr;
    if (outOfMemory) {
        // The computation ends as stopped; what is drawn stays, and the
        // pending rectangles are given back.
        m_bWorking = 0;
        ClearRects();
        DropWorkAhead();
        AfxMessageBox("Out of memory.");
    }
    return m_bWorking;
}

void CQuirl32View::ComputeStep(int left, int top, int right, int bottom) {
    if (m_pWindowDC != nullptr && m_pPalette != nullptr) {
        m_pWindowDC->SelectPalette(m_pPalette, FALSE);
        m_pWindowDC->RealizePalette();
    }
    switch (m_nMethod) {
    case Recursion:
        if (m_pRectStack == nullptr && !m_fill.active)
            PushRect(left, top, right, bottom);
        StepRecursion();
        if (m_pRectStack == nullptr && !m_fill.active)
            FinishComputation();
        break;
    case LineScan:
        StepLineScan(m_nScanX, m_nScanY, left, top, right, bottom);
        break;
    case Random:
        StepRandom(left, top, right, bottom);
        break;
    default:
        break;
    }
}

void CQuirl32View::EndStepInProgress() {
    if (!m_fill.active || m_nMethod != Recursion)
        return;
    m_pWindowDC = GetDC();
    while (m_fill.active)
        ContinueFill();
    m_bStepGoesOn = false;
    ++m_nStepsTaken;
    ReleaseDC(m_pWindowDC);
    m_pWindowDC = nullptr;
    if (m_pRectStack == nullptr)
        FinishComputation();
}

void CQuirl32View::FinishComputation() {
    m_bWorking = 0;
    _ftime(&m_tFinish);
    DropWorkAhead();
    // Its arrival starts a fresh idle pass, which brings menus and toolbar
    // up to date.
    PostMessage(WM_IDLEUPDATECMDUI, 0, 0);
}
