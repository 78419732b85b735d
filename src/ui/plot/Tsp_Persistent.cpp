#include "Tsp_Persistent.h"

void Tsp_Persistent::Assign(const Tsp_Persistent &Source)
{
    Source.AssignTo(*this);
}

void Tsp_Persistent::AssignTo(Tsp_Persistent &Dest) const
{
    throw EAssignError("Cannot assign a " + ClassName() + " to a " + Dest.ClassName());
}

void Tsp_Persistent::DefineProperties(Tsp_Filer &)
{
}
