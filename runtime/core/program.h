// What a program hands the runtime: its window definition, pictures and handlers.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace forms {

class Runtime;

// An event handler: runs to its end on the runtime's one thread.
using Handler = void (*)(Runtime&);

struct ProgramDescription {
    std::string_view definition;                                          // Windows-1251 text
    std::vector<std::pair<std::string_view, std::string_view>> pictures;  // file name, bytes
    // By name: "Form_Load", "<control>_Click", "<timer>_Timer".
    std::vector<std::pair<std::string_view, Handler>> handlers;
};

}  // namespace forms
