#include "platform/sound/shared_engine.h"
#include "shell/program_entry.h"

int main(int argc, char** argv) {
    // Made first, so it ends last: every window and engine object that plays through the shared
    // sound engine is gone before the engine stops.
    tarvel::sound::SharedEngineOwner sound;
    return tarvel::RunProgram(argc, argv);
}
