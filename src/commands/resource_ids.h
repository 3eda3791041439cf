#pragma once
// Ids of the system's own resources, commands, dialogs and controls.

#include "platform/framework/std_ids.h"

constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_SELECTION = 102;
constexpr UINT IDD_SPECIFY = 103;
constexpr UINT IDD_INFO = 104;
constexpr UINT IDI_ABOUT_ALTERNATE = 107;
constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_QUIRL3TYPE = 129;

constexpr int IDC_ABOUT_ICON = 1000;
constexpr int IDC_REAL_FROM = 1000;
constexpr int IDC_IMAG_FROM = 1001;
constexpr int IDC_REAL_TO = 1002;
constexpr int IDC_IMAG_TO = 1003;
constexpr int IDC_ITERATIONS = 1004;
constexpr int IDC_INFO_FROM = 1005;
constexpr int IDC_INFO_TO = 1006;
constexpr int IDC_INFO_ITERATIONS = 1007;
constexpr int IDC_INFO_ZOOM = 1008;
constexpr int IDC_RANDOM_POINTS = 1009;
constexpr int IDC_INFO_TIME = 1012;

constexpr UINT ID_SET_COMPUTE = 32771;
constexpr UINT ID_SET_STOP = 32772;
constexpr UINT ID_SET_SPECIFY = 32775;
constexpr UINT ID_SET_UNZOOM = 32778;
constexpr UINT ID_ITER_50 = 32779;
constexpr UINT ID_ITER_100 = 32780;
constexpr UINT ID_ITER_120 = 32781;
constexpr UINT ID_ITER_150 = 32782;
constexpr UINT ID_ITER_200 = 32783;
constexpr UINT ID_ITER_255 = 32784;
constexpr UINT ID_ITER_OTHER = 32785;
constexpr UINT ID_METHOD_RECURSION = 32786;
constexpr UINT ID_METHOD_LINESCAN = 32787;
constexpr UINT ID_METHOD_RANDOM = 32788;
constexpr UINT ID_COLORS_STANDARD = 32789;
constexpr UINT ID_COLORS_GRAYSCALE = 32790;
constexpr UINT ID_COLORS_BW = 32791;
constexpr UINT ID_SET_INFO = 32792;
