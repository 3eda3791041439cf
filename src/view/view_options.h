#pragma once
// The choices of the Options menu: how a set view fills its picture, and the
// colour scheme, one for all set windows.

enum ComputeMethod { Recursion = 0, LineScan = 1, Random = 2 };

enum PaletteScheme { Standard = 0, Grayscale = 1, BlackWhite = 2 };
