#include <string_view>
#include <utility>
#include <vector>

#include "play.h"
#include "runtime.h"
#include "window.h"

namespace embedded {
const std::vector<std::pair<std::string_view, std::string_view>>& window();
const std::vector<std::pair<std::string_view, std::string_view>>& pictures();
}  // namespace embedded

namespace kestrune {

const forms::ProgramDescription& program() {
    static const forms::ProgramDescription description{
        .definition = embedded::window().front().second,
        .pictures = embedded::pictures(),
        .handlers =
            {
                {"Form_Load", Form_Load},
                {"Command1_Click", Command1_Click},
                {"aa_Click", aa_Click},
                {"Commandstop_Click", Commandstop_Click},
                {"ab_Click", ab_Click},
                {"Commandcontinue_Click", Commandcontinue_Click},
                {"ac_Click", ac_Click},
                {"Command2_Click", Command2_Click},
                {"ba_Click", ba_Click},
                {"Command3_Click", Command3_Click},
                {"Commanddown_Click", Commanddown_Click},
                {"Commandup_Click", Commandup_Click},
                {"Timergame_Timer", Timergame_Timer},
                {"Timer1_Timer", Timer1_Timer},
                {"Timerplusspeed_Timer", Timerplusspeed_Timer},
            },
    };
    return description;
}

}  // namespace kestrune
