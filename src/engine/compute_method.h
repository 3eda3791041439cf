#pragma once
// How a set view fills its picture.

enum ComputeMethod { Recursion = 0, LineScan = 1, Random = 2 };
