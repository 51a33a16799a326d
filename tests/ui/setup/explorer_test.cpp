// Setup's event explorer: generated orders of the user's actions, the clock and file faults, from
// the banner's animation to the end of the wizard, with Setup's invariants checked after every
// step.
#include "explorer.h"

#include <vector>

#include "explorer_session.h"
#include "explorer_steps.h"

namespace {

TEST(SetupExplorer, SetupKeepsItsInvariantsInEveryOrderOfEvents) {
    explore::check("Setup keeps its invariants in every order of events", [] {
        const auto steps =
            *rc::gen::container<std::vector<setup_explorer::Step>>(setup_explorer::genStep());
        setup_explorer::Session(steps).run();
    });
}

}  // namespace
