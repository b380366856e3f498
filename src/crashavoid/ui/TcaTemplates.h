#pragma once
// The dialog templates of the crash-avoidance pages.

#include "platform/ui/Dialog.h"

const DlgTemplate& TcaTestTemplate();
const DlgTemplate& TcaVehicleTemplate();
const DlgTemplate& TcaInstTemplate();
const DlgTemplate& TcaLBeamTemplate();
const DlgTemplate& TcaAmberTemplate();
const DlgTemplate& TcaRolloverTemplate();
