#include "biomech/ui/BioPageSupport.h"

bool IsGateOpen(OccupantGate gate, const CString& type)
{
    const bool animalOrCadaver = type == "AN" || type == "CD";
    const bool biological = animalOrCadaver || type == "HU";
    switch (gate) {
    case OccupantGate::Dummy:
        return !type.IsEmpty() && !biological;
    case OccupantGate::Biological:
        return biological;
    case OccupantGate::AnimalOrCadaver:
        return animalOrCadaver;
    case OccupantGate::Always:
        break;
    }
    return true;
}
