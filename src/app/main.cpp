#include "shell/program_entry.h"

int main(int argc, char** argv) {
    return tarvel::RunProgram(argc, argv);
}
