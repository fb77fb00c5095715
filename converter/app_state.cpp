#include "converter/app_state.h"

namespace brisktune {

AppState& app()
{
    // Zero-initialised, as the program's state is at start.
    static AppState state{};
    return state;
}

}  // namespace brisktune
