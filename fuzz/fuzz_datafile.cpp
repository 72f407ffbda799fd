// Any bytes may be opened as a data file. Reading must never crash, and whatever it keeps must
// save and reload to the same model, with the saved bytes stable from then on.
#include "model/datafile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace zelmor::model;

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const DataFileContent first = readDataFile(bytes);

    // Reading stops only with a reason, and the counts stay inside the model.
    check(first.complete() || (first.error->line >= 1 && !first.error->reason.isEmpty()));
    check(first.subsystemsRead >= 0 && first.subsystemsRead <= first.count);
    check(first.denominationsRead >= 0 && first.denominationsRead <= first.count);
    check(!first.complete() ||
          (first.headerRead && first.titleRead && first.subsystemsRead == first.count &&
           first.denominationsRead == first.count));
    if (!first.headerRead) return 0;
    check(first.count >= 1 && first.count <= kMaxSubsystems);

    const ModelData model = first.model;
    const QByteArray written = writeDataFile(model, first.title);
    const DataFileContent second = readDataFile(written);
    check(second.complete());
    check(second.model == model);
    check(second.title == first.title);
    check(writeDataFile(second.model, second.title) == written);
    return 0;
}
