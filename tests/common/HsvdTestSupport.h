#pragma once
// Shared by the high-speed video tests.

#include "common/HighSpeedVideoData.h"

#include <string>

namespace hsvdtest {

// A camera numbered after those held.
inline void AddCamera(CHighSpeedVideoData& d, const char* scale, const char* view, const char* comment)
{
    const int n = d.m_arrCameraNumber.GetSize();
    d.m_arrCameraNumber.SetAtGrow(n, CString(std::to_string(n)));
    d.m_arrScaleFactor.SetAtGrow(n, scale);
    d.m_arrViewDescription.SetAtGrow(n, view);
    d.m_arrCommentary.SetAtGrow(n, comment);
}

} // namespace hsvdtest
