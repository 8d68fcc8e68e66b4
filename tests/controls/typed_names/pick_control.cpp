// Compiled by the typed_control_names tests, never linked: CONTROL names a control of the main
// window. Spelt right it compiles; misspelt, the compiler must refuse it.
#include "controls/window_tables.h"

std::string_view PickedName() {
    return tarvel::controls::RecordOf(tarvel::controls::Main::CONTROL).name;
}
