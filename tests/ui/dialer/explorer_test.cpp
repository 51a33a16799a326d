// The dialer's event explorer: generated orders of clicks, keys, tray commands, message-box
// answers, clock advances, line behaviours and file faults, from generated settings and task
// lists, with the invariants checked before every step and after Exit.
#include "explorer_case.h"

namespace {

TEST(DialerExplorer, EveryOrderOfEventsKeepsTheInvariants) {
    explore::check("dialer explorer", [] {
        const dexp::Start start = *dexp::genStart();
        dexp::DialerCase(start).run(*rc::gen::container<std::vector<dexp::Step>>(dexp::genStep()));
    });
}

}  // namespace
