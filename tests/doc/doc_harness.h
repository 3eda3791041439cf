#pragma once
// A set document in a set window on the headless host, with a view that only
// counts the update notices it gets.

#include "commands/resource_ids.h"
#include "doc/quirl32_doc.h"
#include "doc/selection_dlg.h"
#include "platform/docview/winapp.h"
#include "platform/framework/frame.h"
#include "platform/headless/headless_host.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>

class CountingView : public CView {
public:
    void OnDraw(CDC*) override {}
    void OnUpdate(CView*, LPARAM, CObject*) override { ++m_nUpdates; }
    int m_nUpdates = 0;
};

class DocHarness : public ::testing::Test {
protected:
    DocHarness() {
        m_resources.strings[IDR_QUIRL3TYPE] =
            "\nQuirl3\nQuirl3\nQuirl3 Files (*.qrl)\n.qrl\nQuirl32.Document\nQuirl3 Document";
        m_resources.dialogs[IDD_SELECTION] = SelectionDialogTemplate();
        AfxSetResources(&m_resources);
        m_main = std::make_unique<CMDIFrameWnd>();
        m_app = std::make_unique<CWinApp>();
        m_main->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr);
        m_app->m_pMainWnd = m_main.get();
        m_template =
            CMultiDocTemplate::Make<CQuirl32Doc, CMDIChildWnd, CountingView>(IDR_QUIRL3TYPE);
        m_app->AddDocTemplate(m_template);
    }

    ~DocHarness() override {
        m_app.reset(); // closes the set windows while the main window exists
        m_main.reset();
        AfxSetResources(nullptr);
    }

    // A new untitled set in a new set window.
    CQuirl32Doc& NewDoc() {
        auto* doc = dynamic_cast<CQuirl32Doc*>(m_template->OpenDocumentFile(CString()));
        EXPECT_NE(doc, nullptr);
        return *doc;
    }

    // The set opened from a file, or nullptr when the open failed.
    CQuirl32Doc* OpenDoc(const CString& path) {
        return dynamic_cast<CQuirl32Doc*>(m_template->OpenDocumentFile(path));
    }

    static CountingView& ViewOf(const CQuirl32Doc& doc) {
        return *dynamic_cast<CountingView*>(doc.GetViews().front());
    }

    bool UndoEnabled() const { return m_host.QueryCommand(ID_EDIT_UNDO).enabled; }

    HeadlessHost m_host;
    ResourceTable m_resources;
    std::unique_ptr<CMDIFrameWnd> m_main;
    std::unique_ptr<CWinApp> m_app;
    CMultiDocTemplate* m_template = nullptr;
};

inline std::uint64_t Bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

// The four extents compared bit for bit.
inline ::testing::AssertionResult SameExtents(const SetExtents& a, const SetExtents& b) {
    if (Bits(a.xMin) == Bits(b.xMin) && Bits(a.xMax) == Bits(b.xMax) &&
        Bits(a.yMin) == Bits(b.yMin) && Bits(a.yMax) == Bits(b.yMax))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << a.xMin << ", " << a.xMax << ", " << a.yMin << ", " << a.yMax << ") vs ("
           << b.xMin << ", " << b.xMax << ", " << b.yMin << ", " << b.yMax << ")";
}

inline const SetExtents kDefaultExtents{-2.1, 1.5, -1.2, 1.2};
