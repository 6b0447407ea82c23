// EPA's vehicle list (vehicles.csv) through the generator's engine import,
// against a model of two vehicle lines: every fault must come as a GenError.

#include "agencyimport.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput::MemoryFile file(data, size);
    Model model;
    for (const auto &[id, make, name] : {std::tuple{1, "TOYOTA", "Camry"}, std::tuple{2, "FORD", "F-150"}}) {
        Vehicle v;
        v.id = id;
        v.make = QString::fromLatin1(make);
        v.makeDisplay = v.make;
        v.model = QString::fromLatin1(name);
        v.years = {2009, 2015};
        model.vehicles.append(v);
    }
    AgencyImport import;
    import.add(AgencyImport::Engines, file.path());
    try {
        import.importEngines(model);
    } catch (const GenError &) {
    }
    return 0;
}
