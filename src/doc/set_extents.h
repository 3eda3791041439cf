#pragma once
// A rectangle of the complex plane: real range xMin ... xMax, imaginary
// range yMin (top row of the picture) ... yMax.

struct SetExtents {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
};
