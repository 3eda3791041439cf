// Specify: the rectangle and the random-point count typed into the Selection
// dialog.
//
// The dialog shows each bound with 10 significant digits. A bound whose text
// comes back unchanged keeps the exact value it showed, so confirming the
// dialog after a deep zoom does not move the picture; edited text is read
// with atof.

#include "doc/number_text.h"
#include "doc/quirl32_doc.h"
#include "doc/selection_dlg.h"

namespace {

constexpr int kShownDigits = 10;

struct ShownBound {
    double value;
    CString text;
};

ShownBound Show(double value) {
    return {value, FormatG(value, kShownDigits)};
}

double Confirmed(const ShownBound& shown, const CString& text) {
    return text == shown.text ? shown.value : crt::atof(text);
}

} // namespace

void CQuirl32Doc::OnSetSpecify() {
    const ShownBound realFrom = Show(m_extents.xMin);
    const ShownBound imagFrom = Show(m_extents.yMin);
    const ShownBound imagTo = Show(m_extents.yMax);
    const ShownBound realTo = Show(m_extents.xMax);

    CSelectionDlg dlg;
    dlg.m_strRealFrom = realFrom.text;
    dlg.m_strImagFrom = imagFrom.text;
    dlg.m_strImagTo = imagTo.text;
    dlg.m_strRealTo = realTo.text;
    dlg.m_strRandomPoints = std::to_string(m_nRandomPoints);
    if (dlg.DoModal() != IDOK)
        return;

    SaveUndo();
    m_extents.xMin = Confirmed(realFrom, dlg.m_strRealFrom);
    m_extents.yMin = Confirmed(imagFrom, dlg.m_strImagFrom);
    m_extents.xMax = Confirmed(realTo, dlg.m_strRealTo);
    m_extents.yMax = Confirmed(imagTo, dlg.m_strImagTo);
    m_nRandomPoints = crt::atol(dlg.m_strRandomPoints);
    m_bPictureValid = 0;
    UpdateAllViews(nullptr, 0, nullptr);
}
