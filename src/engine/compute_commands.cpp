// Compute!, Stop! and the three methods, with their update handlers.

#include "view/quirl32_view.h"

void CQuirl32View::OnSetCompute() {
    RestartComputation();
    m_bWorking = 1;
}

void CQuirl32View::OnUpdateSetCompute(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bWorking == 0);
}

void CQuirl32View::OnSetStop() {
    if (m_bWorking != 0)
        EndStepInProgress();
    m_bWorking = 0;
    DropWorkAhead();
}

void CQuirl32View::OnUpdateSetStop(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bWorking != 0);
}

void CQuirl32View::OnMethodRecursion() {
    // The other methods' work ahead stops; their progress (stack, scan
    // position) stays for a later switch back.
    if (m_nMethod != Recursion) {
        EndStepInProgress();
        DropWorkAhead();
    }
    m_nMethod = Recursion;
}

void CQuirl32View::OnUpdateMethodRecursion(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_nMethod == Recursion);
}

void CQuirl32View::OnMethodLinescan() {
    if (m_nMethod != LineScan) {
        EndStepInProgress();
        DropWorkAhead();
    }
    m_nMethod = LineScan;
}

void CQuirl32View::OnUpdateMethodLinescan(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_nMethod == LineScan);
}

void CQuirl32View::OnMethodRandom() {
    if (m_nMethod != Random) {
        EndStepInProgress();
        DropWorkAhead();
    }
    m_nMethod = Random;
}

void CQuirl32View::OnUpdateMethodRandom(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_nMethod == Random);
}
