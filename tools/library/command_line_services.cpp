#include "command_line_services.h"

#include <cstdio>

namespace tarvel::tools {

system::Answer CommandLineServices::MessageBox(const std::string& caption, const std::string& text,
                                               system::Buttons, system::Icon) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return system::Answer::Ok;
}

}  // namespace tarvel::tools
