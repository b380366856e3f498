#include <QtWidgets/QWidget>
#include "platform/ui/Dialog.h"
#include "common/Sections.h"
#include "codes/ui/CodeFields.h"
#include "vehicle/VehData.h"
  #  include "vehicle/ui/VehPages.h"
#include "GoodPage.moc"
