// Specify: the Selection dialog shows the set, OK takes what was typed and
// keeps the exact values of the bounds that were not edited.

#include "doc_harness.h"

#include <cmath>
#include <limits>
#include <map>
#include <random>

namespace {

using SpecifyTest = DocHarness;

const int kFields[] = {IDC_REAL_FROM, IDC_REAL_TO, IDC_IMAG_FROM, IDC_IMAG_TO, IDC_RANDOM_POINTS};

// Runs Specify with a responder that records the texts shown, types the
// given texts and presses the given button.
std::map<int, CString> RunSpecify(HeadlessHost& host, std::map<int, CString> typed = {},
                                  int button = IDOK) {
    std::map<int, CString> shown;
    host.PushDialogResponder([&](CDialog& dlg) {
        for (int id : kFields)
            shown[id] = dlg.GetDlgItemText(id);
        for (const auto& [id, text] : typed)
            dlg.SetDlgItemText(id, text);
        return button;
    });
    EXPECT_TRUE(host.SendCommand(ID_SET_SPECIFY));
    return shown;
}

TEST_F(SpecifyTest, ShowsTheSetWithTenDigits) {
    CQuirl32Doc& doc = NewDoc();
    auto shown = RunSpecify(m_host, {}, IDCANCEL);
    ASSERT_EQ(m_host.DialogsShown().size(), 1u);
    EXPECT_EQ(m_host.DialogsShown()[0], IDD_SELECTION);
    EXPECT_EQ(shown[IDC_REAL_FROM], "-2.1");
    EXPECT_EQ(shown[IDC_REAL_TO], "1.5");
    EXPECT_EQ(shown[IDC_IMAG_FROM], "-1.2");
    EXPECT_EQ(shown[IDC_IMAG_TO], "1.2");
    EXPECT_EQ(shown[IDC_RANDOM_POINTS], "10");

    doc.m_extents = SetExtents{-0.743643887037151, 1234567890.5, 0.05, 12345678901.0};
    doc.m_nRandomPoints = -3;
    shown = RunSpecify(m_host, {}, IDCANCEL);
    EXPECT_EQ(shown[IDC_REAL_FROM], "-0.743643887");
    EXPECT_EQ(shown[IDC_REAL_TO], "1234567891");
    EXPECT_EQ(shown[IDC_IMAG_FROM], "5.e-002");
    EXPECT_EQ(shown[IDC_IMAG_TO], "1.23456789e+010");
    EXPECT_EQ(shown[IDC_RANDOM_POINTS], "-3");
}

TEST_F(SpecifyTest, OkWithoutEditsKeepsTheExactRectangle) {
    CQuirl32Doc& doc = NewDoc();
    // Deep in the set: ten digits cannot tell these bounds apart.
    const SetExtents deep{-0.74364388703715101, -0.74364388703714999, 0.13182590420531197,
                          0.13182590420531299};
    doc.m_extents = deep;
    doc.m_bPictureValid = 1;
    const int updates = ViewOf(doc).m_nUpdates;

    RunSpecify(m_host);
    EXPECT_TRUE(SameExtents(doc.m_extents, deep));
    EXPECT_EQ(doc.m_nRandomPoints, 10);
    EXPECT_TRUE(SameExtents(doc.m_undoExtents, deep));
    EXPECT_TRUE(UndoEnabled());
    EXPECT_EQ(doc.m_bPictureValid, 0);
    EXPECT_EQ(ViewOf(doc).m_nUpdates, updates + 1);
}

TEST_F(SpecifyTest, EditedFieldsAreReadAsTyped) {
    CQuirl32Doc& doc = NewDoc();
    const SetExtents before = doc.m_extents;
    RunSpecify(
        m_host,
        {{IDC_REAL_FROM, "abc"}, {IDC_IMAG_TO, "  0.75e0xyz"}, {IDC_RANDOM_POINTS, "25 points"}});
    EXPECT_EQ(doc.m_extents.xMin, 0.0);
    EXPECT_EQ(doc.m_extents.yMax, 0.75);
    EXPECT_EQ(Bits(doc.m_extents.xMax), Bits(before.xMax));
    EXPECT_EQ(Bits(doc.m_extents.yMin), Bits(before.yMin));
    EXPECT_EQ(doc.m_nRandomPoints, 25);
    EXPECT_TRUE(SameExtents(doc.m_undoExtents, before));
}

TEST_F(SpecifyTest, ReversedBoundsAndOddCountsAreTakenAsTyped) {
    CQuirl32Doc& doc = NewDoc();
    RunSpecify(m_host, {{IDC_REAL_FROM, "2"},
                        {IDC_REAL_TO, "-2"},
                        {IDC_IMAG_FROM, "1"},
                        {IDC_IMAG_TO, "1"},
                        {IDC_RANDOM_POINTS, "-7"}});
    EXPECT_TRUE(SameExtents(doc.m_extents, SetExtents{2.0, -2.0, 1.0, 1.0}));
    EXPECT_EQ(doc.m_nRandomPoints, -7);

    for (auto [typed, count] : {std::pair<const char*, int>{"", 0},
                                {"abc", 0},
                                {"99999999999", 2147483647},
                                {"-99999999999", -2147483647 - 1}}) {
        RunSpecify(m_host, {{IDC_RANDOM_POINTS, typed}});
        EXPECT_EQ(doc.m_nRandomPoints, count) << typed;
    }
}

TEST_F(SpecifyTest, TextTypedBackToWhatWasShownKeepsTheExactValue) {
    CQuirl32Doc& doc = NewDoc();
    doc.m_extents.xMin = 0.1234567890123;
    RunSpecify(m_host, {{IDC_REAL_FROM, "0.1234567890"}});
    EXPECT_EQ(doc.m_extents.xMin, 0.123456789); // a different text: read as typed
    doc.m_extents.xMin = 0.1234567890123;
    RunSpecify(m_host, {{IDC_REAL_FROM, "0.123456789"}});
    EXPECT_EQ(doc.m_extents.xMin, 0.1234567890123);
}

TEST_F(SpecifyTest, CancelChangesNothing) {
    CQuirl32Doc& doc = NewDoc();
    m_host.SendCommand(ID_SET_UNZOOM);
    const SetExtents extents = doc.m_extents;
    const SetExtents snapshot = doc.m_undoExtents;
    doc.m_bPictureValid = 1;
    const int updates = ViewOf(doc).m_nUpdates;

    RunSpecify(m_host, {{IDC_REAL_FROM, "7"}, {IDC_RANDOM_POINTS, "99"}}, IDCANCEL);
    EXPECT_TRUE(SameExtents(doc.m_extents, extents));
    EXPECT_TRUE(SameExtents(doc.m_undoExtents, snapshot));
    EXPECT_EQ(doc.m_nRandomPoints, 10);
    EXPECT_EQ(doc.m_bPictureValid, 1);
    EXPECT_EQ(ViewOf(doc).m_nUpdates, updates);
}

TEST_F(SpecifyTest, ValuesWithoutDigitsSurviveAnUneditedOk) {
    CQuirl32Doc& doc = NewDoc();
    const double inf = std::numeric_limits<double>::infinity();
    const double payloadNaN = std::bit_cast<double>(0x7ff8000000000123ull);
    doc.m_extents = SetExtents{payloadNaN, inf, -inf, -0.0};
    const auto shown = RunSpecify(m_host);
    EXPECT_EQ(shown.at(IDC_REAL_FROM), "nan");
    EXPECT_EQ(shown.at(IDC_REAL_TO), "inf");
    EXPECT_EQ(shown.at(IDC_IMAG_FROM), "-inf");
    EXPECT_EQ(shown.at(IDC_IMAG_TO), "-0.");
    EXPECT_TRUE(SameExtents(doc.m_extents, SetExtents{payloadNaN, inf, -inf, -0.0}));
}

TEST_F(SpecifyTest, RandomRectanglesComeBackUnchanged) {
    CQuirl32Doc& doc = NewDoc();
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> centre(-2.0, 2.0);
    std::uniform_int_distribution<int> depth(0, 50);
    for (int i = 0; i < 200; ++i) {
        const double cx = centre(rng);
        const double cy = centre(rng);
        const double half = std::ldexp(1.0, -depth(rng));
        const SetExtents e{cx - half, cx + half * 1.25, cy - half, cy + half};
        doc.m_extents = e;
        RunSpecify(m_host);
        ASSERT_TRUE(SameExtents(doc.m_extents, e)) << i;
    }
}

} // namespace
