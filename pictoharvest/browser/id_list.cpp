#include "pictoharvest/browser/id_list.h"

#include "pictoharvest/browser/com_ptr.h"
#include "pictoharvest/browser/id_list_layout.h"

namespace ph {

IMalloc* ShellAllocator() {
    static const ComPtr<IMalloc> allocator = [] {
        ComPtr<IMalloc> result;
        if (FAILED(SHGetMalloc(result.Put()))) result.Reset();
        return result;
    }();
    return allocator.Get();
}

std::size_t IdListSize(LPCITEMIDLIST list) {
    return ShellIdListSize(reinterpret_cast<const std::uint8_t*>(list));
}

bool IsEmptyIdList(LPCITEMIDLIST list) { return IdListSize(list) == kIdListTerminatorSize; }

void IdList::Reset() {
    if (LPITEMIDLIST old = std::exchange(list_, nullptr)) {
        if (IMalloc* allocator = ShellAllocator()) allocator->Free(old);
    }
}

}  // namespace ph
