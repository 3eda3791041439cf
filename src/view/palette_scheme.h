#pragma once
// The colour schemes, one for all set windows.

enum PaletteScheme { Standard = 0, Grayscale = 1, BlackWhite = 2 };
