#pragma once

namespace tarvel::system {
class SystemServices;
}

namespace tarvel::command {

// Powers the computer off, closing running programs without asking. When the system refuses,
// it tries a plain power-off once more and then ends the user's session, so the user is at
// least logged off. Nothing is reported.
void ShutdownComputer(system::SystemServices& services);

}  // namespace tarvel::command
