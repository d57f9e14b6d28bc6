// Arbitrary bytes as an ID list and as a STRRET offset text: the walk must
// never read past the buffer, and what it accepts must join consistently.
#include <cstdint>
#include <cstdlib>

#include "pictoharvest/browser/id_list_layout.h"
#include "pictoharvest/browser/shell_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const ph::IdListMeasure measure = ph::MeasureIdList(bytes);
    if (measure.result == ph::IdListWalk::Ok) {
        if (measure.size > size || measure.size < 2) std::abort();
        const auto list = bytes.first(measure.size);
        const auto joined = ph::ConcatenateIdListBytes(list, list);
        const ph::IdListMeasure again = ph::MeasureIdList(joined);
        if (again.result != ph::IdListWalk::Ok || again.size != 2 * measure.size - 2 ||
            again.items != 2 * measure.items)
            std::abort();
        if (ph::ShellIdListSize(list.data()) != measure.size) std::abort();
    }
    if (size > 0) {
        const std::string text = ph::ZeroTerminatedText(bytes, data[0]);
        if (text.size() > size) std::abort();
    }
    return 0;
}
