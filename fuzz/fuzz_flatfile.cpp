// The agencies' tab-delimited flat files, read record by record as the
// generator's import reads them: every fault must come as a GenError.

#include "flatfile.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const FlatFile::Layouts layouts = FlatFile::grown({"ID", "DATE", "YEAR", "COUNT", "NOTE"}, {3, 4, 5});
    const FuzzInput::MemoryFile file(data, size);
    try {
        FlatFile f(file.path(), layouts);
        while (f.next()) {
            for (int i = 0; i < f.fields(); ++i)
                f.text(i);
            f.date(1);
            f.year(2);
            if (f.has(3))
                f.integer(3);
        }
    } catch (const GenError &) {
    }
    return 0;
}
