#include "converter/tonekit_binding.h"

#include "platform/shared_library.h"

#include <string>

namespace {

// Stores the looked-up address in a slot of any pointer type.
template <typename Slot>
void storeSlot(Slot& slot, void* address) {
    slot = reinterpret_cast<Slot>(address);
}

}  // namespace

#define TONEKIT_COUNT_SLOT(kind, name) +1
static_assert(0 TONEKIT_BOUND_NAMES(TONEKIT_COUNT_SLOT) == kTonekitBoundNames,
              "the binding holds 42 names");

int BindLibrary(TonekitBinding& binding, std::string* error) {
    ReleaseLibrary(binding);
    binding.library = platform::openLibrary(kTonekitLibraryName, error);
    if (!binding.library) return 0;
    binding.missingCount = 0;
    binding.firstMissing = nullptr;
#define TONEKIT_LOOK_UP(kind, name)                                          \
    {                                                                        \
        void* address = platform::findSymbol(binding.library, #name);        \
        if (!address) {                                                      \
            if (!binding.firstMissing) binding.firstMissing = #name;         \
            ++binding.missingCount;                                          \
        }                                                                    \
        storeSlot(binding.name, address);                                    \
    }
    TONEKIT_BOUND_NAMES(TONEKIT_LOOK_UP)
#undef TONEKIT_LOOK_UP
    return 1;
}

bool BindingComplete(const TonekitBinding& binding) {
    return binding.library && binding.missingCount == 0;
}

void ReleaseLibrary(TonekitBinding& binding) {
    if (!binding.library) return;
    platform::closeLibrary(binding.library);
    binding = TonekitBinding();
}
