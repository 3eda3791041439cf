// The set file: four doubles and two 32-bit integers, 40 bytes, no header.

#include "doc/quirl32_doc.h"

void CQuirl32Doc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_extents.xMin << m_extents.xMax << m_extents.yMin << m_extents.yMax;
        ar << m_nIterations << m_nRandomPoints;
        return;
    }
    // Read everything first: a file that ends early leaves the set untouched.
    SetExtents extents;
    std::int32_t iterations = 0;
    std::int32_t randomPoints = 0;
    ar >> extents.xMin >> extents.xMax >> extents.yMin >> extents.yMax;
    ar >> iterations >> randomPoints;
    m_extents = extents;
    m_nIterations = iterations;
    m_nRandomPoints = randomPoints;
    m_bPictureValid = 0;
}
