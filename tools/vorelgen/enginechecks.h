#pragma once

class SQLDB;
struct Model;

// The engine table's plausibility and coverage rules, checked on the
// finished database against the model it was written from; throws GenError
// naming the first broken rule and a vehicle-year that breaks it.
void checkEngines(SQLDB &db, const Model &m);
