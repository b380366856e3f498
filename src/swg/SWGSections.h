#pragma once
// The two sections of the SWG test as tables of their fields: the TEST line and one
// INSTRUMENTATION line per curve. The test-file writer and readers, the report and the GR
// imports walk them.

#include "common/Sections.h"
#include "swg/SWGData.h"

#include <span>

const Section<CSWGData>& SwgTestSection();
const Section<CSWGData>& SwgCurveSection();

// The sections of the test file and of the report, in file order.
std::span<const FileSection<CSWGData>> SwgFileSections();
