#pragma once
// The set view: computes its document's picture in idle-time steps, keeps it
// in the window and in an off-screen picture, and answers the zoom, copy,
// print and computation commands. Its operations are spread over engine/
// (mapping, kernel, methods, scheduler), view/ (palette, picture, zoom, copy)
// and commands/ (iterations, Info).

#include "doc/quirl32_doc.h"
#include "engine/ahead/evaluation_ahead.h"
#include "engine/compute_stats.h"
#include "platform/docview/view.h"
#include "platform/drawing/dc.h"
#include "platform/drawing/palette.h"
#include "platform/runtime/timeb.h"
#include "view/view_options.h"

#include <cstdint>
#include <utility>

// One pending rectangle of the recursion, inclusive bounds.
struct RectNode {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    RectNode* next = nullptr;
};

class CQuirl32View : public CView {
public:
    CQuirl32View();
    ~CQuirl32View() override;

    // Life and drawing (view/).
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void CreateOffscreenPicture(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnEditCopy();
    COLORREF ResolveColor(COLORREF value) const override;

    // Palettes (view/).
    void BuildPaletteColors(PaletteScheme scheme);
    void UpdateLogicalPalette();
    LRESULT OnRealizePalette(WPARAM wParam, LPARAM lParam);

    // Plane mapping and kernel (engine/).
    void FitToClient();
    int ComputePoint(double re, double im);
    // ComputePoint of pixel (x, y)'s mapped point.
    int PixelIndex(int x, int y);
    // Computes pixel (x, y) and writes it to the window, then the off-screen picture.
    void WritePixel(int x, int y);

    // Recursive subdivision (engine/).
    void PushRect(int left, int top, int right, int bottom);
    void PopRect(int& left, int& top, int& right, int& bottom);
    void ClearRects();
    void StepRecursion();

    // Step scheduler, line scan and random points (engine/).
    virtual BOOL IdleStep();
    void ComputeStep(int left, int top, int right, int bottom);
    void StepLineScan(int& x, int& y, int left, int top, int right, int bottom);
    void StepRandom(int left, int top, int right, int bottom);
    void RestartComputation();
    void FinishComputation();

    // Evaluation ahead of the steps on the shared workers (engine/). Before
    // a step: true when what it needs is ready, so that it draws without
    // computing; false while the workers are still at it (they wake the
    // message loop when they deliver). Always true without workers.
    bool PrepareStep();
    // Drops the work ahead: it no longer fits what the view will show.
    void DropWorkAhead();
    // Ends a step drawn over several idle calls before the computation stops
    // or changes method, as if it had been drawn in one: the rest of a large
    // fill is drawn now. A random step's points drawn so far stay as they are.
    void EndStepInProgress();

    // Commands (engine/ and commands/).
    void OnSetCompute();
    void OnUpdateSetCompute(CCmdUI* pCmdUI);
    void OnSetStop();
    void OnUpdateSetStop(CCmdUI* pCmdUI);
    void OnMethodRecursion();
    void OnUpdateMethodRecursion(CCmdUI* pCmdUI);
    void OnMethodLinescan();
    void OnUpdateMethodLinescan(CCmdUI* pCmdUI);
    void OnMethodRandom();
    void OnUpdateMethodRandom(CCmdUI* pCmdUI);
    void OnIterPreset(std::int32_t n); // OnIter50 ... OnIter255
    void OnUpdateIterPreset(CCmdUI* pCmdUI, std::int32_t n);
    void OnIterOther();
    void OnUpdateIterOther(CCmdUI* pCmdUI);
    void OnSetInfo();

    CQuirl32Doc* m_pDoc = nullptr;
    CDC* m_pWindowDC = nullptr;
    CDC* m_pMemDC = nullptr;
    CPalette* m_pPalette = nullptr;
    CBitmap* m_pBitmap = nullptr;
    RECT m_rcClient{};
    _timeb m_tStart{};
    _timeb m_tFinish{};
    std::int32_t m_bWorking = 1;
    RectNode* m_pRectStack = nullptr;
    std::int32_t m_nColors = 192;
    std::int32_t m_nSegmentLength = 32;
    std::int32_t m_nScanX = 0;
    std::int32_t m_nScanY = 0;
    // The plain loop's iterations for every pixel evaluated so far, for
    // statistics.
    std::int64_t m_nKernelIterations = 0;
    // Steps taken since construction.
    std::int64_t m_nStepsTaken = 0;
    std::int32_t m_nMethod = Recursion;
    double m_dScaleX = 0.0;
    double m_dScaleY = 0.0;
    COLORREF m_colors[256] = {};
    COLORREF m_anchors[7] = {};

private:
    void RegisterCommands();
    // Writes palette index index at (x, y): window first, then the picture.
    void WriteIndex(int x, int y, int index);
    bool PrepareRandomStep();
    // The next random pixel of the inclusive area, two values taken from the
    // generator: x first, then y.
    std::pair<int, int> NextRandomPixel(int left, int top, int right, int bottom) const;

    // What PrepareStep found ready for the coming step.
    struct StepInput {
        enum Kind { None, Rect, Scan, Random } kind = None;
        RectOutcome rect;
        std::int32_t scanCount = 0;
        RandomBatch random;
    };
    std::shared_ptr<EvaluationAhead> m_pAhead;
    StepInput m_stepInput;
    // A random step of many points is drawn a piece at a time, one piece an
    // idle call: the points of the step drawn so far, and whether the step
    // goes on after the piece just drawn.
    std::int32_t m_nRandomDrawn = 0;
    bool m_bStepGoesOn = false;
    // A uniform rectangle larger than one idle call should fill is filled a
    // band of rows at a time; its step ends with the last band.
    struct PendingFill {
        bool active = false;
        PixelRect r;
        int index = 0;
        int nextRow = 0;
    };
    PendingFill m_fill;
    void StartFill(const PixelRect& r, int index);
    void ContinueFill();
};
